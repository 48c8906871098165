#pragma once
// The platform of a process that runs the game with nobody watching (tests, benchmarks, the scripted
// runner): windows off screen, a clock that only moves when told or slept on, and a sound device
// that plays only when asked to render. Input stays with the user, since each feeds it differently.

#include <memory>

#include "platform/dsound/SoundDriver.h"
#include "platform/win/Clock.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Window.h"

namespace platform {

class HeadlessPlatform {
 public:
  // Message boxes are shown where a display can show them, otherwise written to standard error;
  // a process that must never stop for one writes them all there.
  enum class MessageBoxes { Shown, ToStandardError };

  explicit HeadlessPlatform(MessageBoxes messageBoxes = MessageBoxes::Shown);

  ScriptedClock& VirtualClock() { return clock_; }
  dsound::RenderingSoundDriver& Sound() { return sound_; }

 private:
  ScopedHiddenWindows hidden_;
  ScriptedClock clock_;
  ScopedClock scopedClock_{clock_};
  dsound::RenderingSoundDriver sound_;
  dsound::ScopedSoundDriver scopedSound_{sound_};
  std::unique_ptr<MessageBoxRecorder> messageBoxes_;
};

}  // namespace platform
