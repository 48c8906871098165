#pragma once
// The rules of a round that need neither a screen nor a sound device: 5 ms ticks out of real
// time, the game clock at 0.9 of real time and how it reads, scrolling, the countdown, and where
// the digits of a number go.

#include <cstdint>
#include <vector>

#include "GameMath.h"
#include "GameState.h"

inline constexpr std::int32_t TickMilliseconds = 5;

// Adds a frame's real time to the ticks owed and runs every whole tick of it; the rest below
// 5 ms waits for the next frame.
template <class Tick>
void RunDueTicks(RoundState& Round, std::int64_t Elapsed, Tick&& SimulationTick) {
  Round.TickAccumulator += static_cast<std::int32_t>(Elapsed);
  while (Round.TickAccumulator >= TickMilliseconds) {
    SimulationTick();
    Round.TickAccumulator -= TickMilliseconds;
    Round.TickCount += 1;
    Round.TicksRun += 1;
  }
}

// How much of the time a frame's ticks took still counts as game time. Alone, ticks take no time worth
// counting and it is dropped. Against another player they wait for its status, and a wait of up
// to a frame comes from the two screens' unrelated frame phases and the line, not from this side
// running ahead: dropping it would put this side's game clock behind the other's by as much, and
// the next exchange would then keep the other side waiting a frame or two. Only what is longer is
// dropped.
std::int64_t TickTimeKept(std::int64_t TickTime, bool AgainstAnotherPlayer);

// Game seconds gone after so much real time: the game clock runs at 0.9 of real time.
std::int32_t GameSecondsElapsed(std::int64_t RealMilliseconds);
// What the clock shows, negative once the time is up.
std::int32_t RemainingSeconds(std::int32_t RoundSeconds, std::int64_t RealMilliseconds);
// The display shows 0:00 for a whole game second before the round ends.
bool RoundTimeUp(std::int32_t RoundSeconds, std::int64_t RealMilliseconds);

struct ClockFace {
  std::int32_t Minutes;
  std::int32_t Tens;  // of the seconds
  std::int32_t Ones;
};
// A negative remaining time shows as 0:00.
ClockFace ClockFaceOf(std::int32_t Remaining);

// How far one scroll action moves the view in a frame that took Elapsed milliseconds.
std::int32_t ScrollStepFor(std::int64_t Elapsed);
// The four scroll rules, each on its own: the mouse at an edge and a cursor key together scroll
// twice, and the view may pass its stops by up to a step.
double ScrolledCameraX(double CameraX, std::int32_t CursorX, bool LeftHeld, bool RightHeld, std::int32_t Step);

// A point on the screen.
struct ScreenPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// Where a landscape picture of depth layer 1 to 5 has its top left corner for a view, in the frame
// and in the hit mask alike: a layer passes at Layer / 5 of the view's speed, so far ones lag.
ScreenPoint SceneryOnScreen(std::int32_t Layer, const SceneryPlace& Place, std::int32_t CameraXInt);

// What the countdown does in a frame whose remaining seconds changed.
struct CountdownCue {
  bool StartLoop = false;   // at 10: the ticking starts, quietly
  bool Louder = false;      // below 10: 3 dB louder each second
  bool LastSecond = false;  // at 1: the last-second signal
};
CountdownCue CountdownFor(std::int32_t Remaining);
inline constexpr std::int32_t CountdownStartVolume = -2500;
inline constexpr std::int32_t CountdownVolumeStep = 300;

// One picture of a number: digits 0 to 9, 10 the colon, 11 the minus sign.
struct NumberCell {
  std::int32_t X;
  std::int32_t Picture;
};
inline constexpr std::int32_t ColonPicture = 10;
inline constexpr std::int32_t NumberCellWidth = 33;
inline constexpr std::int32_t LargestShownNumber = 9999;
// The cells of Value with its last digit at X, right-aligned; beyond ±9999 it shows ±9999.
std::vector<NumberCell> NumberCells(std::int32_t X, std::int32_t Value);
