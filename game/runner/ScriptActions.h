#pragma once
// What a script does besides input: acts on the start screen's components as a user would, dumps
// the game's state and takes screenshots, or ends the run.

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>

#include "FrameLog.h"
#include "Script.h"
#include "platform/win/WinTypes.h"

class TApplication;
class TForm1;

class ScriptActions {
 public:
  explicit ScriptActions(TApplication& Application) : application_(Application) {}

  // Raises ScriptFault for a command the game cannot carry out, ScriptEnd for "end".
  void Perform(const ScriptCommand& Command);
  // Where the state dump learns how long the game was frozen at most.
  void SetFreezeMeter(std::function<std::int64_t()> Meter) { freezeMeter_ = std::move(Meter); }

 private:
  TForm1& Game(const ScriptCommand& Command) const;
  void ActOnControl(const ScriptCommand& Command);
  void WriteScreenshot(const ScriptCommand& Command);
  void WriteState(const ScriptCommand& Command);

  TApplication& application_;
  std::function<std::int64_t()> freezeMeter_;
};

// The game's state as key=value lines.
void WriteGameState(TForm1& Game, std::ostream& Out);
// One value of the game's state; empty when the game has no such key.
std::string StateValue(TApplication& Application, const std::string& Key);
// A point of the window where a shot hits a flying stork, if one is in sight.
std::optional<POINT> StorkInSight(TApplication& Application);
// What the game has shown so far, for the log of frame times.
FrameMark FrameMarkOf(TApplication& Application);
