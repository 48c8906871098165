#include "SilentOutput.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace platform::dsound {

namespace {
constexpr auto Period = std::chrono::milliseconds(10);
// A pull never makes up for more than this; a stalled process does not get a burst of work.
constexpr std::uint64_t MaxFramesPerPull = 8192;
}  // namespace

bool SilentOutput::Start(Mixer& mixer) {
  if (thread_.joinable()) return false;
  running_ = true;
  thread_ = std::thread([this, &mixer] { Run(mixer); });
  return true;
}

void SilentOutput::Stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
}

void SilentOutput::Run(Mixer& mixer) {
  using Clock = std::chrono::steady_clock;
  std::vector<std::int16_t> discarded(2 * MaxFramesPerPull);
  const Clock::time_point start = Clock::now();
  std::uint64_t pulled = 0;
  while (running_) {
    std::this_thread::sleep_for(Period);
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    const std::uint64_t due = static_cast<std::uint64_t>(elapsed.count()) * rate_ / 1000000;
    const std::uint64_t frames = std::min(due - pulled, MaxFramesPerPull);
    mixer.Mix(discarded.data(), static_cast<std::size_t>(frames));
    pulled += frames;
    if (due - pulled > MaxFramesPerPull) pulled = due;  // let a long stall go
  }
}

}  // namespace platform::dsound
