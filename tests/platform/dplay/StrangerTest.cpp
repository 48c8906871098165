// What strangers on the network cannot do to a host: hold its peer slots or its players' places so
// that nobody gets in, or make it answer queries without end.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "DirectPlayTestSupport.h"
#include "RogueEnet.h"
#include "platform/dplay/HostedSession.h"
#include "platform/dplay/MessageQueue.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const GUID Elsewhere = {0x5A5A5A5A, 0x3333, 0x4444, {5, 5, 5, 5, 5, 5, 5, 5}};

class StrangerTest : public OwnPortsTest {
 protected:
  void SetUp() override {
    OwnPortsTest::SetUp();
    if (HasFatalFailure()) return;
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
  Outcomes silentOutcomes;  // before the rogue, whose thread counts until it goes
  RogueHost silent(0, {}, 8);
  for (int i = 0; i < 4; ++i) silent.Connect(ports);
  silent.Serve([&](RogueHost&, const RogueEvent& event) {
    if (event.type == ENET_EVENT_TYPE_CONNECT) ++silentOutcomes.connected;
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) ++silentOutcomes.disconnected;
  });
  ASSERT_TRUE(Reaches(silentOutcomes.connected, 4, 5s));

  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  const std::vector<FoundSession> found = FindSessionsUntil(*guest.Get(), 1);
  ASSERT_EQ(found.size(), 1u);
  const GUID instance = found[0].description.guidInstance;
  ASSERT_EQ(JoinSession(*guest.Get(), instance), DP_OK);
  EXPECT_NE(NewPlayer(*guest.Get(), "Bernd"), 0u);

  // Ones that ask for a session that is not there, or grant the host too little room to send them
  // the largest message, hear why, then are let go.
  const auto justTooFew = static_cast<std::uint32_t>(platform::dplay::MessageQueue::Cost(wire::MaxMessageSize) - 1);
  const std::vector<std::pair<wire::JoinRequest, HRESULT>> asks = {
      {{Elsewhere, {100, 100000}}, DPERR_NOSESSIONS},
      {{instance, {0, 100000}}, DPERR_INVALIDPARAMS},
      {{instance, {100, 0}}, DPERR_INVALIDPARAMS},
      {{instance, {100, justTooFew}}, DPERR_INVALIDPARAMS}};
  std::vector<ENetPeer*> peers;
  Outcomes askingOutcomes;
  RogueHost asking(0, {}, asks.size());
  for (std::size_t i = 0; i < asks.size(); ++i) peers.push_back(asking.Connect(ports));
  asking.Serve([&](RogueHost& self, const RogueEvent& event) {
    const auto ask = asks.begin() + (std::find(peers.begin(), peers.end(), event.peer) - peers.begin());
    if (ask == asks.end()) return;
    if (event.type == ENET_EVENT_TYPE_CONNECT) self.Send(event.peer, ask->first);
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) ++askingOutcomes.disconnected;
    if (event.type == ENET_EVENT_TYPE_RECEIVE &&
        wire::DecodePacket(event.bytes) == wire::Packet{wire::JoinRefused{ask->second}})
      ++askingOutcomes.refused;
  });
  const int askCount = static_cast<int>(asks.size());
  EXPECT_TRUE(Reaches(askingOutcomes.disconnected, askCount, 15s));
  EXPECT_EQ(askingOutcomes.refused, askCount);
  EXPECT_TRUE(Reaches(silentOutcomes.disconnected, 4, 15s)) << silentOutcomes.disconnected << " of 4 let go";
}

TEST_F(StrangerTest, JoinedPeersThatCreateNoPlayerAreLetGoAndFreeTheirPlaces) {
  using platform::dplay::HostedSession;
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  const std::vector<FoundSession> found = FindSessionsUntil(*guest.Get(), 1);
  ASSERT_EQ(found.size(), 1u);
  const GUID instance = found[0].description.guidInstance;

  // Peers that join and never ask for a player hold every place beside Anna's.
  std::atomic<int> joined = 0;
  Outcomes idleOutcomes;
  RogueHost idle(0);
  for (int i = 0; i < 3; ++i) idle.Connect(ports);
  idle.Serve([&](RogueHost& self, const RogueEvent& event) {
    if (event.type == ENET_EVENT_TYPE_CONNECT) self.Send(event.peer, wire::JoinRequest{instance, {100, 100000}});
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) ++idleOutcomes.disconnected;
    if (event.type == ENET_EVENT_TYPE_RECEIVE) {
      const std::optional<wire::Packet> packet = wire::DecodePacket(event.bytes);
      if (packet && std::holds_alternative<wire::JoinAccepted>(*packet)) ++joined;
    }
  });
  ASSERT_TRUE(Reaches(joined, 3, 5s));
  const Clock::time_point joinedAt = Clock::now();
  EXPECT_EQ(JoinSession(*guest.Get(), instance), DPERR_NONEWPLAYERS);

  // Given the time a game needs to create its player, they are let go, and a player gets in.
  EXPECT_TRUE(Reaches(idleOutcomes.disconnected, 3, HostedSession::PlayerlessTimeout + 5s));
  EXPECT_GT(Clock::now() - joinedAt, HostedSession::PlayerlessTimeout - 1s);
  ASSERT_EQ(JoinSession(*guest.Get(), instance), DP_OK);
  EXPECT_NE(NewPlayer(*guest.Get(), "Bernd"), 0u);
}

TEST_F(StrangerTest, AFloodOfQueriesFromOneAddressGetsFewAnswers) {
  const std::vector<wire::Bytes> queries(200, wire::EncodeDatagram(wire::Query{5}));
  const std::vector<wire::Bytes> answers = ExchangeDatagrams(ports, queries, 1s);
  EXPECT_GE(answers.size(), 1u);
  EXPECT_LE(answers.size(), 60u);
}

}  // namespace
}  // namespace dplay_test
