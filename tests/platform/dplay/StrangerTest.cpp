// What strangers on the network cannot do to a host: hold its peer slots so that nobody gets in,
// or make it answer queries without end.

#include <gtest/gtest.h>

#include <atomic>

#include "DirectPlayTestSupport.h"
#include "RogueEnet.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const GUID Elsewhere = {0x5A5A5A5A, 0x3333, 0x4444, {5, 5, 5, 5, 5, 5, 5, 5}};

class StrangerTest : public testing::Test {
 protected:
  void SetUp() override {
    ports = FreePortBlock();
    ASSERT_NE(ports, 0) << "no free block of query ports";
    UseQueryPorts(ports);
    host = Connected(ThisComputer);
    ASSERT_EQ(HostSession(*host.Get(), "Offen", 4), DP_OK);
    NewPlayer(*host.Get(), "Anna");
  }

  // Waits until Count reaches Wanted or Limit has passed.
  static bool Reaches(const std::atomic<int>& count, int wanted, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (count < wanted && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
    return count >= wanted;
  }

  ComThread com;
  std::uint16_t ports = 0;
  ComPtr<IDirectPlay3A> host;
};

// Counts what happens to a rogue's connections.
struct Outcomes {
  std::atomic<int> connected = 0;
  std::atomic<int> disconnected = 0;
  std::atomic<int> refused = 0;
};

TEST_F(StrangerTest, PeersThatNeverAskToJoinOrAreRefusedAreLetGoAndKeepNobodyOut) {
  // As many connections as the session has players, none of which ever asks to join.
  RogueHost silent(0, {}, 8);
  for (int i = 0; i < 4; ++i) silent.Connect(ports);
  Outcomes silentOutcomes;
  silent.Serve([&](RogueHost&, const RogueEvent& event) {
    if (event.type == ENET_EVENT_TYPE_CONNECT) ++silentOutcomes.connected;
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) ++silentOutcomes.disconnected;
  });
  ASSERT_TRUE(Reaches(silentOutcomes.connected, 4, 5s));

  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*guest.Get()));
  EXPECT_NE(NewPlayer(*guest.Get(), "Bernd"), 0u);

  // One that asks for a session that is not there hears why, then is let go.
  RogueHost asking(0);
  ENetPeer* peer = asking.Connect(ports);
  Outcomes askingOutcomes;
  asking.Serve([&](RogueHost& self, const RogueEvent& event) {
    if (event.type == ENET_EVENT_TYPE_CONNECT) self.Send(peer, wire::JoinRequest{Elsewhere, {100, 100000}});
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) ++askingOutcomes.disconnected;
    if (event.type == ENET_EVENT_TYPE_RECEIVE &&
        wire::DecodePacket(event.bytes) == wire::Packet{wire::JoinRefused{DPERR_NOSESSIONS}})
      ++askingOutcomes.refused;
  });
  EXPECT_TRUE(Reaches(askingOutcomes.disconnected, 1, 15s));
  EXPECT_EQ(askingOutcomes.refused, 1);
  EXPECT_TRUE(Reaches(silentOutcomes.disconnected, 4, 15s)) << silentOutcomes.disconnected << " of 4 let go";
}

TEST_F(StrangerTest, AFloodOfQueriesFromOneAddressGetsFewAnswers) {
  const std::vector<wire::Bytes> queries(200, wire::EncodeDatagram(wire::Query{5}));
  const std::vector<wire::Bytes> answers = ExchangeDatagrams(ports, queries, 1s);
  EXPECT_GE(answers.size(), 1u);
  EXPECT_LE(answers.size(), 60u);
}

}  // namespace
}  // namespace dplay_test
