#include "PeerValues.h"

#include <algorithm>

namespace {

bool Within(double Value, double Lowest, double Highest) { return Value >= Lowest && Value <= Highest; }

// Far beyond what any round can score, and far from where sums of them overflow.
constexpr std::int32_t MostPoints = 1000000;
// The view stops at 5 and 2560 and may pass a stop by a frame's scroll steps, which a long frame
// makes large.
constexpr std::int32_t CameraReach = 1000000;
// The mouse may stand outside a window that is not full screen.
constexpr std::int32_t CursorReach = 100000;
constexpr std::int32_t ScreenReach = 100000;

// Storks fly from about -300 to 5800 and are taken out a little beyond; a falling stork drops
// until its label has risen off the screen, at most about 2000 below the top.
constexpr double StorkLeftmost = -1000;
constexpr double StorkRightmost = 7000;
constexpr double StorkHighest = -1000;
constexpr double StorkLowest = 3000;
constexpr double FastestStork = 10;
constexpr double LabelReach = 1000;

// Free slots age for as long as the match goes on: this is weeks of it.
constexpr std::int32_t OldestFigure = 100000000;

}  // namespace

bool Drawable(const TargetRecord& Target) {
  if (Target.Kind < 1 || Target.Kind > 3) return false;
  switch (Target.State) {
    case TargetFlying:
      return Target.Frame >= 0 && Target.Frame <= LastFlyingFrame;
    case TargetFalling:
      return Target.Frame >= 1 && Target.Frame <= FallingFrames;
    case TargetFree:
      return true;
    default:
      return false;
  }
}

bool Drawable(const GroundFigureRecord& Figure) {
  switch (Figure.State) {
    case FigureFree:
    case FigureLabelOnly:
      return true;
    case FigureRising:
    case FigureSinking:
      return Figure.Frame >= 1 && Figure.Frame <= RisingFigureFrames;
    case FigureIdle:
      return Figure.Frame >= 1 && Figure.Frame <= IdleFigureFrames;
    case FigureHit:
      return Figure.Frame >= 1 && Figure.Frame <= HitFigureFrames;
    default:
      return false;
  }
}

bool Plausible(const StatusFields& Status) {
  return Within(Status.PendingUpdate, 0, MostRecordsAnnounced) && Within(Status.Score, -MostPoints, MostPoints) &&
         Within(Status.CameraXInt, -CameraReach, CameraReach) && Within(Status.CursorX, -CursorReach, CursorReach) &&
         Within(Status.CursorY, -CursorReach, CursorReach);
}

bool PlausibleTickCount(std::int32_t TickCount) { return Within(TickCount, 0, TicksBetweenStatuses); }

bool Plausible(const TargetRecord& Target) {
  return Drawable(Target) && Within(Target.Points, 0, std::ranges::max(StorkPoints)) &&
         Within(Target.X, StorkLeftmost, StorkRightmost) && Within(Target.Y, StorkHighest, StorkLowest) &&
         Within(Target.DX, -FastestStork, FastestStork) && Within(Target.DY, -FastestStork, FastestStork) &&
         Within(Target.LabelY, -LabelReach, LabelReach) && Within(Target.ScreenX, -ScreenReach, ScreenReach) &&
         Within(Target.ScreenY, -ScreenReach, ScreenReach);
}

bool Plausible(const GroundFigureRecord& Figure) {
  return Drawable(Figure) && Within(Figure.X, 0, GroundFigureSpread) && Within(Figure.Age, 0, OldestFigure) &&
         Within(Figure.HitX, 0, GroundFigureSpread + FigureHitOffset) &&
         Within(Figure.LabelY, -LabelReach, LabelReach) && Within(Figure.ScreenX, -ScreenReach, ScreenReach);
}

bool PlausibleRecordKind(std::int32_t Kind) {
  return Kind == static_cast<std::int32_t>(RecordKind::Stork) || Kind == static_cast<std::int32_t>(RecordKind::Figure);
}

// At most a spawn a tick: months of play, and far from where counting on overflows.
bool PlausibleSpawnCounter(std::int32_t SpawnCounter) { return Within(SpawnCounter, 0, 1000000000); }
