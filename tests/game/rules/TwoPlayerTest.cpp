// The two-player protocol between two sides in this process, each on its own thread, over a
// channel in memory: the status line, record transfers, the catch-up of ticks, the end signal, and
// what ends a wait when the other side is gone.

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "SampleRecords.h"
#include "game/rules/MessageText.h"
#include "game/rules/TwoPlayer.h"
#include "platform/win/Clock.h"

namespace {

// Two ends of a line in memory; each end also keeps what it sent, in order. A wait wakes, as the
// network service's does, only for what arrives after it began, not for what already waits.
class MemoryLine {
 public:
  class End final : public MessageChannel {
   public:
    End(MemoryLine& Line, int Side) : line_(Line), side_(Side) {}
    void Send(const std::string& Text) override {
      const std::vector<std::uint8_t> bytes = MessageBytes(Text);
      std::lock_guard lock(line_.mutex_);
      line_.queues_[1 - side_].push_back(CleanedText(bytes.data(), bytes.size()));
      ++line_.arrivals_[1 - side_];
      sent.push_back(Text);
      line_.arrived_.notify_all();
    }
    std::optional<std::string> Poll() override {
      std::lock_guard lock(line_.mutex_);
      std::deque<std::string>& queue = line_.queues_[side_];
      if (queue.empty()) return std::nullopt;
      std::string text = queue.front();
      queue.pop_front();
      return text;
    }
    void WaitForTraffic(std::int32_t Milliseconds) override {
      ++waits;
      std::unique_lock lock(line_.mutex_);
      const std::uint64_t before = line_.arrivals_[side_];
      line_.arrived_.wait_for(lock, std::chrono::milliseconds(Milliseconds),
                              [&] { return line_.arrivals_[side_] != before; });
    }
    OpponentGone Gone() const override { return gone; }

    std::vector<std::string> sent;  // read only once the other thread is done
    int waits = 0;
    OpponentGone gone = OpponentGone::No;

   private:
    MemoryLine& line_;
    int side_;
  };

  End host{*this, 0};
  End guest{*this, 1};
  void Queue(int Side, const std::string& Text) {
    std::lock_guard lock(mutex_);
    queues_[Side].push_back(Text);
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::string> queues_[2];
  std::uint64_t arrivals_[2] = {0, 0};
};

// The window of a side: the player stays until told to leave; errors are kept.
struct TestWindow final : MatchWindow {
  bool ServeWhilePlayerAwaited() override {
    ++personPasses;
    return personPasses >= leaveAfterPasses;
  }
  bool ServeSystemEvents() override {
    ++systemPasses;
    return false;
  }
  void ShowError(const Exception& E) override { errors.push_back(E.Message()); }
  int personPasses = 0;
  int leaveAfterPasses = 1 << 30;
  int systemPasses = 0;
  std::vector<std::string> errors;
};

// One side of a match: its own round and targets and the protocol over its end of the line.
struct Side {
  explicit Side(bool Host) : isHost(Host) {}
  bool isHost;
  MatchState match;
  RoundState round;
  TargetState targets;
  TestWindow window;
  int opponentHits = 0;
};

struct Match {
  MemoryLine line;
  Side host{true};
  Side guest{false};
  TwoPlayerProtocol hostProtocol{line.host,    host.match,  host.round,
                                 host.targets, host.window, [this] { ++host.opponentHits; }};
  TwoPlayerProtocol guestProtocol{line.guest,    guest.match,  guest.round,
                                  guest.targets, guest.window, [this] { ++guest.opponentHits; }};

  Match() {
    hostProtocol.SetHost(host.isHost);
    guestProtocol.SetHost(guest.isHost);
  }

  // Both sides run a step of the protocol at the same time, as two computers do.
  template <class HostStep, class GuestStep>
  void Together(HostStep&& OnHost, GuestStep&& OnGuest) {
    std::thread other([&] { OnGuest(guestProtocol); });
    OnHost(hostProtocol);
    other.join();
  }
};

TEST(TwoPlayerText, StatusRecordsAndTheWire) {
  StatusFields status;
  status.Score = 250;
  status.CameraXInt = 1800;
  status.CursorX = 320;
  status.CursorY = 240;
  status.TickCount = 21;
  EXPECT_EQ("y" + StatusPayload(status), "y0|250|1800|320|240|21|");
  const StatusFields read = ReadStatus("1|-5|7|0|479|3|");
  EXPECT_EQ(read.PendingUpdate, 1);
  EXPECT_EQ(read.Score, -5);
  EXPECT_EQ(read.TickCount, 3);

  EXPECT_EQ(TargetPayload(FlyingStork()), "1|2|0|0|7|-812|0|2718282|-12346|0|3000|41|-12|1|");
  TargetRecord back;
  back.Direction = true;
  ReadTarget("2|3|5|0|1|500|-250|100000|20000|0|25500|-3|4|2|", back);
  EXPECT_FALSE(back.Direction);
  EXPECT_EQ(back.Kind, 3);
  EXPECT_EQ(back.Points, 5);
  EXPECT_DOUBLE_EQ(back.DX, 0.5);
  EXPECT_DOUBLE_EQ(back.DY, -0.25);
  EXPECT_DOUBLE_EQ(back.X, 100);
  EXPECT_DOUBLE_EQ(back.LabelY, 25.5);
  EXPECT_EQ(back.State, TargetFalling);
  ReadTarget("7|1|0|0|0|0|0|0|0|0|0|0|0|1|", back);
  EXPECT_FALSE(back.Direction) << "a direction other than 1 or 2 leaves it";

  TargetRecord untouched = FlyingStork();
  EXPECT_THROW(ReadTarget("1|2|0|", untouched), PayloadEnded);
  EXPECT_EQ(untouched.Kind, 2) << "a record cut short changes nothing";
  try {
    ReadStatus("0|12a|0|0|0|0|");
    ADD_FAILURE() << "no error for a field that is no integer";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' ist kein g\xFCltiger Integerwert");
  }

  const std::vector<std::uint8_t> wire = MessageBytes("y1|");
  EXPECT_EQ(wire, (std::vector<std::uint8_t>{0, 0, 0, 0, 'y', '1', '|', 0}));
  const std::uint8_t noisy[] = {0, 0, 0, 0, '@', 7, '0', 0, 13, 10};
  EXPECT_EQ(CleanedText(noisy, sizeof noisy), "@0");
}

TEST(TwoPlayerProtocol, TheStatusCarriesScoreAimAndTicksAndTheSlowerSideCatchesUp) {
  Match match;
  match.host.round.Score = 120;
  match.host.round.TickCount = 14;
  match.host.round.TickAccumulator = 3;
  match.guest.round.Score = 250;
  match.guest.round.CameraXInt = 1800;
  match.guest.round.CursorX = 320;
  match.guest.round.CursorY = 240;
  match.guest.round.TickCount = 21;
  match.Together([](TwoPlayerProtocol& p) { p.ExchangeStatus(); }, [](TwoPlayerProtocol& p) { p.ExchangeStatus(); });

  EXPECT_EQ(match.host.round.OpponentScore, 250);
  EXPECT_EQ(match.host.match.OpponentCameraX, 1800);
  EXPECT_EQ(match.host.match.OpponentCursorX, 320);
  EXPECT_EQ(match.host.match.OpponentCursorY, 240);
  EXPECT_EQ(match.host.round.TickAccumulator, 3 + 7 * 5) << "seven ticks behind: 35 ms more to run";
  EXPECT_EQ(match.host.round.TickCount, 0);
  EXPECT_EQ(match.guest.round.OpponentScore, 120);
  EXPECT_EQ(match.guest.round.TickAccumulator, 0) << "the side ahead runs nothing extra";
  EXPECT_EQ(match.guest.round.TickCount, 0);
  EXPECT_EQ(match.line.host.sent, (std::vector<std::string>{"y0|120|0|0|0|14|", "~"}));
  EXPECT_EQ(match.host.match.ExchangeTick, match.host.round.TicksRun);
}

TEST(TwoPlayerProtocol, RecordsTravelInThousandthsAndTheHostsGoesFirst) {
  Match match;
  match.host.targets.Targets[5] = FlyingStork();
  match.host.targets.Targets[6] = FlyingStork();
  match.host.targets.Targets[6].X = 10.0;
  match.host.targets.SpawnCounter = 9;
  // Two spawns between exchanges: both go, the older first.
  match.hostProtocol.AnnounceUpdate(RecordKind::Stork, 6);
  match.hostProtocol.AnnounceUpdate(RecordKind::Stork, 5);
  const GroundFigureRecord hit = HitFigure();
  match.guest.targets.GroundFigures[3] = hit;
  match.guestProtocol.AnnounceUpdate(RecordKind::Figure, 3);
  match.Together([](TwoPlayerProtocol& p) { p.ExchangeStatus(); }, [](TwoPlayerProtocol& p) { p.ExchangeStatus(); });

  const TargetRecord& sent = match.host.targets.Targets[5];
  const TargetRecord& arrived = match.guest.targets.Targets[5];
  EXPECT_DOUBLE_EQ(sent.DX, -0.812) << "the sender keeps what the other side got";
  EXPECT_DOUBLE_EQ(sent.DY, 0.0);
  EXPECT_DOUBLE_EQ(sent.X, 2718.282);
  EXPECT_DOUBLE_EQ(sent.Y, -12.346) << "-12345.5 thousandths round to even";
  for (const TargetRecord* r : {&sent, &arrived}) EXPECT_TRUE(r->Direction);
  EXPECT_EQ(arrived.DX, sent.DX);
  EXPECT_EQ(arrived.DY, sent.DY);
  EXPECT_EQ(arrived.X, sent.X);
  EXPECT_EQ(arrived.Y, sent.Y);
  EXPECT_EQ(arrived.Frame, 7);
  EXPECT_EQ(arrived.State, TargetFlying);
  EXPECT_EQ(match.guest.targets.SpawnCounter, 9) << "the host's count replaces the guest's";
  EXPECT_EQ(match.guest.opponentHits, 0) << "a new stork is no hit";

  const GroundFigureRecord& figure = match.host.targets.GroundFigures[3];
  EXPECT_EQ(figure.State, FigureHit);
  EXPECT_EQ(figure.X, 1234);
  EXPECT_DOUBLE_EQ(figure.HitX, 1254.0);
  EXPECT_EQ(match.host.opponentHits, 1) << "the other player's hit sounds";
  EXPECT_EQ(match.guest.targets.Targets[6].X, 10.0) << "no record is lost to a later one";
  EXPECT_TRUE(match.host.match.PendingUpdates.empty());
  EXPECT_TRUE(match.guest.match.PendingUpdates.empty());
  EXPECT_EQ(match.host.match.ExchangeTargets[5].X, match.guest.match.ExchangeTargets[5].X)
      << "both sides keep the world as it stands after the exchange";

  // The host's announcement and record go out before it takes the guest's.
  const std::vector<std::string>& hostSent = match.line.host.sent;
  const auto position = [&](const std::string& text) {
    return std::find(hostSent.begin(), hostSent.end(), text) - hostSent.begin();
  };
  EXPECT_LT(position("q1|6|9|"), position("q1|5|9|"));
  EXPECT_LT(position("q1|5|9|"), position("q"));
  EXPECT_LT(position("w" + TargetPayload(sent)), position("w"));
}

// The guest's part here is played by hand: its status alone has come when the host must have
// said all it says in the exchange, the texts of the lock-step transfers in their order, without
// waiting for any answer; only then does the rest of the guest's part come.
TEST(TwoPlayerProtocol, ASideSaysAllOfAnExchangeOnceTheStatusesHaveCrossed) {
  Match match;
  match.host.targets.Targets[5] = FlyingStork();
  match.host.targets.SpawnCounter = 4;
  match.hostProtocol.AnnounceUpdate(RecordKind::Stork, 5);
  const std::string storkPayload = TargetPayload(match.host.targets.Targets[5]);
  const GroundFigureRecord hit = HitFigure();
  StatusFields guestStatus;
  guestStatus.PendingUpdate = 1;
  guestStatus.CameraXInt = 1500;
  guestStatus.CursorX = 320;
  guestStatus.CursorY = 240;
  match.line.Queue(0, "y" + StatusPayload(guestStatus));
  match.line.Queue(0, "~");

  std::vector<std::string> heard;
  match.Together([](TwoPlayerProtocol& p) { p.ExchangeStatus(); },
                 [&](TwoPlayerProtocol&) {
                   const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                   while (heard.size() < 12 && std::chrono::steady_clock::now() < deadline) {
                     if (std::optional<std::string> text = match.line.guest.Poll())
                       heard.push_back(*text);
                     else
                       match.line.guest.WaitForTraffic(10);
                   }
                   for (const char* text : {"#", "q", "~", "w", "~", "#", "q2|3|4|", "~"}) match.line.guest.Send(text);
                   match.line.guest.Send("w" + FigurePayload(hit));
                   match.line.guest.Send("~");
                 });

  ASSERT_EQ(heard.size(), 12u) << "the host waited for an answer before it had said all";
  EXPECT_TRUE(heard[0].starts_with("y1|")) << heard[0];
  EXPECT_EQ(std::vector<std::string>(heard.begin() + 1, heard.end()),
            (std::vector<std::string>{"~", "#", "q1|5|4|", "~", "w" + storkPayload, "~", "#", "q", "~", "w", "~"}));
  EXPECT_EQ(match.host.targets.GroundFigures[3].X, 1234) << "the guest's record came after all";
  EXPECT_EQ(match.host.opponentHits, 1);
  EXPECT_EQ(match.host.match.RecordTransfers, 2);
  EXPECT_EQ(match.host.match.PeerEndState, EndState::Playing) << "nothing broke the line";
}

TEST(TwoPlayerProtocol, TheEndSignalAndTheOtherSidesLeavingEndEveryWait) {
  Match match;
  // The guest's round is over: its signal ends the host's exchange wherever it waits.
  match.Together([](TwoPlayerProtocol& p) { EXPECT_EQ(p.ExchangeText('y', "0|0|0|0|0|0|"), "0"); },
                 [](TwoPlayerProtocol& p) { p.SendText("@0"); });
  EXPECT_EQ(match.host.match.PeerEndState, EndState::Over);
  EXPECT_TRUE(match.hostProtocol.PeerOver());

  // Surplus signals of earlier waits are passed over by the next one, however many wait: the
  // line wakes a wait only for what is new.
  Match next;
  for (int i = 0; i < 300; ++i) next.line.Queue(1, ">");
  next.Together([](TwoPlayerProtocol& p) { p.SyncBarrier(); }, [](TwoPlayerProtocol& p) { p.SyncBarrier(); });
  EXPECT_EQ(next.guest.match.Gone, OpponentGone::No);
  EXPECT_EQ(next.guest.match.PeerEndState, EndState::Playing);
  EXPECT_EQ(next.guest.match.LastText, "#");
  EXPECT_LT(next.line.guest.waits, 10) << "what waited was taken in one pass, not one at each wake-up";

  // The other player's choice to play again is found among whatever else waits, and what follows
  // it, the next round's first barrier, is left for that round.
  Match choosing;
  for (const char* text : {"@0", ">", "#"}) choosing.line.Queue(0, text);
  EXPECT_TRUE(choosing.hostProtocol.RestartHeard());
  EXPECT_TRUE(choosing.hostProtocol.RestartHeard()) << "and stays heard";
  choosing.Together([](TwoPlayerProtocol& p) { p.SyncBarrier(); }, [](TwoPlayerProtocol&) {});
  EXPECT_EQ(choosing.host.match.Gone, OpponentGone::No);
  EXPECT_EQ(choosing.host.match.LastText, "#");

  // A notice that the other player left ends a wait that nothing else would.
  Match left;
  left.line.host.gone = OpponentGone::Left;
  EXPECT_EQ(left.hostProtocol.WaitForMessage('#'), "0");
  EXPECT_EQ(left.host.match.Gone, OpponentGone::Left);
  EXPECT_EQ(left.host.match.PeerEndState, EndState::Over);
}

// The other side as a script of the texts it sends, whatever it is sent; silent once they are out.
// Waiting moves the game's clock instead of taking real time.
class ScriptedPeer final : public MessageChannel {
 public:
  explicit ScriptedPeer(platform::ScriptedClock& Clock) : clock_(Clock) {}
  void Send(const std::string& Text) override { sent.push_back(Text); }
  std::optional<std::string> Poll() override {
    if (texts.empty()) return std::nullopt;
    std::string text = texts.front();
    texts.pop_front();
    return text;
  }
  void WaitForTraffic(std::int32_t Milliseconds) override {
    clock_.Sleep(static_cast<std::uint32_t>(Milliseconds));
    waited += Milliseconds;
  }
  OpponentGone Gone() const override { return gone; }

  std::deque<std::string> texts;
  std::vector<std::string> sent;
  std::int64_t waited = 0;
  OpponentGone gone = OpponentGone::No;

 private:
  platform::ScriptedClock& clock_;
};

// One side of a match against a scripted other side.
struct AgainstScript {
  explicit AgainstScript(std::vector<std::string> Texts = {}) {
    peer.texts.assign(Texts.begin(), Texts.end());
    protocol.SetHost(true);
  }
  platform::ScriptedClock clock;
  platform::ScopedClock scoped{clock};
  ScriptedPeer peer{clock};
  MatchState match;
  RoundState round;
  TargetState targets;
  TestWindow window;
  TwoPlayerProtocol protocol{peer, match, round, targets, window, [] {}};
};

TEST(TwoPlayerProtocol, AnAnswerIsAwaitedTenSecondsAndAPersonUntilThePlayerLeaves) {
  AgainstScript silent;
  EXPECT_EQ(silent.protocol.ExchangeValue('1', 2), 0);
  EXPECT_EQ(silent.match.Gone, OpponentGone::Silent);
  EXPECT_TRUE(silent.protocol.PeerOver());
  EXPECT_GT(silent.peer.waited, SilenceLimitMilliseconds);
  EXPECT_LT(silent.peer.waited, SilenceLimitMilliseconds + 200) << "it waited on traffic, in steps, not for ever";
  EXPECT_GT(silent.window.systemPasses, 150) << "the window's system events are served while it waits";
  EXPECT_EQ(silent.window.personPasses, 0) << "but none of the game's own handlers run";

  // The other person looks at the title picture for minutes: the wait goes on, the window runs,
  // and it ends when the local player leaves.
  AgainstScript slow;
  slow.window.leaveAfterPasses = 6000;
  EXPECT_EQ(slow.protocol.WaitForMessage('#', Awaited::Person), "0");
  EXPECT_EQ(slow.match.Gone, OpponentGone::No);
  EXPECT_GT(slow.peer.waited, 250000);
  EXPECT_EQ(slow.window.personPasses, 6000);
  const std::int64_t waited = slow.peer.waited;
  slow.protocol.ExchangeStatus();
  EXPECT_EQ(slow.peer.waited, waited) << "once the player has left, nothing more waits";

  // A person wait ends as soon as the other player is gone.
  AgainstScript gone;
  gone.peer.gone = OpponentGone::SessionLost;
  EXPECT_EQ(gone.protocol.WaitForMessage('#', Awaited::Person), "0");
  EXPECT_EQ(gone.match.Gone, OpponentGone::SessionLost);

  // The wait for the other side's end signal, a pass of the game's window at a time: it ends on
  // the news that the other side is gone, or after ten seconds without a word.
  for (const OpponentGone news : {OpponentGone::Left, OpponentGone::No}) {
    AgainstScript ending;
    ending.protocol.SignalEnd();
    int passes = 0;
    for (; !ending.protocol.EndHeard() && passes < 1000; ++passes) {
      ending.peer.WaitForTraffic(16);
      if (passes == 100) ending.peer.gone = news;
    }
    EXPECT_EQ(ending.match.Gone, news == OpponentGone::No ? OpponentGone::Silent : news);
    EXPECT_EQ(passes, news == OpponentGone::No ? 626 : 101);
  }
}

TargetRecord FallingStork(double LabelY) {
  TargetRecord stork = FlyingStork();
  stork.State = TargetFalling;
  stork.Frame = 1;
  stork.LabelY = LabelY;
  return stork;
}

// A status announcing one record, and the transfer of it.
std::vector<std::string> RecordTransfer(const std::string& Announcement, const std::string& Record) {
  return {"y1|0|0|0|0|21|", "~", "#", "q" + Announcement, "~", "w" + Record, "~"};
}

TEST(TwoPlayerProtocol, ValuesNoRealOpponentSendsBreakTheLineAndChangeNothing) {
  GroundFigureRecord ancient;
  ancient.State = FigureIdle;
  ancient.Frame = 1;
  ancient.Age = 2147483647;
  ancient.X = 100;
  const std::vector<std::pair<const char*, std::vector<std::string>>> cases = {
      {"a tick count far ahead", {"y0|0|0|0|0|400000000|", "~"}},
      {"the largest tick count", {"y0|0|0|0|0|2147483647|", "~"}},
      {"a negative tick count", {"y0|0|0|0|0|-5|", "~"}},
      {"more records than slots", {"y1000000|0|0|0|0|21|", "~"}},
      {"a camera at the end of the numbers", {"y0|0|2147483647|0|0|21|", "~"}},
      {"a cursor at the other end", {"y0|0|0|-2147483648|0|21|", "~"}},
      {"a status cut short", {"y0|0|", "~"}},
      {"a label that holds a slot for hours", RecordTransfer("1|5|3|", TargetPayload(FallingStork(2000000)))},
      {"a stork far off the world", RecordTransfer("1|5|3|",
                                                   [] {
                                                     TargetRecord far = FlyingStork();
                                                     far.X = 2000000;
                                                     return TargetPayload(far);
                                                   }())},
      {"a figure about to overflow its age", RecordTransfer("2|3|3|", FigurePayload(ancient))},
      {"a record kind the game has not", RecordTransfer("7|5|3|", TargetPayload(FlyingStork()))},
      {"a spawn count about to overflow", RecordTransfer("1|5|2147483647|", TargetPayload(FlyingStork()))},
      {"an announcement cut short", RecordTransfer("1|", TargetPayload(FlyingStork()))},
  };
  for (const auto& [what, texts] : cases) {
    AgainstScript side(texts);
    side.round.TickCount = 21;
    side.round.TickAccumulator = 2;
    side.protocol.ExchangeStatus();
    EXPECT_EQ(side.match.Gone, OpponentGone::Broken) << what;
    EXPECT_TRUE(side.protocol.PeerOver()) << what;
    EXPECT_EQ(side.round.TickAccumulator, 2) << what;
    EXPECT_EQ(side.match.OpponentCameraX, 0) << what;
    EXPECT_EQ(side.targets.Targets[5].State, TargetFree) << what;
    EXPECT_EQ(side.targets.GroundFigures[3].State, FigureFree) << what;
    EXPECT_LT(side.peer.waited, 1000) << what << ": nothing waited for the silence limit";
    EXPECT_TRUE(side.window.errors.empty()) << what;
  }

  // However short the announcement, the record's half goes, so that the other side never waits.
  AgainstScript cut(RecordTransfer("1|", TargetPayload(FlyingStork())));
  cut.protocol.ExchangeStatus();
  EXPECT_NE(std::find(cut.peer.sent.begin(), cut.peer.sent.end(), "w"), cut.peer.sent.end());

  // A field that is no number says so as the runtime does, and ends the match, not the program.
  AgainstScript words({"y0|12a|0|0|0|21|", "~"});
  words.protocol.ExchangeStatus();
  EXPECT_EQ(words.window.errors, (std::vector<std::string>{"'12a' ist kein g\xFCltiger Integerwert"}));
  EXPECT_EQ(words.match.Gone, OpponentGone::Broken);

  // A record as the game makes it still arrives.
  AgainstScript good(RecordTransfer("1|5|3|", TargetPayload(FallingStork(120))));
  good.protocol.ExchangeStatus();
  EXPECT_EQ(good.match.Gone, OpponentGone::No);
  EXPECT_EQ(good.targets.Targets[5].State, TargetFalling);
}

TEST(TwoPlayerProtocol, AHitJustBeforeTheOtherSidesEndCountsOnBothSides) {
  Match match;
  match.host.round.Score = 10;
  match.guest.round.Score = 25;
  match.guest.targets.Targets[4] = FallingStork(100);
  match.guestProtocol.AnnounceUpdate(RecordKind::Stork, 4);
  const auto end = [](TwoPlayerProtocol& p) {
    p.SignalEnd();
    while (!p.EndHeard()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    p.Settle();
  };
  // The host's time is up; the guest has just begun its next exchange when the signal comes.
  match.Together(end, [&](TwoPlayerProtocol& p) {
    p.ExchangeStatus();
    end(p);
  });
  EXPECT_EQ(match.host.round.OpponentScore, 25);
  EXPECT_EQ(match.guest.round.OpponentScore, 10);
  EXPECT_EQ(match.host.targets.Targets[4].State, TargetFalling);
  EXPECT_EQ(match.host.opponentHits, 1);
  for (const Side* side : {&match.host, &match.guest}) {
    EXPECT_EQ(side->match.Gone, OpponentGone::No);
    EXPECT_EQ(side->match.PeerEndState, EndState::Over);
  }
}

}  // namespace
