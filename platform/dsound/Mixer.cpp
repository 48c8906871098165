#include "Mixer.h"

#include <algorithm>

namespace platform::dsound {

namespace {

std::int16_t Saturated(float sample) {
  const float clamped = std::clamp(sample, -32768.0f, 32767.0f);
  return static_cast<std::int16_t>(clamped + (clamped < 0.0f ? -0.5f : 0.5f));
}

}  // namespace

bool Mixer::Add(Voice& voice) {
  FreeRetired();
  for (std::size_t i = 0; i < MaxVoices; ++i) {
    if (voices_[i].load() != nullptr) continue;
    if (i >= voicesInUse_.load()) voicesInUse_.store(i + 1);
    voices_[i].store(&voice);
    return true;
  }
  return false;
}

void Mixer::Remove(std::unique_ptr<Voice> voice) {
  const auto end = voices_.begin() + static_cast<std::ptrdiff_t>(voicesInUse_.load());
  const auto slot = std::find_if(voices_.begin(), end, [&](const auto& v) { return v.load() == voice.get(); });
  if (slot != end) slot->store(nullptr);
  // A Mix that starts after this point cannot see the voice any more.
  const std::uint64_t epoch = mixEpoch_.load();
  if (epoch % 2 == 1) retired_.emplace_back(std::move(voice), epoch);
  FreeRetired();
}

void Mixer::FreeRetired() {
  const std::uint64_t epoch = mixEpoch_.load();
  std::erase_if(retired_, [&](const auto& entry) { return epoch > entry.second; });
}

void Mixer::Mix(std::int16_t* stereo, std::size_t frames) {
  mixEpoch_.fetch_add(1);
  const std::size_t inUse = voicesInUse_.load();
  for (std::size_t done = 0; done < frames;) {
    const std::size_t count = std::min(ChunkFrames, frames - done);
    std::fill_n(chunk_.begin(), 2 * count, 0.0f);
    for (std::size_t i = 0; i < inUse; ++i)
      if (Voice* voice = voices_[i].load()) voice->MixInto(chunk_.data(), count);
    std::transform(chunk_.begin(), chunk_.begin() + static_cast<std::ptrdiff_t>(2 * count), stereo + 2 * done,
                   Saturated);
    done += count;
  }
  mixEpoch_.fetch_add(1);
}

}  // namespace platform::dsound
