#pragma once
// The scripted runner's scripts: one command a line, each at a time of the virtual clock.

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "platform/win/Input.h"

enum class ScriptVerb { KeyDown, KeyUp, Type, Move, Press, ShootStork, Control, Screenshot, State, Await, Hold, End };
enum class ControlVerb { Click, Text, Select, Position };

struct ScriptCommand {
  int Line = 0;
  std::uint64_t Time = 0;  // milliseconds since the run started, or since the line above was carried out
  bool Relative = false;
  ScriptVerb Verb = ScriptVerb::End;
  WORD Key = 0;
  POINT Position{};
  platform::MouseButton Button = platform::MouseButton::Left;
  std::string Text;     // typed text (UTF-8), a file name, or a control's new text
  std::string Control;  // the component's name, or the state key awaited
  ControlVerb Action = ControlVerb::Click;
  std::int32_t Number = 0;  // also the milliseconds of real time a hold lasts
};

// A fault of the script, found while reading it or while carrying it out.
struct ScriptFault {
  int Line;
  std::string Reason;
};

// The commands in order; raises ScriptFault for the first line that is not one.
std::vector<ScriptCommand> ParseScript(std::istream& Input);
