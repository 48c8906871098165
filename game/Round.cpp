// A round: its set-up, the frame loop with its 5 ms simulation ticks, and its end with the
// fanfare and, after a one-player round, the high-score table.

#include "Haupt.h"
#include "game/rules/GameClock.h"
#include "game/rules/Magazine.h"
#include "game/rules/RoundRules.h"

// Rounds of a two-player match follow each other here as long as both players choose to play on;
// a one-player round ends with the high-score table, and the next begins from the key handler.
void TForm1::StartRound() {
  for (;;) {
    if (!SetUpRound()) {
      if (!Application().Terminated()) SaveAndQuit();
      return;
    }
    RunFrames();
    if (Application().Terminated()) return;
    EndRound();
    if (!Net.NetworkGame || Application().Terminated() || !ShowMatchResult()) return;
  }
}

// False when the player left while the other one was awaited.
bool TForm1::SetUpRound() {
  Round.TickAccumulator = 0;
  Round.Score = 0;
  Round.OpponentScore = 0;
  if (Net.NetworkGame && !AgreeOnRound()) return false;
  Targets.GroundFigureCount = 0;
  Round.Phase = RoundPhase::Running;
  if (vollbild->Checked()) SetGamePalette();
  FillMagazine(Magazine);
  Round.TickCount = 0;
  ClearTargets(Targets);
  Round.ShootingEnabled = true;
  Round.CameraX = 1500.0;
  Program.RoundBusy = true;
  Assets.Primary->ColorFill(nullptr, 0);
  Assets.BackBuffer->ColorFill(nullptr, 0);
  Round.RoundStartTick = Now();
  Round.LastTickTime = Round.RoundStartTick;
  Round.TickAccumulator = 0;
  Round.TickCount = 0;
  Round.TicksRun = 0;
  Round.FramesShown = 0;
  return true;
}

// One pass a frame, until the round is stopped. Closing the window ends the program in the
// middle of a frame; nothing of the round may touch the display after that.
void TForm1::RunFrames() {
  while (Round.Phase != RoundPhase::StopRequested) {
    const std::int64_t ticksBegan = Now();
    const std::int64_t elapsed = ticksBegan - Round.LastTickTime;
    RunDueTicks(Round, elapsed, [this] { SimulationTick(); });
    if (Application().Terminated()) return;
    Round.ScrollStep = ScrollStepFor(elapsed);
    ScrollView();
    const std::int64_t ticksEnded = Now();
    Round.LastTickTime = ticksEnded - TickTimeKept(ticksEnded - ticksBegan, Net.NetworkGame);
    RenderFrame();
    Assets.BackBuffer->Flip();
    Round.FramesShown += 1;
    Application().ProcessMessages();
    if (Application().Terminated()) return;
    if (RoundTimeUp(Round.RoundSeconds, Now() - Round.RoundStartTick)) Round.Phase = RoundPhase::StopRequested;
    if (Net.NetworkGame && (Match.OwnEndState == EndState::Over || Match.PeerEndState == EndState::Over))
      Round.Phase = RoundPhase::StopRequested;
  }
}

void TForm1::EndRound() {
  if (Net.NetworkGame) FinishMatchRound();
  if (Application().Terminated()) return;
  Assets.Countdown->Stop();
  Assets.Fanfare->Play(false);
  Round.Phase = RoundPhase::RoundOver;
  Round.ShootingEnabled = false;
  Program.RoundBusy = false;
  RenderFrame();
  Assets.BackBuffer->Flip();
  Round.FramesShown += 1;
  if (Net.NetworkGame) return;
  InsertHighScore(Settings, Round.Score, Program.PlayerName);
  ShowHighScores();
}

void TForm1::SimulationTick() {
  if (Round.Phase11 == 1 || Round.Phase11 == 4 || Round.Phase11 == 7) AdvanceCartridgeIcons(Magazine, Round.Phase11);
  Round.Phase11 = Round.Phase11 >= 10 ? 0 : Round.Phase11 + 1;
  Round.Phase21 = Round.Phase21 >= 20 ? 0 : Round.Phase21 + 1;
  if (!Round.CatchingUp) SpawnRandom();
  Round.CameraXInt = ::Round(Round.CameraX);
  MoveAll(Targets, Round.Phase11, Round.Phase21, Round.CameraXInt);
}

// In a two-player round the status exchange comes first; only the host spawns, and what it
// spawned goes to the other side with the next exchange.
void TForm1::SpawnRandom() {
  const bool twoPlayers = Net.NetworkGame;
  if (twoPlayers && Round.Phase21 == 1) protocol_.ExchangeStatus();
  const bool spawned = ::SpawnRandom(Targets, Round.Phase11, !twoPlayers || Net.IsHost, Random, *this);
  if (twoPlayers && spawned) protocol_.AnnounceUpdate(Targets.SpawnMessageKind, Targets.SpawnMessageIndex);
}

void TForm1::ScrollView() {
  POINT cursor{};
  GetCursorPos(&cursor);
  Round.CursorX = cursor.x;
  Round.CursorY = cursor.y;
  Round.CameraX = ScrolledCameraX(Round.CameraX, Round.CursorX, Program.LeftHeld, Program.RightHeld, Round.ScrollStep);
}

void TForm1::Play(const SoundSample& Sample) {
  if (Sample) Sample->Play(false);
}

void TForm1::GroundFigureUp() {
  Play(Assets.FigureUp[static_cast<std::size_t>(figureUpCopy_)]);
  figureUpCopy_ = 1 - figureUpCopy_;
}

void TForm1::Ambient(std::int32_t Number) {
  if (Number >= 1 && Number <= AmbientSounds) Play(Assets.Ambient[static_cast<std::size_t>(Number - 1)]);
}
