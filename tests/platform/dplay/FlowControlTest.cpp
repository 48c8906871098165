// A side that does not poll still takes in everything a busy peer sends, and what waits for it is
// bounded: a peer that sends more than it may is disconnected, a peer that takes nothing is let go
// before it holds a sender up for long, and nothing is lost on the way.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "DirectPlayTestSupport.h"
#include "RogueEnet.h"
#include "platform/dplay/MessageQueue.h"
#include "platform/dplay/Session.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using platform::dplay::Session;

std::string Numbered(std::uint32_t number) { return "n" + std::to_string(number); }

class FlowControlTest : public OwnPortsTest {
 protected:
  void SetUp() override {
    OwnPortsTest::SetUp();
    if (HasFatalFailure()) return;
    host = Connected(ThisComputer);
    ASSERT_EQ(HostSession(*host.Get(), "Flut", 4), DP_OK);
    anna = NewPlayer(*host.Get(), "Anna");
  }

  ComPtr<IDirectPlay3A> host;
  DPID anna = 0;
};

// What a side has received: player messages in the order they came, and system messages apart.
struct Taken {
  std::vector<std::string> texts;
  std::vector<DWORD> notices;
};

// Takes every waiting message with a small buffer, as the game does.
void TakeWaiting(IDirectPlay3A& directPlay, Taken& taken) {
  char buffer[260];
  for (;;) {
    DPID from = 0;
    DPID to = 0;
    DWORD size = sizeof buffer;
    const HRESULT result = directPlay.Receive(&from, &to, 0, buffer, &size);
    if (result == DPERR_NOMESSAGES) return;
    ASSERT_EQ(result, DP_OK);
    if (from == DPID_SYSMSG) {
      DWORD type = 0;
      std::memcpy(&type, buffer, sizeof type);
      taken.notices.push_back(type);
    } else {
      taken.texts.emplace_back(buffer, size);
    }
  }
}

TEST_F(FlowControlTest, ABusySendersMessagesAllReachASideThatDoesNotPoll) {
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*guest.Get()));
  const DPID bernd = NewPlayer(*guest.Get(), "Bernd");
  const std::optional<Message> joined = ReceiveWithin(*host.Get(), 2s);
  ASSERT_TRUE(joined && joined->systemType == DPSYS_CREATEPLAYERORGROUP);

  // The guest repeats its message for a few seconds as fast as it can, polling its own side in
  // between, while the host's game looks elsewhere at first, for less than the guest waits for it.
  std::atomic<std::uint32_t> sent = 0;
  std::atomic<bool> done = false;
  Taken atGuest;
  std::jthread sender([&] {
    const Clock::time_point end = Clock::now() + 2 * Session::HostStalledAfter;
    while (Clock::now() < end) {
      const std::string text = Numbered(sent);
      const HRESULT result = SendText(*guest.Get(), bernd, DPID_ALLPLAYERS, text);
      EXPECT_EQ(result, DP_OK);
      if (result != DP_OK) break;
      ++sent;
      TakeWaiting(*guest.Get(), atGuest);
    }
    done = true;
  });
  std::this_thread::sleep_for(Session::HostStalledAfter / 2);

  Taken atHost;
  const Clock::time_point deadline = Clock::now() + 60s;
  while (!(done && atHost.texts.size() >= sent) && Clock::now() < deadline) {
    TakeWaiting(*host.Get(), atHost);
    std::this_thread::sleep_for(1ms);
  }
  sender.join();
  TakeWaiting(*host.Get(), atHost);
  TakeWaiting(*guest.Get(), atGuest);

  EXPECT_TRUE(atHost.notices.empty()) << "first notice " << atHost.notices.front();
  EXPECT_TRUE(atGuest.notices.empty()) << "first notice " << atGuest.notices.front();
  EXPECT_TRUE(atGuest.texts.empty());
  ASSERT_EQ(atHost.texts.size(), sent.load());
  for (std::uint32_t i = 0; i < sent; ++i) ASSERT_EQ(atHost.texts[i], Numbered(i));
  EXPECT_GT(sent, 1000u);
}

TEST_F(FlowControlTest, MessagesTheHostPassesOnWaitForRoomAtTheirReceiverAndAllArriveInOrder) {
  ComPtr<IDirectPlay3A> sender = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*sender.Get()));
  const DPID bernd = NewPlayer(*sender.Get(), "Bernd");
  ComPtr<IDirectPlay3A> idle = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*idle.Get()));
  NewPlayer(*idle.Get(), "Clara");

  // More than the idle side's window, to everyone: the host takes its own at once, the idle side
  // only later, yet before the host would let it go for stalling.
  constexpr std::uint32_t Count = 20000;
  std::jthread sending([&] {
    for (std::uint32_t i = 0; i < Count; ++i)
      if (SendText(*sender.Get(), bernd, DPID_ALLPLAYERS, Numbered(i)) != DP_OK) return ADD_FAILURE() << "send " << i;
  });
  Taken atHost;
  Taken atIdle;
  const Clock::time_point quiet = Clock::now() + Session::PeerStalledAfter / 2;
  while (Clock::now() < quiet) TakeWaiting(*host.Get(), atHost);
  const Clock::time_point deadline = Clock::now() + 60s;
  while ((atHost.texts.size() < Count || atIdle.texts.size() < Count) && Clock::now() < deadline) {
    TakeWaiting(*host.Get(), atHost);
    TakeWaiting(*idle.Get(), atIdle);
  }
  sending.join();

  for (const Taken* side : {&atHost, &atIdle}) {
    ASSERT_EQ(side->texts.size(), Count);
    for (std::uint32_t i = 0; i < Count; ++i) ASSERT_EQ(side->texts[i], Numbered(i));
  }
  // Clara and Bernd came to the host; Bernd, then nobody else, to Clara's side.
  EXPECT_EQ(atHost.notices, (std::vector<DWORD>{DPSYS_CREATEPLAYERORGROUP, DPSYS_CREATEPLAYERORGROUP}));
  EXPECT_TRUE(atIdle.notices.empty());
}

// Who sends to a side whose game takes nothing: the host's own game, or a guest's through the host.
enum class Sender { Host, Guest };

class StalledPeerTest : public FlowControlTest, public testing::WithParamInterface<Sender> {};

TEST_P(StalledPeerTest, APeerWhoseGameTakesNothingIsLetGoBeforeItHoldsASenderUpForLong) {
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*guest.Get()));
  const DPID bernd = NewPlayer(*guest.Get(), "Bernd");
  ComPtr<IDirectPlay3A> stalled = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*stalled.Get()));
  NewPlayer(*stalled.Get(), "Clara");  // whose game never takes a message
  const bool fromHost = GetParam() == Sender::Host;
  IDirectPlay3A& sending = fromHost ? *host.Get() : *guest.Get();
  IDirectPlay3A& reading = fromHost ? *guest.Get() : *host.Get();

  // Far more than the stalled side's window, to everyone, each send timed.
  constexpr std::uint32_t Count = 20000;
  std::atomic<bool> done = false;
  Clock::duration longest{};
  std::jthread sender([&] {
    for (std::uint32_t i = 0; i < Count; ++i) {
      const Clock::time_point start = Clock::now();
      const HRESULT result = SendText(sending, fromHost ? anna : bernd, DPID_ALLPLAYERS, Numbered(i));
      longest = std::max(longest, Clock::now() - start);
      if (result != DP_OK) {
        ADD_FAILURE() << "send " << i << " gave " << std::hex << result;
        break;
      }
    }
    done = true;
  });
  Taken atReader;
  const auto takeUntilDone = [&](std::chrono::seconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    while (!(done && atReader.texts.size() >= Count) && Clock::now() < deadline) TakeWaiting(reading, atReader);
    return done.load();
  };
  const bool finished = takeUntilDone(30s);
  stalled->Close();  // ends a send that would otherwise wait for it for ever
  takeUntilDone(30s);
  sender.join();
  Taken atSender;
  TakeWaiting(sending, atSender);

  EXPECT_TRUE(finished) << "a send waited for the stalled side until it left";
  EXPECT_GT(longest, Session::PeerStalledAfter / 2) << "no send ever waited for the stalled side";
  EXPECT_LT(longest, Session::HostStalledAfter + 1s);
  ASSERT_EQ(atReader.texts.size(), Count);
  for (std::uint32_t i = 0; i < Count; ++i) ASSERT_EQ(atReader.texts[i], Numbered(i));
  // Both sides saw Clara leave as any player leaves, and the session went on without her.
  for (const Taken* side : {&atReader, &atSender}) {
    ASSERT_FALSE(side->notices.empty());
    EXPECT_EQ(side->notices.back(), DPSYS_DESTROYPLAYERORGROUP);
    EXPECT_EQ(std::count(side->notices.begin(), side->notices.end(), DPSYS_SESSIONLOST), 0);
  }
  for (IDirectPlay3A* side : {host.Get(), guest.Get()}) {
    std::vector<DPID> ids;
    for (const PlayerName& player : ListPlayers(*side)) ids.push_back(player.id);
    EXPECT_EQ(ids, (std::vector<DPID>{anna, bernd}));
  }
}

INSTANTIATE_TEST_SUITE_P(Senders, StalledPeerTest, testing::Values(Sender::Host, Sender::Guest),
                         [](const testing::TestParamInfo<Sender>& sender) {
                           return sender.param == Sender::Host ? "TheHostsGame" : "AGuestsGameThroughTheHost";
                         });

TEST(MessageQueueBound, CountsEveryMessageWithItsOverheadAndRefusesWhatDoesNotFit) {
  using platform::dplay::MessageQueue;
  MessageQueue queue;
  for (std::size_t i = 0; i < MessageQueue::MaxMessages; ++i) ASSERT_TRUE(queue.PushPlayerMessage(1, 2, {}));
  EXPECT_FALSE(queue.PushPlayerMessage(1, 2, {}));
  EXPECT_FALSE(queue.PushPlayerCreated({3, "Dora"}, 2));
  queue.PushPlayerDestroyed({3, "Dora"});  // news of players gone always fits
  queue.Clear();

  // A message costs its bytes and the overhead: this many of them fill the bytes exactly.
  const wire::Bytes block(64 * 1024 - MessageQueue::Overhead, 'b');
  for (std::size_t i = 0; i < MessageQueue::MaxBytes / (64 * 1024) - 1; ++i)
    ASSERT_TRUE(queue.PushPlayerMessage(1, 2, block));
  const wire::Bytes tooLarge(block.size() + 1, 'b');
  EXPECT_FALSE(queue.PushPlayerMessage(1, 2, tooLarge));
  EXPECT_TRUE(queue.PushPlayerMessage(1, 2, block));
  EXPECT_FALSE(queue.PushPlayerMessage(1, 2, {}));

  // Taking one gives its room back.
  char buffer[64 * 1024];
  DPID from = 0;
  DPID to = 0;
  DWORD size = sizeof buffer;
  platform::dplay::Origin origin;
  ASSERT_EQ(queue.Receive(&from, &to, 0, buffer, &size, origin), DP_OK);
  EXPECT_TRUE(queue.PushPlayerMessage(1, 2, block));
}

TEST_F(FlowControlTest, APeerThatSendsMoreThanTheHostHoldsIsDisconnectedAfterWhatItHolds) {
  ComPtr<IDirectPlay3A> scout = Connected(ThisComputer);
  const std::vector<FoundSession> found = FindSessionsUntil(*scout.Get(), 1);
  ASSERT_EQ(found.size(), 1u);
  RogueHost rogue(0);
  ENetPeer* peer = rogue.Connect(ports);
  const std::optional<RogueEvent> connected = rogue.Next(2s);
  ASSERT_TRUE(connected && connected->type == ENET_EVENT_TYPE_CONNECT);
  rogue.Send(peer, wire::JoinRequest{found[0].description.guidInstance, {100, 100000}});
  const std::optional<wire::Packet> accepted = rogue.NextPacket(2s);
  ASSERT_TRUE(accepted && std::holds_alternative<wire::JoinAccepted>(*accepted));
  rogue.Send(peer, wire::PlayerRequest{1, "Flut"});
  const std::optional<wire::Packet> granted = rogue.NextPacket(2s);
  ASSERT_TRUE(granted && std::holds_alternative<wire::PlayerGranted>(*granted));
  const DPID flood = std::get<wire::PlayerGranted>(*granted).id;
  const std::optional<Message> came = ReceiveWithin(*host.Get(), 2s);
  ASSERT_TRUE(came && came->systemType == DPSYS_CREATEPLAYERORGROUP);

  // More small messages than any bound of the host's queue, numbered, while the host does not poll.
  constexpr std::uint32_t Count = 70000;
  const bool disconnected = rogue.Flood(peer, Count, [&](std::uint32_t index) {
    wire::Bytes number(4);
    std::memcpy(number.data(), &index, sizeof index);
    return wire::EncodePacket(wire::Data{flood, 0, number});
  });
  EXPECT_TRUE(disconnected) << "the host never let go of the peer";

  // The host's game finds the messages it had room for, in order and none missing, then the news.
  std::vector<std::uint32_t> numbers;
  std::optional<Message> last;
  while (std::optional<Message> message = ReceiveWithin(*host.Get(), 2s)) {
    last = message;
    if (message->from == DPID_SYSMSG) break;
    ASSERT_EQ(message->text.size(), 4u);
    std::uint32_t number = 0;
    std::memcpy(&number, message->text.data(), sizeof number);
    numbers.push_back(number);
  }
  ASSERT_TRUE(last);
  EXPECT_EQ(last->systemType, DPSYS_DESTROYPLAYERORGROUP);
  EXPECT_EQ(last->player, flood);
  EXPECT_FALSE(numbers.empty());
  for (std::uint32_t i = 0; i < numbers.size(); ++i) ASSERT_EQ(numbers[i], i);
  EXPECT_FALSE(ReceiveOnce(*host.Get()));
  EXPECT_EQ(ListPlayers(*host.Get()), (std::vector<PlayerName>{{anna, "Anna", DPENUMPLAYERS_LOCAL}}));
}

}  // namespace
}  // namespace dplay_test
