#pragma once
// What carries the mix to the listener. An output pulls the mixer at its own pace: the sound
// device through SDL2, a silent clock where there is no device, or a test that renders into memory.

#include "Mixer.h"

namespace platform::dsound {

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;

  virtual DWORD Rate() const = 0;
  // Starts pulling from Mixer; false when the output already serves another mixer.
  virtual bool Start(Mixer& mixer) = 0;
  // Once it returns, the mixer is not pulled any more.
  virtual void Stop() = 0;
};

}  // namespace platform::dsound
