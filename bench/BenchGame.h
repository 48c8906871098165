#pragma once
// The game in the benchmark's process, as the program starts it: headless, in the data folder,
// with a clock that only moves when the game sleeps, so that no frame waits for a screen.

#include <filesystem>

#include "game/Haupt.h"
#include "platform/dsound/SoundDriver.h"
#include "platform/win/Clock.h"

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

  platform::ScopedHiddenWindows hidden;
  platform::ScriptedClock clock;
  platform::ScopedClock scopedClock{clock};
  platform::dsound::RenderingSoundDriver sound;
  platform::dsound::ScopedSoundDriver scopedSound{sound};
  TApplication application;
  TForm1* form = nullptr;
};

}  // namespace bench
