// Two network objects on this computer, set up and talking as the two copies of the game do.

#include <gtest/gtest.h>

#include "NetworkTestSupport.h"
#include "tests/platform/dplay/TestQueryPorts.h"

namespace network_test {
namespace {

using namespace std::chrono_literals;

// A game message: four zero bytes, the text, its zero.
std::string GameMessage(const std::string& text) {
  std::string message(4, '\0');
  message += text;
  message += '\0';
  return message;
}

std::string Numbered(char letter, int number) {
  std::string text(1, letter);
  text += std::to_string(number);
  return text;
}

class TwoPlayerSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::uint16_t ports = dplay_test::FreePortBlock();
    ASSERT_NE(ports, 0) << "no free block of query ports";
    dplay_test::UseQueryPorts(ports);
    ASSERT_EQ(host.Drivers().GetDriver(ThisComputer).Name, "Nur dieser Computer (Loopback)");
    host.AssignDriver(ThisComputer);
    host.CreateSession("Veltranzik10", Application, 4);
    anna = host.CreatePlayer("Anna");

    guest.AssignDriver(ThisComputer);
    const std::optional<TVXGSession> session = FindSession(guest, "Veltranzik10");
    ASSERT_TRUE(session);
    found = *session;
    guest.JoinSession(found.Instance);
    bernd = guest.CreatePlayer("Bernd");
  }

  TVXGNetwork host;
  TVXGNetwork guest;
  TVXGSession found;
  std::uint32_t anna = 0;
  std::uint32_t bernd = 0;
};

TEST_F(TwoPlayerSessionTest, TheGuestFindsJoinsAndIsAnnounced) {
  EXPECT_EQ(found.Name, "Veltranzik10");
  EXPECT_EQ(found.Flags, DPSESSION_MIGRATEHOST | DPSESSION_KEEPALIVE);
  EXPECT_EQ(found.MaxPlayers, 4u);
  EXPECT_EQ(found.CurrentPlayers, 1u);
  EXPECT_TRUE(found.Application == Application);
  EXPECT_NE(anna, bernd);

  const std::optional<Received> joined = Poll(host, 2s);
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->from, DPID_SYSMSG);
  EXPECT_EQ(joined->systemType, DPSYS_CREATEPLAYERORGROUP);
  EXPECT_EQ(joined->player, bernd);
  EXPECT_EQ(joined->playerName, "Bernd");

  EXPECT_EQ(PlayerNames(host), (std::vector<std::string>{"Anna", "Bernd"}));
  EXPECT_EQ(PlayerNames(guest), (std::vector<std::string>{"Anna", "Bernd"}));
  EXPECT_EQ(host.Players()->GetPlayer(1).ID, bernd);
  EXPECT_EQ(guest.Players()->GetPlayer(0).ID, anna);
  EXPECT_FALSE(Poll(guest, 50ms)) << "a side is not told of players that were there before it";
}

TEST_F(TwoPlayerSessionTest, MessagesGoBothWaysInOrderAndNeverBackToTheSender) {
  ASSERT_TRUE(Poll(host, 2s));  // Bernd joined
  for (int i = 0; i < 50; ++i) {
    const std::string fromHost = GameMessage(Numbered('y', i) + "|");
    const std::string fromGuest = Numbered('g', i);
    host.Send(anna, bernd, fromHost.data(), static_cast<std::uint32_t>(fromHost.size()));
    guest.Send(bernd, 0, fromGuest.data(), static_cast<std::uint32_t>(fromGuest.size()));
  }
  for (int i = 0; i < 50; ++i) {
    const std::optional<Received> atGuest = Poll(guest, 2s);
    ASSERT_TRUE(atGuest);
    EXPECT_EQ(atGuest->bytes, GameMessage(Numbered('y', i) + "|"));
    EXPECT_EQ(atGuest->from, anna);
    EXPECT_EQ(atGuest->to, bernd);
    const std::optional<Received> atHost = Poll(host, 2s);
    ASSERT_TRUE(atHost);
    EXPECT_EQ(atHost->bytes, Numbered('g', i));
    EXPECT_EQ(atHost->from, bernd);
    EXPECT_EQ(atHost->to, anna);
  }
  EXPECT_FALSE(Poll(guest, 100ms));
  EXPECT_FALSE(Poll(host, 10ms));
}

TEST_F(TwoPlayerSessionTest, AMessageTooLargeForTheBufferWaits) {
  ASSERT_TRUE(Poll(host, 2s));
  const std::string large(300, 'L');
  host.Send(anna, bernd, large.data(), static_cast<std::uint32_t>(large.size()));

  char buffer[260] = "untouched";
  std::uint32_t from = 0;
  std::uint32_t to = 0;
  std::uint32_t size = sizeof buffer;
  const auto deadline = std::chrono::steady_clock::now() + 2s;
  while (!guest.Receive(from, to, buffer, size) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(1ms);
  EXPECT_EQ(size, 300u);
  EXPECT_STREQ(buffer, "untouched");

  std::vector<char> room(size);
  EXPECT_TRUE(guest.Receive(from, to, room.data(), size));
  EXPECT_EQ(std::string(room.begin(), room.end()), large);
}

TEST_F(TwoPlayerSessionTest, LeavingIsAnnouncedAndTheHostsLeavingEndsTheSession) {
  ASSERT_TRUE(Poll(host, 2s));
  guest.LeaveSession();
  const std::optional<Received> left = Poll(host, 2s);
  ASSERT_TRUE(left);
  EXPECT_EQ(left->systemType, DPSYS_DESTROYPLAYERORGROUP);
  EXPECT_EQ(left->player, bernd);
  EXPECT_EQ(left->playerName, "Bernd");
  EXPECT_EQ(PlayerNames(host), std::vector<std::string>{"Anna"});

  // The guest comes back, then the host goes.
  const std::optional<TVXGSession> again = FindSession(guest, "Veltranzik10");
  ASSERT_TRUE(again);
  guest.JoinSession(again->Instance);
  guest.CreatePlayer("Bernd");
  host.LeaveSession();
  const std::optional<Received> hostLeft = Poll(guest, 2s);
  ASSERT_TRUE(hostLeft);
  EXPECT_EQ(hostLeft->systemType, DPSYS_DESTROYPLAYERORGROUP);
  EXPECT_EQ(hostLeft->player, anna);
  const std::optional<Received> lost = Poll(guest, 2s);
  ASSERT_TRUE(lost);
  EXPECT_EQ(lost->systemType, DPSYS_SESSIONLOST);
  EXPECT_EQ(lost->bytes.size(), sizeof(DPMSG_SESSIONLOST));
}

}  // namespace
}  // namespace network_test
