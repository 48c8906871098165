// Arbitrary bytes as what the other copy of the game sends. The payload readers take them whole;
// then, line by line, they are the other player's texts through a whole round of the protocol on a
// scripted clock. The first line is this side's plan: "h" as its first byte plays the host, any
// other the guest; each further byte, modulo 4, is how many of this side's records changed before
// one exchange ("0" to "3"), the last one before the settling at the round's end. The round ends
// after those exchanges, or sooner when the other side's ends.
//
// A bad field may only end in the readers' two errors. The protocol may end the match, but no wait
// may outlast its limit, and nothing it keeps from the other side may be a record the renderer
// cannot draw or a value the round cannot use.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "game/rules/GameRandom.h"
#include "game/rules/MessageText.h"
#include "game/rules/PeerValues.h"
#include "game/rules/RoundRules.h"
#include "game/rules/TwoPlayer.h"
#include "platform/win/Clock.h"
#include "tests/game/rules/SampleRecords.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

void Require(bool Holds) {
  if (!Holds) std::abort();
}

// Any other exception escapes, and the fuzzer reports it.
template <class Read>
bool ReadsWithoutFieldError(Read&& ReadFields) {
  try {
    ReadFields();
    return true;
  } catch (const EConvertError&) {
    return false;
  } catch (const PayloadEnded&) {
    return false;
  }
}

auto FieldsOf(const TargetRecord& T) {
  return std::tie(T.Direction, T.Kind, T.Points, T.State, T.SpareInt, T.DX, T.DY, T.X, T.Y, T.LabelY, T.SpareReal,
                  T.ScreenX, T.ScreenY, T.Frame);
}

auto FieldsOf(const GroundFigureRecord& F) {
  return std::tie(F.State, F.Frame, F.Age, F.X, F.ScreenX, F.HitX, F.LabelY);
}

TargetRecord TenPointStork() {
  TargetRecord stork = FlyingStork();
  stork.Points = 10;
  return stork;
}

TargetRecord FallingStork() {
  TargetRecord stork = TenPointStork();
  stork.Direction = false;
  stork.Kind = 3;
  stork.State = TargetFalling;
  stork.Frame = 4;
  stork.DY = 2.5;
  stork.X = 900.125;
  stork.Y = 180.5;
  stork.LabelY = -40.25;
  return stork;
}

GroundFigureRecord IdleFigure() {
  GroundFigureRecord figure = HitFigure();
  figure.State = FigureIdle;
  figure.Frame = 2;
  figure.Age = 300;
  return figure;
}

// Each "|" ends exactly one field, whether it converts or not.
void CheckFieldCount(const std::string& Payload) {
  FieldReader reader(Payload);
  std::size_t fields = 0;
  for (;;) {
    try {
      reader.Next();
    } catch (const EConvertError&) {
    } catch (const PayloadEnded&) {
      break;
    }
    ++fields;
    Require(fields <= Payload.size());
  }
  Require(fields == static_cast<std::size_t>(std::count(Payload.begin(), Payload.end(), '|')));
}

void CheckStatus(const std::string& Payload) {
  StatusFields status;
  if (!ReadsWithoutFieldError([&] { status = ReadStatus(Payload); })) return;
  Require(StatusPayload(ReadStatus(StatusPayload(status))) == StatusPayload(status));
}

// A target record cut short or with a bad field changes nothing; a whole one travels back as it came.
void CheckTarget(const std::string& Payload) {
  const TargetRecord before = TenPointStork();
  TargetRecord target = before;
  if (!ReadsWithoutFieldError([&] { ReadTarget(Payload, target); })) {
    Require(FieldsOf(target) == FieldsOf(before));
    return;
  }
  TargetRecord again;
  ReadTarget(TargetPayload(target), again);
  Require(TargetPayload(again) == TargetPayload(target));
}

void CheckFigure(const std::string& Payload) {
  GroundFigureRecord figure = IdleFigure();
  if (!ReadsWithoutFieldError([&] { ReadFigure(Payload, figure); })) return;
  GroundFigureRecord again;
  ReadFigure(FigurePayload(figure), again);
  Require(FigurePayload(again) == FigurePayload(figure));
}

void CheckCleanedText(Bytes Input) {
  const std::string text = CleanedText(Input.data(), Input.size());
  Require(std::none_of(text.begin(), text.end(), [](char c) { return static_cast<std::uint8_t>(c) < 32; }));
  Require(text.size() ==
          static_cast<std::size_t>(std::count_if(Input.begin(), Input.end(), [](std::uint8_t b) { return b >= 32; })));
}

void CheckReaders(Bytes Input) {
  CheckCleanedText(Input);
  const std::string payload(Input.begin(), Input.end());
  CheckFieldCount(payload);
  CheckStatus(payload);
  CheckTarget(payload);
  CheckFigure(payload);
}

std::vector<Bytes> Lines(Bytes Input) {
  std::vector<Bytes> lines;
  auto start = Input.begin();
  while (start != Input.end()) {
    const auto end = std::find(start, Input.end(), std::uint8_t{'\n'});
    lines.emplace_back(start, end);
    start = end == Input.end() ? end : end + 1;
  }
  return lines;
}

// As the real channel hands them out: a message too large for its buffer is dropped, and what is
// left of one is its cleaned text.
std::vector<std::string> OpponentTexts(std::span<const Bytes> Lines) {
  std::vector<std::string> texts;
  for (const Bytes line : Lines)
    if (line.size() <= MessageBufferSize) texts.push_back(CleanedText(line.data(), line.size()));
  return texts;
}

// Every text is there at once: time passes only while the protocol waits with nothing to read.
class ScriptedOpponent final : public MessageChannel {
 public:
  ScriptedOpponent(std::vector<std::string> Texts, platform::ScriptedClock& Clock)
      : texts_(std::move(Texts)), clock_(Clock) {}

  void Send(const std::string& /*Text*/) override {}
  std::optional<std::string> Poll() override {
    if (next_ == texts_.size()) return std::nullopt;
    return texts_[next_++];
  }
  void WaitForTraffic(std::int32_t Milliseconds) override { clock_.Advance(static_cast<std::uint64_t>(Milliseconds)); }
  OpponentGone Gone() const override { return OpponentGone::No; }

  std::span<const std::string> Unread() const { return std::span(texts_).subspan(next_); }

 private:
  std::vector<std::string> texts_;
  platform::ScriptedClock& clock_;
  std::size_t next_ = 0;
};

// Waits for a person have no silence limit: here the local player gives up after a minute.
constexpr std::uint64_t PlayerPatienceMilliseconds = 60000;
// What a wait may take beyond its limit: its last look for traffic, and then some.
constexpr std::uint64_t LeewayMilliseconds = 1000;
constexpr std::uint64_t AnswerLimit = SilenceLimitMilliseconds + LeewayMilliseconds;
constexpr std::uint64_t PersonLimit = PlayerPatienceMilliseconds + LeewayMilliseconds;

class PatientPlayerWindow final : public MatchWindow {
 public:
  explicit PatientPlayerWindow(platform::ScriptedClock& Clock)
      : clock_(Clock), leavesAt_(Clock.Milliseconds() + PlayerPatienceMilliseconds) {}

  bool ServeWhilePlayerAwaited() override { return clock_.Milliseconds() >= leavesAt_; }
  bool ServeSystemEvents() override { return false; }
  void ShowError(const Exception& /*E*/) override { ++errorsShown_; }

  int ErrorsShown() const { return errorsShown_; }

 private:
  platform::ScriptedClock& clock_;
  const std::uint64_t leavesAt_;
  int errorsShown_ = 0;
};

class SilentSounds final : public TargetSounds {
 public:
  void GroundFigureUp() override {}
  void Ambient(std::int32_t /*Number*/) override {}
};

// A round has hundreds; fifty already take the exchange through every state it has.
constexpr std::size_t MostExchanges = 50;

class Plan {
 public:
  explicit Plan(Bytes Line)
      : host_(!Line.empty() && Line.front() == 'h'), changes_(Line.empty() ? Line : Line.subspan(1)) {}

  bool Host() const { return host_; }
  std::size_t Exchanges() const { return changes_.empty() ? 0 : std::min(changes_.size() - 1, MostExchanges); }
  int ChangesBefore(std::size_t Exchange) const { return Exchange < changes_.size() ? changes_[Exchange] % 4 : 0; }

 private:
  bool host_;
  Bytes changes_;
};

TargetState OwnTargets() {
  TargetState targets;
  ClearTargets(targets);
  targets.Targets[2] = TenPointStork();
  targets.Targets[7] = FallingStork();
  targets.GroundFigures[3] = IdleFigure();
  targets.GroundFigureCount = 1;
  targets.SpawnThreshold = 0.81;
  return targets;
}

RoundState OwnRound() {
  RoundState round;
  round.Score = 120;
  round.CameraX = 1500;
  round.CameraXInt = 1500;
  round.CursorX = 320;
  round.CursorY = 240;
  round.TickAccumulator = 3;
  return round;
}

// One side's round against the texts, on a clock of its own.
class ScriptedMatch {
 public:
  ScriptedMatch(const Plan& OwnPlan, std::vector<std::string> Texts)
      : plan_(OwnPlan), opponent_(std::move(Texts), clock_), window_(clock_) {
    random_.Seed(1);
    protocol_.SetHost(OwnPlan.Host());
  }

  void Play() {
    Within(PersonLimit, [&] { protocol_.SyncBarrier(Awaited::Person); });
    Within(AnswerLimit, [&] { protocol_.ExchangeValue('1', 2); });
    Within(AnswerLimit, [&] { protocol_.ExchangeValue('2', 2); });
    Within(AnswerLimit, [&] { protocol_.SyncBarrier(); });
    while (exchanges_ < plan_.Exchanges() && !protocol_.PeerOver()) Exchange([&] { protocol_.ExchangeStatus(); });
    AwaitEnd();
    Exchange([&] { protocol_.Settle(); });
    CheckRestart();
    CheckWhatIsKept();
  }

 private:
  // The game's pass while it waits for the other side's end signal.
  static constexpr std::int32_t PassMilliseconds = 16;
  static constexpr int MostEndPasses = AnswerLimit / PassMilliseconds + 1;

  template <class Wait>
  void Within(std::uint64_t Limit, Wait&& AwaitIt) {
    const std::uint64_t start = clock_.Milliseconds();
    AwaitIt();
    Require(clock_.Milliseconds() - start <= Limit);
  }

  // Between two exchanges the round runs a status period of ticks: up to all of them, and the
  // exchange makes it catch up with the other side, which never ran more.
  template <class Trade>
  void Exchange(Trade&& TradeIt) {
    ChangeOwnRecords(plan_.ChangesBefore(exchanges_));
    const std::int32_t ownTicks = static_cast<std::int32_t>(exchanges_ % (TicksBetweenStatuses + 1));
    ++exchanges_;
    round_.TickCount = ownTicks;
    const std::int32_t owed = round_.TickAccumulator;
    Within(AnswerLimit, TradeIt);
    Require(round_.TickAccumulator >= owed &&
            round_.TickAccumulator - owed <= (TicksBetweenStatuses - ownTicks) * TickMilliseconds);
  }

  // The host's first change is a spawn, as its round makes them; the rest are hits.
  void ChangeOwnRecords(int Count) {
    static constexpr PendingRecord Hits[] = {{RecordKind::Stork, 2}, {RecordKind::Figure, 3}, {RecordKind::Stork, 7}};
    int hit = 0;
    if (plan_.Host() && Count > 0) {
      if (SpawnTarget(targets_, random_, sounds_))
        protocol_.AnnounceUpdate(targets_.SpawnMessageKind, targets_.SpawnMessageIndex);
      ++hit;
    }
    for (; hit < Count; ++hit) protocol_.AnnounceUpdate(Hits[hit].Kind, Hits[hit].Slot);
  }

  // The end signal goes again with every pass, as the game sends it, until the other side's comes
  // or the other side has been silent too long.
  void AwaitEnd() {
    Within(AnswerLimit, [&] {
      protocol_.SignalEnd();
      for (int pass = 0; !protocol_.EndHeard(); ++pass) {
        Require(pass < MostEndPasses);
        opponent_.WaitForTraffic(PassMilliseconds);
        protocol_.SendText("@0");
      }
    });
  }

  void CheckRestart() {
    const std::span<const std::string> unread = opponent_.Unread();
    const bool offered =
        std::any_of(unread.begin(), unread.end(), [](const std::string& text) { return text.starts_with('>'); });
    Require(protocol_.RestartHeard() == offered);
  }

  void CheckWhatIsKept() const {
    for (int slot = 1; slot <= TargetSlots; ++slot) {
      const TargetRecord& target = targets_.Targets[static_cast<std::size_t>(slot)];
      const bool untouched = FieldsOf(target) == FieldsOf(initialTargets_.Targets[static_cast<std::size_t>(slot)]);
      Require(untouched || (Drawable(target) && Plausible(target)));
    }
    for (int slot = 1; slot <= GroundFigureSlots; ++slot) {
      const GroundFigureRecord& figure = targets_.GroundFigures[static_cast<std::size_t>(slot)];
      const bool untouched =
          FieldsOf(figure) == FieldsOf(initialTargets_.GroundFigures[static_cast<std::size_t>(slot)]);
      Require(untouched || (Drawable(figure) && Plausible(figure)));
    }
    StatusFields opponent;
    opponent.PendingUpdate = match_.PeerPendingUpdate;
    opponent.Score = round_.OpponentScore;
    opponent.CameraXInt = match_.OpponentCameraX;
    opponent.CursorX = match_.OpponentCursorX;
    opponent.CursorY = match_.OpponentCursorY;
    opponent.TickCount = match_.OpponentTickCount;
    Require(Plausible(opponent));
    // A field that is no number is a broken line, not only a message.
    Require(window_.ErrorsShown() == 0 || match_.Gone != OpponentGone::No);
  }

  const Plan& plan_;
  platform::ScriptedClock clock_;
  const platform::ScopedClock scopedClock_{clock_};
  ScriptedOpponent opponent_;
  PatientPlayerWindow window_;
  SilentSounds sounds_;
  GameRandom random_;
  MatchState match_;
  RoundState round_ = OwnRound();
  TargetState targets_ = OwnTargets();
  const TargetState initialTargets_ = targets_;
  std::size_t exchanges_ = 0;
  TwoPlayerProtocol protocol_{opponent_, match_, round_, targets_, window_, [] {}};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes input(data, size);
  CheckReaders(input);
  const std::vector<Bytes> lines = Lines(input);
  if (lines.empty()) return 0;
  const Plan plan(lines.front());
  ScriptedMatch(plan, OpponentTexts(std::span(lines).subspan(1))).Play();
  return 0;
}
