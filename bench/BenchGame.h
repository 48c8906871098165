#pragma once
// The game in the benchmark's process, as the program starts it: headless, in the data folder,
// with a clock that only moves when the game sleeps, so that no frame waits for a screen.

#include <filesystem>

#include "game/Haupt.h"
#include "platform/forms/HeadlessPlatform.h"

namespace bench {

struct BenchGame {
  // Past the start screen, with the display prepared for the game; LoadAssets when asked.
  explicit BenchGame(bool Loaded) {
    std::filesystem::current_path(GAME_DIR);
    form = &application.CreateForm<TForm1>();
    form->Show();
    application.ProcessMessages();
    form->PrepareDisplay();
    if (Loaded) form->LoadAssets();
  }

  platform::HeadlessPlatform headless;
  TApplication application;
  TForm1* form = nullptr;
};

// Storks of every kind and picture across the view, figures standing, the plane passing.
inline void FillTheSky(TForm1& Form) {
  TargetState& targets = Form.Targets;
  for (int slot = 2; slot <= 29; ++slot) {
    TargetRecord& stork = targets.Targets[static_cast<std::size_t>(slot)];
    stork.State = TargetFlying;
    stork.Kind = 1 + slot % 3;
    stork.Direction = slot % 2 == 0;
    stork.Frame = slot % 19;
    stork.X = 1500 + (slot * 97) % 600 * 5.0 / stork.Kind;
    stork.Y = 20 + (slot * 53) % 380;
  }
  for (int slot = 1; slot <= 7; ++slot) {
    GroundFigureRecord& figure = targets.GroundFigures[static_cast<std::size_t>(slot)];
    figure.State = FigureIdle;
    figure.Frame = 1 + slot % 4;
    figure.X = 1500 + slot * 80;
  }
  targets.GroundFigureCount = 7;
  PlaneRecord& plane = targets.Plane;
  plane.PlaneState = PlaneCondition::Flying;
  plane.PlaneX = 2200;
  plane.PlaneY = 8;
  plane.BannerFrame = 4;
  plane.BannerOffset = -200;
  Form.Round.CameraX = 1500;
  Form.Round.CursorX = 320;
  Form.Round.CursorY = 240;
  Form.Round.Score = 1234;
}

}  // namespace bench
