#pragma once
// Sums every registered voice into interleaved 16-bit stereo at the output's rate. The audio
// thread calls Mix; the main thread adds and removes voices without waiting for it: a removed
// voice is freed only once no call of Mix can still be reading it. Whoever calls Mix has stopped
// doing so when the mixer goes.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "Voice.h"

namespace platform::dsound {

class Mixer {
 public:
  static constexpr std::size_t MaxVoices = 1024;

  explicit Mixer(DWORD outputRate) : outputRate_(outputRate) {}
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  DWORD OutputRate() const { return outputRate_; }

  // Main thread. Add answers false when every place is taken.
  bool Add(Voice& voice);
  void Remove(std::unique_ptr<Voice> voice);

  // Audio thread: never allocates, never locks.
  void Mix(std::int16_t* stereo, std::size_t frames);

 private:
  static constexpr std::size_t ChunkFrames = 256;

  void FreeRetired();

  const DWORD outputRate_;
  std::array<std::atomic<Voice*>, MaxVoices> voices_{};
  std::atomic<std::size_t> voicesInUse_{0};  // the places above this one were never taken
  // Odd while Mix runs; a removed voice waits until the count has passed the value it saw.
  std::atomic<std::uint64_t> mixEpoch_{0};
  std::vector<std::pair<std::unique_ptr<Voice>, std::uint64_t>> retired_;
  std::array<float, 2 * ChunkFrames> chunk_{};
};

}  // namespace platform::dsound
