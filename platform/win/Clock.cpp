#include "Clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {

class SteadyClock : public Clock {
 public:
  std::uint64_t Milliseconds() override {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
  }
  void Sleep(std::uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

Clock*& Installed() {
  static SteadyClock steady;
  static Clock* installed = &steady;
  return installed;
}

}  // namespace

Clock& CurrentClock() { return *Installed(); }

ScopedClock::ScopedClock(Clock& clock) : installed_(Installed(), &clock) {}

}  // namespace platform

std::uint64_t GetTickCount64() { return platform::CurrentClock().Milliseconds(); }
void Sleep(DWORD milliseconds) { platform::CurrentClock().Sleep(milliseconds); }
