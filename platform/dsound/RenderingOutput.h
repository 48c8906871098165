#pragma once
// An output that plays only when asked: Render pulls the mix into memory on the caller's thread.
// Tests use it to check, sample by sample, what was played.

#include <cstddef>
#include <cstdint>

#include "SoundOutput.h"

namespace platform::dsound {

class RenderingOutput : public SoundOutput {
 public:
  explicit RenderingOutput(DWORD rate) : rate_(rate) {}

  DWORD Rate() const override { return rate_; }
  bool Start(Mixer& mixer) override;
  void Stop() override { mixer_ = nullptr; }

  // Interleaved stereo; silence when no mixer is attached.
  void Render(std::int16_t* stereo, std::size_t frames);

 private:
  const DWORD rate_;
  Mixer* mixer_ = nullptr;
};

}  // namespace platform::dsound
