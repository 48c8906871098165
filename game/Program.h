#pragma once
// The program's start-up, shared by the game and its scripted runner.

#include <cstdint>
#include <optional>

class TApplication;

struct GameOptions {
  // Seeds the random generator instead of the clock, for a run that can be repeated.
  std::optional<std::uint32_t> Seed;
};

// Initialises the application, makes the forms and runs the message loop until the main form closes.
void RunVeltranzik(TApplication& Application, const GameOptions& Options);
