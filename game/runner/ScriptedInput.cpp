#include "ScriptedInput.h"

#include <thread>

#include "platform/win/CodePage.h"

using platform::InputEvent;
using platform::InputKind;

ScriptedInput::ScriptedInput(std::vector<ScriptCommand> Commands, platform::ScriptedClock& Clock,
                             std::function<void(const ScriptCommand&)> Perform, std::function<POINT()> Origin,
                             std::function<void(std::uint64_t)> TimePassed,
                             std::function<std::string(const std::string&)> StateValue,
                             std::function<std::optional<POINT>()> StorkInSight)
    : commands_(std::move(Commands)),
      clock_(Clock),
      start_(Clock.Milliseconds()),
      perform_(std::move(Perform)),
      origin_(std::move(Origin)),
      timePassed_(std::move(TimePassed)),
      stateValue_(std::move(StateValue)),
      storkInSight_(std::move(StorkInSight)),
      heard_(Clock.Milliseconds()) {}

void ScriptedInput::TellTime() {
  const std::uint64_t now = clock_.Milliseconds();
  if (now > heard_ && timePassed_) timePassed_(now - heard_);
  heard_ = now;
}

std::vector<InputEvent> ScriptedInput::TakePending() {
  if (lastPass_ && *lastPass_ == clock_.Milliseconds()) clock_.Advance(1);
  lastPass_ = clock_.Milliseconds();
  TellTime();
  // The frame just flipped waits for its refresh here, in real time, before anyone looks at it.
  if (holding_) KeepPaceWithRealTime();
  if (passWatcher_) passWatcher_();
  const auto realNow = std::chrono::steady_clock::now();
  if (lastRealPass_)
    longestFreeze_ =
        std::max(longestFreeze_, std::chrono::duration_cast<std::chrono::milliseconds>(realNow - *lastRealPass_));
  lastRealPass_ = realNow;
  std::vector<InputEvent> events;
  // An action may run on for long (Start waits for the other player, letting messages run): what
  // follows it comes in a pass of its own, which may be one that the action itself runs.
  while (next_ < commands_.size() && Due(commands_[next_]) <= Now() && Ready(commands_[next_])) {
    lastDone_ = Now();
    Expand(commands_[next_++], events);
    if (!events.empty() && events.back().kind == InputKind::Action) break;
  }
  if (next_ == commands_.size() && Now() > lastDone_ + RunOnLimit)
    throw ScriptFault{commands_.empty() ? 0 : commands_.back().Line,
                      "the game ran on for " + std::to_string(RunOnLimit / 1000) +
                          " s after the last command without ending; end the script with \"end\""};
  return events;
}

// Nothing happens while the game waits: the clock moves straight on to the next command, unless
// the script waits for the other program of a two-player game.
void ScriptedInput::Wait() {
  if (next_ == commands_.size()) throw ScriptEnd{};
  if (awaitingSince_ || holding_) {
    PassRealTime(std::chrono::milliseconds(2));
    return;
  }
  const std::uint64_t due = Due(commands_[next_]);
  if (due > Now()) clock_.Advance(due - Now());
  TellTime();
}

bool ScriptedInput::Ready(const ScriptCommand& Command) {
  if (Command.Verb == ScriptVerb::Hold) return HoldDone(Command);
  if (Command.Verb != ScriptVerb::Await) return true;
  const std::string value = stateValue_(Command.Control);
  const bool other = Command.Text.starts_with("!");
  if (other ? value != Command.Text.substr(1) : value == Command.Text) {
    awaitingSince_.reset();
    return true;
  }
  const auto now = std::chrono::steady_clock::now();
  if (!awaitingSince_) awaitingSince_ = now;
  if (now - *awaitingSince_ > AwaitLimit)
    throw ScriptFault{Command.Line, Command.Control + " did not become " + Command.Text + " within " +
                                        std::to_string(AwaitLimit.count()) + " s"};
  return false;
}

bool ScriptedInput::HoldDone(const ScriptCommand& Command) {
  const auto now = std::chrono::steady_clock::now();
  if (!holding_) holding_ = Hold{now, Now()};
  KeepPaceWithRealTime();
  if (now - holding_->RealStart < std::chrono::milliseconds(Command.Number)) return false;
  holding_.reset();
  return true;
}

// Sleeping to the very point of the virtual clock, not by whole milliseconds of what is left,
// keeps the frames' real intervals as even as a screen's refresh.
void ScriptedInput::KeepPaceWithRealTime() {
  const auto due = holding_->RealStart + std::chrono::milliseconds(Now() - holding_->VirtualStart);
  const auto now = std::chrono::steady_clock::now();
  if (due > now)
    std::this_thread::sleep_until(due);
  else
    clock_.Advance(static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now - due).count()));
  TellTime();
}

void ScriptedInput::PassRealTime(std::chrono::milliseconds Time) {
  std::this_thread::sleep_for(Time);
  clock_.Advance(static_cast<std::uint64_t>(Time.count()));
  TellTime();
}

POINT ScriptedInput::CursorPosition() {
  const POINT origin = origin_();
  return {origin.x + cursor_.x, origin.y + cursor_.y};
}

InputEvent ScriptedInput::KeyEvent(InputKind Kind, WORD Key) const {
  InputEvent event;
  event.kind = Kind;
  event.key = Key;
  event.shift = shift_;
  return event;
}

InputEvent ScriptedInput::MouseEvent(InputKind Kind, const ScriptCommand& Command) const {
  InputEvent event;
  event.kind = Kind;
  event.position = Command.Position;
  event.button = Command.Button;
  event.shift = shift_;
  return event;
}

void ScriptedInput::Click(const ScriptCommand& Command, std::vector<InputEvent>& Events) {
  cursor_ = Command.Position;
  Events.push_back(MouseEvent(InputKind::MouseMove, Command));
  Events.push_back(MouseEvent(InputKind::MouseDown, Command));
  Events.push_back(MouseEvent(InputKind::MouseUp, Command));
}

void ScriptedInput::Expand(const ScriptCommand& Command, std::vector<InputEvent>& Events) {
  const auto shiftOf = [](WORD key) -> TShiftState {
    if (key == VK_SHIFT) return Only(ShiftKey::Shift);
    if (key == VK_MENU) return Only(ShiftKey::Alt);
    if (key == VK_CONTROL) return Only(ShiftKey::Ctrl);
    return 0;
  };
  switch (Command.Verb) {
    case ScriptVerb::KeyDown:
      shift_ |= shiftOf(Command.Key);
      Events.push_back(KeyEvent(InputKind::KeyDown, Command.Key));
      break;
    case ScriptVerb::KeyUp:
      shift_ &= ~shiftOf(Command.Key);
      Events.push_back(KeyEvent(InputKind::KeyUp, Command.Key));
      break;
    case ScriptVerb::Type: {
      InputEvent event;
      event.kind = InputKind::Text;
      event.text = Utf8ToCp1252(Command.Text);
      if (!event.text.empty()) Events.push_back(std::move(event));
      break;
    }
    case ScriptVerb::Move:
      cursor_ = Command.Position;
      Events.push_back(MouseEvent(InputKind::MouseMove, Command));
      break;
    case ScriptVerb::Press:
      Click(Command, Events);
      break;
    case ScriptVerb::ShootStork:
      if (const std::optional<POINT> stork = storkInSight_()) {
        ScriptCommand shot = Command;
        shot.Position = *stork;
        shot.Button = platform::MouseButton::Left;
        Click(shot, Events);
      }
      break;
    case ScriptVerb::Await:
    case ScriptVerb::Hold:
      break;
    default: {
      InputEvent event;
      event.kind = InputKind::Action;
      event.action = [this, Command] { perform_(Command); };
      Events.push_back(std::move(event));
      break;
    }
  }
}
