#include "FramePacer.h"

namespace platform::ddraw {
namespace {
constexpr std::uint64_t PacedRate = 60;
constexpr std::uint64_t FastestRefresh = 240;
// A frame later than this starts a new schedule instead of rushing to catch up.
constexpr std::uint64_t CatchUpLimitMs = 100;
}  // namespace

void FramePacer::Wait(bool displayWaitsForRefresh) {
  Clock& clock = CurrentClock();
  const std::uint64_t now = clock.Milliseconds();
  const std::uint64_t rate = displayWaitsForRefresh ? FastestRefresh : PacedRate;
  std::uint64_t due = anchor_ + (frames_ + 1) * 1000 / rate;
  if (!started_ || now < anchor_ || now > due + CatchUpLimitMs) {
    started_ = true;
    anchor_ = now;
    frames_ = 0;
    due = now + 1000 / rate;
  }
  ++frames_;
  if (now < due) clock.Sleep(static_cast<std::uint32_t>(due - now));
}

}  // namespace platform::ddraw
