// Where targets come from and where they go: the round's clean slate, the spawner's tick and the
// one spawn. Both sides of a two-player game draw from their random sources in exactly this order,
// and every condition below draws left to right and stops at the first part that fails.

#include <cmath>

#include "GameMath.h"
#include "ScreenSize.h"
#include "Targets.h"

namespace {

// The spawner keeps off slots 1 and 30, though movement and drawing look at them.
constexpr int FirstSpawnSlot = 2;
constexpr int LastSpawnSlot = 29;

bool OutOfBounds(const TargetRecord& Target) {
  return Target.X > 5800 || Target.X < -310 || Target.Y < -80 || Target.Y > 482;
}

// A falling stork stays until its points label has risen off the screen, even far below it.
bool Removable(const TargetRecord& Target) {
  return Target.State == TargetFlying || (Target.State == TargetFalling && Target.LabelY < -50);
}

void RemoveTargetsOutOfBounds(TargetState& State) {
  for (int slot = 1; slot <= LiveTargetSlots; ++slot) {
    TargetRecord& target = State.Targets[slot];
    if (Removable(target) && OutOfBounds(target)) target.State = TargetFree;
  }
}

void RemovePlaneOutOfBounds(PlaneRecord& Plane) {
  if (Plane.PlaneState != PlaneCondition::Absent &&
      (Plane.PlaneX > 5300 || Plane.PlaneX < -1000 || Plane.PlaneY > 490)) {
    Plane.PlaneState = PlaneCondition::Absent;
  }
}

void StartPlane(PlaneRecord& Plane, RandomSource& Random) {
  Plane.PlaneState = PlaneCondition::Flying;
  Plane.BannerFrame = 1;
  Plane.PlaneX = -950;
  Plane.PlaneY = 8;
  Plane.PlaneDY = 0;
  Plane.PlaneFromRight = Random.Next() > 0.5;
  Plane.PlaneDX = Round(Random.Next() * 16 + 8);
  if (Plane.PlaneFromRight) {
    Plane.PlaneDX = -Plane.PlaneDX;
    Plane.PlaneX = 5200;
    Plane.BannerOffset = 120;
  } else {
    Plane.BannerOffset = -200;
  }
}

bool SpawnStork(TargetState& State, RandomSource& Random) {
  int slot = FirstSpawnSlot;
  while (slot <= LastSpawnSlot && State.Targets[slot].State != TargetFree) ++slot;
  if (slot > LastSpawnSlot) return false;

  TargetRecord& target = State.Targets[slot];
  target.Kind = Round(Random.Next() * 2.05 + 0.05) + 1;
  const double kind = target.Kind;
  target.X = Round(Random.Next() * 3200);
  const double pattern = Random.Next();
  if (Random.Next() < 0.5) {
    target.DX = (Random.Next() + 0.3) * 0.5 * kind;
    target.Direction = false;
  } else {
    target.DX = -(Random.Next() + 0.3) * 0.5 * kind;
    target.Direction = true;
  }
  if (pattern < 0.35) {
    target.Y = -30 * kind;
    target.DY = Random.Next() * kind * 0.2 + kind * 0.05;
  } else if (pattern < 0.7) {
    target.Y = ScreenHeight;
    target.DY = Random.Next() * kind * 0.2 - kind * 0.05;
    target.DX = -(Random.Next() + 0.3) * 0.5 * kind;
  } else {
    target.Y = Random.Next() * 350 + 3;
    target.DY = Random.Next() * kind * 0.025;
    target.DX = (Random.Next() + 0.3) * 0.8 * kind;
    target.X = -100 * kind;
    if (target.Direction) {
      // Far enough right that the stork enters from beyond the view wherever the camera stands.
      target.X = target.Kind == 1 ? 5800 : 4220;
      target.DX = -target.DX;
    }
  }
  target.State = TargetFlying;
  target.Frame = 1;
  // The patterns above pick DX without looking at the direction; the pictures must face the way it flies.
  target.DX = target.Direction ? -std::abs(target.DX) : std::abs(target.DX);

  State.SpawnMessageIndex = slot;
  State.SpawnMessageKind = RecordKind::Stork;
  State.Targets[0] = target;
  return true;
}

bool SpawnGroundFigure(TargetState& State, RandomSource& Random, TargetSounds& Sounds) {
  if (State.GroundFigureCount > MostGroundFigures - 1) return false;
  ++State.GroundFigureCount;
  int slot = 1;
  while (slot <= MostGroundFigures && State.GroundFigures[slot].State != FigureFree) ++slot;
  if (slot <= MostGroundFigures) {
    GroundFigureRecord& figure = State.GroundFigures[slot];
    Sounds.GroundFigureUp();
    figure.State = FigureRising;
    figure.X = Round(Random.Next() * GroundFigureSpread);
    figure.Frame = 1;
    figure.Age = 0;
  }
  // With no slot free the count went up all the same and slot 8 goes out; the other side expects
  // a record after every spawn.
  State.OutgoingFigure = State.GroundFigures[slot];
  State.SpawnMessageKind = RecordKind::Figure;
  State.SpawnMessageIndex = slot;
  return true;
}

}  // namespace

void ClearTargets(TargetState& State) {
  // Slot 0 is only the outgoing copy: the round set-up leaves it alone.
  for (int slot = 1; slot <= TargetSlots; ++slot) State.Targets[slot].State = TargetFree;
  for (int slot = 1; slot <= GroundFigureSlots; ++slot) State.GroundFigures[slot].State = FigureFree;
  State.GroundFigureCount = 0;
  State.Plane.PlaneState = PlaneCondition::Absent;
}

bool SpawnRandom(TargetState& State, std::int32_t Phase11, bool MaySpawn, RandomSource& Random, TargetSounds& Sounds) {
  if (Phase11 == 1) RemoveTargetsOutOfBounds(State);

  // The second draw only follows a first one below 0.05, and the joining side draws as the host
  // does, though it never spawns itself.
  bool spawned = false;
  if (Random.Next() < 0.05 && Random.Next() > State.SpawnThreshold && MaySpawn)
    spawned = SpawnTarget(State, Random, Sounds);

  RemovePlaneOutOfBounds(State.Plane);

  if (Random.Next() < 0.001) Sounds.Ambient(Round(Random.Next() * 14.99 + 0.5));

  // The plane's chance is drawn only on the first tick of eleven, but then also while a plane is
  // still in the air.
  if (Phase11 == 1 && Random.Next() < 0.0015 && State.Plane.PlaneState == PlaneCondition::Absent)
    StartPlane(State.Plane, Random);
  return spawned;
}

bool SpawnTarget(TargetState& State, RandomSource& Random, TargetSounds& Sounds) {
  ++State.SpawnCounter;
  if (Random.Next() < 0.98) return SpawnStork(State, Random);
  return SpawnGroundFigure(State, Random, Sounds);
}
