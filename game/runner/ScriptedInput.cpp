#include "ScriptedInput.h"

#include "platform/win/CodePage.h"

using platform::InputEvent;
using platform::InputKind;

ScriptedInput::ScriptedInput(std::vector<ScriptCommand> Commands, platform::ScriptedClock& Clock,
                             std::function<void(const ScriptCommand&)> Perform, std::function<POINT()> Origin,
                             std::function<void(std::uint64_t)> TimePassed)
    : commands_(std::move(Commands)),
      clock_(Clock),
      start_(Clock.Milliseconds()),
      perform_(std::move(Perform)),
      origin_(std::move(Origin)),
      timePassed_(std::move(TimePassed)),
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
  std::vector<InputEvent> events;
  while (next_ < commands_.size() && commands_[next_].Time <= Now()) Expand(commands_[next_++], events);
  const std::uint64_t lastTime = commands_.empty() ? 0 : commands_.back().Time;
  if (next_ == commands_.size() && Now() > lastTime + RunOnLimit)
    throw ScriptFault{commands_.empty() ? 0 : commands_.back().Line,
                      "the game ran on for " + std::to_string(RunOnLimit / 1000) +
                          " s after the last command without ending; end the script with \"end\""};
  return events;
}

// Nothing happens while the game waits: the clock moves straight on to the next command.
void ScriptedInput::Wait() {
  if (next_ == commands_.size()) throw ScriptEnd{};
  const std::uint64_t due = commands_[next_].Time;
  if (due > Now()) clock_.Advance(due - Now());
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
    case ScriptVerb::Press:
      cursor_ = Command.Position;
      Events.push_back(MouseEvent(InputKind::MouseMove, Command));
      if (Command.Verb == ScriptVerb::Press) {
        Events.push_back(MouseEvent(InputKind::MouseDown, Command));
        Events.push_back(MouseEvent(InputKind::MouseUp, Command));
      }
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
