#pragma once
// Runs veltranzik-script in a game folder with a script, as a user runs it from a shell.

#include <string>

#include "GameFolder.h"

namespace game_test {

struct RunResult {
  int Status = -1;
  std::string Out;
  std::string Err;
};

RunResult RunScript(const GameFolder& Folder, const std::string& Script,
                    const std::string& Arguments = "script.txt --seed 7");

}  // namespace game_test
