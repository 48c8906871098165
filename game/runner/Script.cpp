#include "Script.h"

#include <charconv>
#include <sstream>

namespace {

// The words of a line, and whatever follows a given number of them untouched.
class LineReader {
 public:
  LineReader(int line, const std::string& text) : line_(line), text_(text) {}

  std::string Word(const char* what) {
    SkipBlanks();
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ' ' && text_[at_] != '\t') ++at_;
    if (start == at_) Fail(std::string("expected ") + what);
    return text_.substr(start, at_ - start);
  }

  template <class Number>
  Number NumberWord(const char* what, Number lowest, Number highest) {
    const std::string word = Word(what);
    Number value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < lowest || value > highest)
      Fail(std::string("expected ") + what + ", got \"" + word + "\"");
    return value;
  }

  // The rest of the line after one blank.
  std::string Rest() {
    if (at_ < text_.size()) ++at_;
    return text_.substr(std::min(at_, text_.size()));
  }

  void End() {
    SkipBlanks();
    if (at_ < text_.size()) Fail("unexpected \"" + text_.substr(at_) + "\"");
  }

  [[noreturn]] void Fail(const std::string& reason) const { throw ScriptFault{line_, reason}; }

 private:
  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }

  int line_;
  const std::string& text_;
  std::size_t at_ = 0;
};

void ReadPoint(LineReader& reader, ScriptCommand& command) {
  command.Position.x = reader.NumberWord<LONG>("an x coordinate", -100000, 100000);
  command.Position.y = reader.NumberWord<LONG>("a y coordinate", -100000, 100000);
}

void ReadControl(LineReader& reader, ScriptCommand& command) {
  command.Control = reader.Word("a component name");
  const std::string action = reader.Word("click, text, select or position");
  if (action == "click") {
    command.Action = ControlVerb::Click;
  } else if (action == "text") {
    command.Action = ControlVerb::Text;
    command.Text = reader.Rest();
    return;
  } else if (action == "select" || action == "position") {
    command.Action = action == "select" ? ControlVerb::Select : ControlVerb::Position;
    command.Number = reader.NumberWord<std::int32_t>("a number", -1000000, 1000000);
  } else {
    reader.Fail("unknown control action \"" + action + "\"");
  }
  reader.End();
}

ScriptCommand ParseLine(int line, const std::string& text) {
  LineReader reader(line, text);
  ScriptCommand command;
  command.Line = line;
  std::string time = reader.Word("a time in milliseconds");
  command.Relative = time.starts_with("+");
  if (command.Relative) time.erase(0, 1);
  LineReader timeReader(line, time);
  command.Time = timeReader.NumberWord<std::uint64_t>("a time in milliseconds", 0, std::uint64_t{1} << 50);
  const std::string verb = reader.Word("a command");
  if (verb == "key") {
    const std::string direction = reader.Word("down or up");
    if (direction != "down" && direction != "up") reader.Fail("expected down or up, got \"" + direction + "\"");
    command.Verb = direction == "down" ? ScriptVerb::KeyDown : ScriptVerb::KeyUp;
    command.Key = reader.NumberWord<WORD>("a key code from 1 to 255", 1, 255);
    reader.End();
  } else if (verb == "type") {
    command.Verb = ScriptVerb::Type;
    command.Text = reader.Rest();
  } else if (verb == "move") {
    command.Verb = ScriptVerb::Move;
    ReadPoint(reader, command);
    reader.End();
  } else if (verb == "press") {
    command.Verb = ScriptVerb::Press;
    const std::string button = reader.Word("left or right");
    if (button != "left" && button != "right") reader.Fail("expected left or right, got \"" + button + "\"");
    command.Button = button == "left" ? platform::MouseButton::Left : platform::MouseButton::Right;
    ReadPoint(reader, command);
    reader.End();
  } else if (verb == "shoot") {
    command.Verb = ScriptVerb::ShootStork;
    if (reader.Word("stork") != "stork") reader.Fail("expected \"shoot stork\"");
    reader.End();
  } else if (verb == "control") {
    command.Verb = ScriptVerb::Control;
    ReadControl(reader, command);
  } else if (verb == "screenshot" || verb == "state") {
    command.Verb = verb == "state" ? ScriptVerb::State : ScriptVerb::Screenshot;
    command.Text = reader.Word("a file name");
    reader.End();
  } else if (verb == "await") {
    command.Verb = ScriptVerb::Await;
    command.Control = reader.Word("a state key");
    command.Text = reader.Rest();
  } else if (verb == "hold") {
    command.Verb = ScriptVerb::Hold;
    command.Number = reader.NumberWord<std::int32_t>("milliseconds of real time", 0, 3600000);
    reader.End();
  } else if (verb == "end") {
    command.Verb = ScriptVerb::End;
    reader.End();
  } else {
    reader.Fail("unknown command \"" + verb + "\"");
  }
  return command;
}

}  // namespace

std::vector<ScriptCommand> ParseScript(std::istream& Input) {
  std::vector<ScriptCommand> commands;
  std::uint64_t lastAbsolute = 0;
  std::string text;
  for (int line = 1; std::getline(Input, text); ++line) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#') continue;
    ScriptCommand command = ParseLine(line, text.substr(first));
    if (!command.Relative && command.Time < lastAbsolute)
      throw ScriptFault{line, "time " + std::to_string(command.Time) + " is before a line above (" +
                                  std::to_string(lastAbsolute) + ")"};
    if (!command.Relative) lastAbsolute = command.Time;
    commands.push_back(std::move(command));
  }
  return commands;
}
