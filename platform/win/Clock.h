#pragma once
// The millisecond clock and Sleep. Everything that waits or measures time goes through the current
// clock, so that a test can put a scripted clock in its place and run in far less than real time.

#include <cstdint>

#include "ScopedOverride.h"
#include "WinTypes.h"

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic milliseconds since an arbitrary start.
  virtual std::uint64_t Milliseconds() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // The program waited this long for something outside it (another program on the network); a
  // clock that runs by itself has seen the time go by already.
  virtual void RealTimePassed(std::uint64_t /*milliseconds*/) {}
};

// The clock in use: the system's steady clock unless a test put another one in place.
Clock& CurrentClock();

// Puts a clock in place for as long as it lives.
class ScopedClock {
 public:
  explicit ScopedClock(Clock& clock);

 private:
  ScopedOverride<Clock*> installed_;
};

// A clock that only moves when told to, or when someone sleeps on it.
class ScriptedClock : public Clock {
 public:
  std::uint64_t Milliseconds() override { return now_; }
  void Sleep(std::uint32_t milliseconds) override { now_ += milliseconds; }
  void Advance(std::uint64_t milliseconds) { now_ += milliseconds; }
  // Time that went by outside the program counts for its clock as well.
  void RealTimePassed(std::uint64_t milliseconds) override { now_ += milliseconds; }

 private:
  std::uint64_t now_ = 1000;
};

}  // namespace platform

std::uint64_t GetTickCount64();
void Sleep(DWORD milliseconds);
