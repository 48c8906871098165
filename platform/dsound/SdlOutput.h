#pragma once
// The machine's default sound device, through SDL2 audio.

#include <SDL.h>

#include <memory>

#include "SoundOutput.h"

namespace platform::dsound {

class SdlOutput : public SoundOutput {
 public:
  // Null when SDL offers no usable device.
  static std::unique_ptr<SdlOutput> Open();
  ~SdlOutput() override;

  DWORD Rate() const override { return rate_; }
  bool Start(Mixer& mixer) override;
  void Stop() override;

 private:
  SdlOutput() = default;
  static void SDLCALL Pull(void* self, Uint8* stream, int length);

  SDL_AudioDeviceID device_ = 0;
  DWORD rate_ = 0;
  Mixer* mixer_ = nullptr;
};

}  // namespace platform::dsound
