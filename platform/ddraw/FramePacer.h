#pragma once
// Keeps frames from coming faster than the screen shows them: with a display that waits for its
// refresh this only guards against drivers that do not really wait; without one it holds frames
// to 60 per second. It runs on the platform clock, so a scripted clock drives it in tests.

#include <cstdint>

#include "platform/win/Clock.h"

namespace platform::ddraw {

class FramePacer {
 public:
  // Waits until the frame just finished may be followed by the next one.
  void Wait(bool displayWaitsForRefresh);

 private:
  std::uint64_t anchor_ = 0;
  std::uint64_t frames_ = 0;
  bool started_ = false;
};

}  // namespace platform::ddraw
