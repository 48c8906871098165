#pragma once
// Everything the player can shoot: the storks, the ground figures and the plane with its banner;
// how they come (the spawner), how they move each 5 ms tick, and what is left to the form that
// draws them and plays their sounds. Both sides of a two-player game run these rules on the same
// records, so the order of operations, the random draws and the rounding are part of the rules.

#include <array>
#include <cstdint>

#include "GameState.h"
#include "RandomSource.h"

// One stork; the fields in this order travel in the two-player record message.
struct TargetRecord {
  bool Direction = false;  // false flies to the right, true to the left
  std::int32_t Kind = 0;   // 1 small, 2 medium, 3 big; also its depth layer
  std::int32_t Points = 0;
  std::int32_t State = 3;  // 1 flying, 2 falling, 3 free
  std::int32_t SpareInt = 0;
  double DX = 0;
  double DY = 0;
  double X = 0;
  double Y = 0;
  double LabelY = 0;
  double SpareReal = 0;
  std::int32_t ScreenX = 0;
  std::int32_t ScreenY = 0;
  std::int32_t Frame = 0;  // flying 0 to 18, falling 1 to 6
};

// What a two-player record carries; the numbers go on the wire.
enum class RecordKind : std::int32_t { Stork = 1, Figure = 2 };

inline constexpr std::int32_t TargetFlying = 1;
inline constexpr std::int32_t TargetFalling = 2;
inline constexpr std::int32_t TargetFree = 3;

// One ground figure; its fields in this order travel in the two-player record message.
struct GroundFigureRecord {
  std::int32_t State = 0;  // 0 free, 1 rising, 2 idle, 3 hit, 4 sinking, 5 label only
  std::int32_t Frame = 0;
  std::int32_t Age = 0;
  std::int32_t X = 0;
  std::int32_t ScreenX = 0;
  double HitX = 0;
  double LabelY = 0;
};

inline constexpr std::int32_t FigureFree = 0;
inline constexpr std::int32_t FigureRising = 1;
inline constexpr std::int32_t FigureIdle = 2;
inline constexpr std::int32_t FigureHit = 3;
inline constexpr std::int32_t FigureSinking = 4;
inline constexpr std::int32_t FigureLabelOnly = 5;

enum class PlaneCondition : std::int32_t { Absent, Flying, ShotDown };

struct PlaneRecord {
  PlaneCondition PlaneState = PlaneCondition::Absent;
  bool PlaneFromRight = false;
  std::int32_t PlaneX = 0;
  std::int32_t PlaneY = 0;
  std::int32_t PlaneDX = 0;
  std::int32_t PlaneDY = 0;
  std::int32_t BannerFrame = 1;
  std::int32_t BannerOffset = 0;
  std::int32_t PlaneScreenX = 0;
  double PlaneLabelX = 0;
  double PlaneLabelY = 0;
};

// What a hit stork of kind 1, 2 or 3 is worth.
inline constexpr std::array<std::int32_t, 3> StorkPoints = {25, 10, 5};
// Ground figures come up between 0 and this far into the world, and are hit this far right of it.
inline constexpr std::int32_t GroundFigureSpread = 3000;
inline constexpr std::int32_t FigureHitOffset = 20;

inline constexpr int TargetSlots = 31;        // slots 1 to 31; slot 0 is the outgoing copy
inline constexpr int LiveTargetSlots = 30;    // moved, drawn and freed
inline constexpr int GroundFigureSlots = 10;  // slots 1 to 10
inline constexpr int LiveFigureSlots = 8;     // moved, drawn and hit
inline constexpr int MostGroundFigures = 7;

struct TargetState {
  std::array<TargetRecord, TargetSlots + 1> Targets;                    // [slot]
  std::array<GroundFigureRecord, GroundFigureSlots + 1> GroundFigures;  // [slot]; 0 unused
  GroundFigureRecord OutgoingFigure;
  std::int32_t GroundFigureCount = 0;
  PlaneRecord Plane;
  double SpawnThreshold = 0;
  std::int32_t SpawnCounter = 0;
  RecordKind SpawnMessageKind{};
  std::int32_t SpawnMessageIndex = 0;
  SceneryLayout Scenery;
};

// What the rules ask of the form: sounds.
class TargetSounds {
 public:
  virtual void GroundFigureUp() = 0;
  // Ambient sound n, 1 to 15, or 0 when the draw was exactly 0 (Round(0.5) is 0).
  virtual void Ambient(std::int32_t Number) = 0;

 protected:
  ~TargetSounds() = default;
};

// The round set-up: every slot free, no plane, no figures.
void ClearTargets(TargetState& State);

// One tick of the spawner (the removal pass, the spawn chance, the plane's removal and start, the
// ambient sounds); the two-player status exchange comes before it. Spawns only when MaySpawn (one
// player, or the host of two). True when a spawn named a record in SpawnMessageKind and
// SpawnMessageIndex for the host to send; a spawn of nothing (no free stork slot, or seven figures
// already) names none, so that an old record is not sent again.
bool SpawnRandom(TargetState& State, std::int32_t Phase11, bool MaySpawn, RandomSource& Random, TargetSounds& Sounds);
// One spawn: a stork in the lowest free slot of 2 to 29, or now and then a ground figure; true when
// it named a record.
bool SpawnTarget(TargetState& State, RandomSource& Random, TargetSounds& Sounds);

// A tick's movement, one kind of target at a time.
void MovePlane(PlaneRecord& Plane, std::int32_t Phase11);
void MoveGroundFigures(TargetState& State, std::int32_t Phase11, std::int32_t Phase21);
void MoveTargets(TargetState& State, std::int32_t Kind, std::int32_t Phase11, std::int32_t CameraXInt);
// A tick's movement, after its spawner, in the order both sides of a two-player game keep: the
// plane, the storks of kinds 1 to 3, the ground figures.
void MoveAll(TargetState& State, std::int32_t Phase11, std::int32_t Phase21, std::int32_t CameraXInt);

// How many pictures each animation has: the flying stork's are numbered from 0, the others from 1.
inline constexpr int StorkFrames = 10;
inline constexpr int FallingFrames = 6;
inline constexpr int RisingFigureFrames = 13;
inline constexpr int IdleFigureFrames = 4;
inline constexpr int HitFigureFrames = 9;
inline constexpr int BannerFrames = 9;
// A flying stork's wings go through its pictures and back: frames 0 to this.
inline constexpr int LastFlyingFrame = 2 * (StorkFrames - 1);

// The stork picture a flying frame shows.
constexpr std::int32_t ShownFrame(std::int32_t Frame) {
  return Frame <= StorkFrames - 1 ? Frame : LastFlyingFrame - Frame;
}
