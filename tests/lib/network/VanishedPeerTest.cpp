// A peer killed without a word (SIGKILL) is noticed by the other side once it has been silent for
// five seconds; one that is only halted for a while (a debugger, a machine under load) is not.

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "NetworkTestSupport.h"
#include "tests/platform/dplay/TestQueryPorts.h"

namespace network_test {
namespace {

using namespace std::chrono_literals;
// Five seconds of silence, and a margin for a busy machine.
constexpr auto NoticeWithin = 8s;

class VanishedPeerTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::uint16_t ports = dplay_test::FreePortBlock();
    ASSERT_NE(ports, 0) << "no free block of query ports";
    dplay_test::UseQueryPorts(ports);
    network.AssignDriver(ThisComputer);
  }

  // The number after Word in the peer's next line.
  static std::uint32_t Reported(ChildProcess& peer, const std::string& word) {
    const std::optional<std::string> line = peer.ReadLine(10s);
    EXPECT_TRUE(line && line->rfind(word + " ", 0) == 0) << (line ? *line : "no line");
    return line && line->rfind(word + " ", 0) == 0 ? static_cast<std::uint32_t>(std::stoul(line->substr(word.size())))
                                                   : 0;
  }

  // Joins the session of a peer started as its host; the ID of the peer's player, 0 on failure.
  std::uint32_t JoinPeersSession(ChildProcess& peer) {
    if (!peer.Started()) {
      ADD_FAILURE() << "the peer did not start";
      return 0;
    }
    const std::uint32_t player = Reported(peer, "ready");
    const std::optional<TVXGSession> session = FindSession(network, "Veltranzik10");
    EXPECT_TRUE(session);
    if (player == 0 || !session) return 0;
    network.JoinSession(session->Instance);
    return player;
  }

  TVXGNetwork network;
};

TEST_F(VanishedPeerTest, AKilledHostTakesItsPlayerAndTheSessionWithIt) {
  ChildProcess peer({NETWORK_TEST_PEER, "host", std::to_string(ThisComputer), "Anna"});
  const std::uint32_t anna = JoinPeersSession(peer);
  ASSERT_NE(anna, 0u);
  network.CreatePlayer("Bernd");

  peer.Kill();
  const std::optional<Received> left = Poll(network, NoticeWithin);
  ASSERT_TRUE(left) << "nothing within eight seconds";
  EXPECT_EQ(left->systemType, DPSYS_DESTROYPLAYERORGROUP);
  EXPECT_EQ(left->player, anna);
  const std::optional<Received> lost = Poll(network, 100ms);
  ASSERT_TRUE(lost);
  EXPECT_EQ(lost->systemType, DPSYS_SESSIONLOST);
  EXPECT_EQ(PlayerNames(network), std::vector<std::string>{"Bernd"});
}

TEST_F(VanishedPeerTest, AKilledGuestTakesItsPlayerWithIt) {
  network.CreateSession("Veltranzik10", Application, 4);
  network.CreatePlayer("Anna");
  ChildProcess peer({NETWORK_TEST_PEER, "guest", std::to_string(ThisComputer), "Bernd"});
  ASSERT_TRUE(peer.Started());
  const std::uint32_t bernd = Reported(peer, "joined");
  ASSERT_NE(bernd, 0u);
  std::optional<Received> message = Poll(network, 2s);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->systemType, DPSYS_CREATEPLAYERORGROUP);
  message = Poll(network, 2s);  // its ping
  ASSERT_TRUE(message);
  EXPECT_EQ(message->bytes, "ping");

  peer.Kill();
  const std::optional<Received> left = Poll(network, NoticeWithin);
  ASSERT_TRUE(left) << "nothing within eight seconds";
  EXPECT_EQ(left->systemType, DPSYS_DESTROYPLAYERORGROUP);
  EXPECT_EQ(left->player, bernd);
  EXPECT_FALSE(Poll(network, 100ms)) << "the host's session goes on";
  EXPECT_EQ(PlayerNames(network), std::vector<std::string>{"Anna"});
}

TEST_F(VanishedPeerTest, AHostHaltedForThreeSecondsIsStillThereAfterwards) {
  ChildProcess peer({NETWORK_TEST_PEER, "host", std::to_string(ThisComputer), "Anna"});
  const std::uint32_t anna = JoinPeersSession(peer);
  ASSERT_NE(anna, 0u);
  const std::uint32_t bernd = network.CreatePlayer("Bernd");

  // A debugger stop or a machine under load: three seconds without a word.
  peer.Stop();
  std::this_thread::sleep_for(3s);
  peer.Continue();

  network.Send(bernd, anna, "ping", 4);
  const std::optional<Received> answer = Poll(network, 2s);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->systemType, 0u);
  EXPECT_EQ(answer->bytes, "pong");
  EXPECT_EQ(PlayerNames(network), (std::vector<std::string>{"Anna", "Bernd"}));
}

}  // namespace
}  // namespace network_test
