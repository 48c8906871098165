#pragma once
// The sound hardware behind DirectSoundCreate: the machine's own (its sound device, or a silent
// output where there is none) unless a test stands in another driver, such as one that renders
// the mix into memory. Like the system's sound hardware, the driver is the process's.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "DSound.h"
#include "platform/win/ScopedOverride.h"

namespace platform::dsound {

class RenderingOutput;
class SoundOutput;

class SoundDriver {
 public:
  virtual ~SoundDriver() = default;
  // DirectSoundCreate's work once the arguments have been checked.
  virtual HRESULT Create(const GUID* device, IDirectSound** directSound) = 0;
};

// Stands Driver behind DirectSoundCreate for as long as it lives.
class ScopedSoundDriver {
 public:
  explicit ScopedSoundDriver(SoundDriver& driver);

 private:
  ScopedOverride<SoundDriver*> installed_;
};

// The driver DirectSoundCreate uses now.
SoundDriver& CurrentSoundDriver();

// Null or all zeros: the default device, the only one there is.
bool IsDefaultDevice(const GUID* device);

// A DirectSound object that mixes into Output.
HRESULT CreateDirectSound(std::shared_ptr<SoundOutput> output, IDirectSound** directSound);

// A device that plays only when asked to render. It serves one DirectSound object at a time.
class RenderingSoundDriver : public SoundDriver {
 public:
  explicit RenderingSoundDriver(DWORD rate = 44100);

  HRESULT Create(const GUID* device, IDirectSound** directSound) override;

  DWORD Rate() const;
  // Pulls the next Frames frames of the mix, interleaved stereo.
  void Render(std::int16_t* stereo, std::size_t frames);
  std::vector<std::int16_t> Render(std::size_t frames);

 private:
  std::shared_ptr<RenderingOutput> output_;
};

}  // namespace platform::dsound
