#include "SoundDriver.h"

#include "RenderingOutput.h"
#include "SdlOutput.h"
#include "SilentOutput.h"

namespace platform::dsound {

namespace {

constexpr DWORD SilentRate = 44100;

class MachineSoundDriver : public SoundDriver {
 public:
  HRESULT Create(const GUID* device, IDirectSound** directSound) override {
    if (!IsDefaultDevice(device)) return DSERR_NODRIVER;
    std::shared_ptr<SoundOutput> output = SdlOutput::Open();
    if (!output) output = std::make_shared<SilentOutput>(SilentRate);  // the game plays on without sound
    return CreateDirectSound(std::move(output), directSound);
  }
};

MachineSoundDriver machineDriver;
SoundDriver* currentDriver = &machineDriver;

}  // namespace

ScopedSoundDriver::ScopedSoundDriver(SoundDriver& driver) : installed_(currentDriver, &driver) {}

SoundDriver& CurrentSoundDriver() { return *currentDriver; }

bool IsDefaultDevice(const GUID* device) { return device == nullptr || *device == GUID{}; }

RenderingSoundDriver::RenderingSoundDriver(DWORD rate) : output_(std::make_shared<RenderingOutput>(rate)) {}

HRESULT RenderingSoundDriver::Create(const GUID* device, IDirectSound** directSound) {
  if (!IsDefaultDevice(device)) return DSERR_NODRIVER;
  return CreateDirectSound(output_, directSound);
}

DWORD RenderingSoundDriver::Rate() const { return output_->Rate(); }

void RenderingSoundDriver::Render(std::int16_t* stereo, std::size_t frames) { output_->Render(stereo, frames); }

std::vector<std::int16_t> RenderingSoundDriver::Render(std::size_t frames) {
  std::vector<std::int16_t> stereo(2 * frames);
  Render(stereo.data(), frames);
  return stereo;
}

}  // namespace platform::dsound
