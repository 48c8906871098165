#pragma once
// The state of the game that the main form keeps, grouped by concern and named as the game's own
// description names it.

#include <array>
#include <cstdint>
#include <string>

// Where the program stands, by the numbers the state dumps have always shown.
enum class RoundPhase : std::uint8_t {
  Running = 0,
  StopRequested = 3,
  StartScreen = 4,  // also: the program is being left
  RoundOver = 5,
};

// The start screen, the path into the game and the keys outside a round.
struct ProgramState {
  bool RoundBusy = false;
  bool StartScreenReady = false;
  bool TitlePictureShowing = false;
  bool KeyHeld = false;
  bool LeftHeld = false;
  bool RightHeld = false;
  std::string PlayerName;
  std::int32_t DisplayWidth = 0;
  std::int32_t DisplayHeight = 0;
};

// One round: its score, its clock and ticks, and the view.
struct RoundState {
  RoundPhase Phase = RoundPhase::Running;
  std::int32_t Score = 0;
  std::int32_t OpponentScore = 0;
  std::int32_t RoundSeconds = 0;
  // The millisecond clock is 64 bits wide, so it never wraps within a run.
  std::int64_t RoundStartTick = 0;
  std::int64_t LastTickTime = 0;
  bool ShootingEnabled = false;
  std::int32_t TickAccumulator = 0;  // milliseconds not yet simulated
  std::int32_t TickCount = 0;
  // Ticks and frames since the round started: only the scripted runner reads them, and nothing
  // outside the game sees a tick or a flip to count them itself.
  std::int32_t TicksRun = 0;
  std::int32_t Phase11 = 0;  // 0, 1, ..., 10, 0, ...
  std::int32_t Phase21 = 0;  // 0, 1, ..., 20, 0, ...
  std::int32_t ScrollStep = 0;
  double CameraX = 0;
  std::int32_t CameraXInt = 0;
  std::int32_t CursorX = 0;
  std::int32_t CursorY = 0;
  std::int32_t LastShownSeconds = 0;
  bool CatchingUp = false;
  std::int64_t FramesShown = 0;
};

// The magazine and the cartridge icons along the bottom of the screen.
inline constexpr std::int32_t MagazineSize = 8;

struct MagazineState {
  std::int32_t Cartridges = 0;
  std::int32_t IconCount = 0;
  std::array<std::int32_t, MagazineSize + 1> IconStep{};  // [icon]: 0 full, 1 to 8 ejection pictures
  std::array<bool, MagazineSize + 1> IconEjecting{};      // [icon]
  std::int32_t ShotSoundIndex = 0;                        // 1 to 9
  bool ShotPending = false;
};

// The landscape: five groups of pictures, group g drawn in depth layer 6 - g.
inline constexpr int SceneryGroups = 5;
inline constexpr int MostSceneryItems = 5;

struct SceneryPlace {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

struct SceneryLayout {
  std::array<std::int32_t, SceneryGroups> Count{};                                 // group g at g - 1
  std::array<std::array<SceneryPlace, MostSceneryItems>, SceneryGroups> Places{};  // item j at j - 1
};

// Where the landscape's pictures stand in the world.
SceneryLayout GameSceneryLayout();
