#include "RoundRules.h"

#include <algorithm>

#include "ScreenSize.h"

namespace {

constexpr double GameClockRate = 0.9;
constexpr double LeftStop = 5;
constexpr double RightStop = 2560;
constexpr std::int32_t MinusPicture = 11;

}  // namespace

std::int32_t GameSecondsElapsed(std::int64_t RealMilliseconds) {
  return Round(GameClockRate * static_cast<double>(RealMilliseconds)) / 1000;
}

std::int32_t RemainingSeconds(std::int32_t RoundSeconds, std::int64_t RealMilliseconds) {
  return RoundSeconds - GameSecondsElapsed(RealMilliseconds);
}

bool RoundTimeUp(std::int32_t RoundSeconds, std::int64_t RealMilliseconds) {
  return RoundSeconds + 1 - GameSecondsElapsed(RealMilliseconds) <= 0;
}

ClockFace ClockFaceOf(std::int32_t Remaining) {
  if (Remaining < 0) return {0, 0, 0};
  const std::int32_t seconds = Remaining % 60;
  return {Remaining / 60, seconds / 10, seconds % 10};
}

std::int64_t TickTimeKept(std::int64_t TickTime, bool AgainstAnotherPlayer) {
  constexpr std::int64_t FrameMilliseconds = 17;
  return AgainstAnotherPlayer ? std::clamp<std::int64_t>(TickTime, 0, FrameMilliseconds) : 0;
}

std::int32_t ScrollStepFor(std::int64_t Elapsed) { return Round(static_cast<double>(Elapsed) / 2) + 1; }

double ScrolledCameraX(double CameraX, std::int32_t CursorX, bool LeftHeld, bool RightHeld, std::int32_t Step) {
  if (CursorX <= 1 && CameraX > LeftStop) CameraX -= Step;
  if (CursorX >= ScreenWidth - 1 && CameraX < RightStop) CameraX += Step;
  if (RightHeld && CameraX < RightStop) CameraX += Step;
  if (LeftHeld && CameraX > LeftStop) CameraX -= Step;
  return CameraX;
}

ScreenPoint SceneryOnScreen(std::int32_t Layer, const SceneryPlace& Place, std::int32_t CameraXInt) {
  return {Round(Layer * static_cast<double>(Place.X - CameraXInt) / 5) - 2, Place.Y + 2};
}

CountdownCue CountdownFor(std::int32_t Remaining) {
  CountdownCue cue;
  cue.StartLoop = Remaining == 10;
  cue.Louder = Remaining < 10;
  cue.LastSecond = Remaining == 1;
  return cue;
}

std::vector<NumberCell> NumberCells(std::int32_t X, std::int32_t Value) {
  const std::int32_t shown = std::clamp(Value, -LargestShownNumber, LargestShownNumber);
  const std::int32_t magnitude = shown < 0 ? -shown : shown;
  std::vector<NumberCell> cells;
  std::int32_t leftmost = X;
  for (std::int32_t place = 1000, offset = 3; place >= 10; place /= 10, --offset) {
    if (magnitude < place) continue;
    leftmost = std::min(leftmost, X - offset * NumberCellWidth);
    cells.push_back({X - offset * NumberCellWidth, magnitude / place % 10});
  }
  cells.push_back({X, magnitude % 10});
  if (shown < 0) cells.insert(cells.begin(), {leftmost - NumberCellWidth, MinusPicture});
  return cells;
}
