#pragma once
// What a script does besides input: acts on the start screen's components as a user would, dumps
// the game's state and takes screenshots, or ends the run.

#include <ostream>

#include "Script.h"

class TApplication;
class TForm1;

class ScriptActions {
 public:
  explicit ScriptActions(TApplication& Application) : application_(Application) {}

  // Raises ScriptFault for a command the game cannot carry out, ScriptEnd for "end".
  void Perform(const ScriptCommand& Command);

 private:
  TForm1& Game(const ScriptCommand& Command) const;
  void ActOnControl(const ScriptCommand& Command);
  void WriteScreenshot(const ScriptCommand& Command);
  void WriteState(const ScriptCommand& Command);

  TApplication& application_;
};

// The game's state as key=value lines.
void WriteGameState(TForm1& Game, std::ostream& Out);
