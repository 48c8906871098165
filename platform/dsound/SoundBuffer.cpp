#include "SoundBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace platform::dsound {

namespace {

PcmFormat FormatOf(const WAVEFORMATEX& format) {
  return {format.nSamplesPerSec, format.nChannels, format.wBitsPerSample};
}

// Hundredths of a decibel of attenuation; the lowest volume is exact silence.
float GainOf(LONG volume) {
  if (volume <= DSBVOLUME_MIN) return 0.0f;
  return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

bool IsPlayableFormat(const WAVEFORMATEX& format) {
  return format.wFormatTag == WAVE_FORMAT_PCM && (format.nChannels == 1 || format.nChannels == 2) &&
         (format.wBitsPerSample == 8 || format.wBitsPerSample == 16) && format.nSamplesPerSec >= MinBufferRate &&
         format.nSamplesPerSec <= MaxBufferRate;
}

}  // namespace

HRESULT CheckBufferDescription(const DSBUFFERDESC* description) {
  if (description == nullptr || description->dwSize != sizeof(DSBUFFERDESC)) return DSERR_INVALIDPARAM;
  // The mix is the service's own; nobody writes the primary buffer directly.
  if ((description->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0) return DSERR_UNSUPPORTED;
  if (description->dwReserved != 0 || description->lpwfxFormat == nullptr) return DSERR_INVALIDPARAM;
  if (description->dwBufferBytes < DSBSIZE_MIN || description->dwBufferBytes > DSBSIZE_MAX) return DSERR_INVALIDPARAM;
  const WAVEFORMATEX format = *description->lpwfxFormat;
  if (!IsPlayableFormat(format)) return DSERR_BADFORMAT;
  const DWORD blockAlign = FormatOf(format).BlockAlign();
  if (format.nBlockAlign != blockAlign || format.nAvgBytesPerSec != format.nSamplesPerSec * blockAlign)
    return DSERR_INVALIDPARAM;
  if ((description->dwFlags & DSBCAPS_CTRL3D) != 0 && format.nChannels != 1) return DSERR_INVALIDPARAM;
  return DS_OK;
}

SoundBuffer::SoundBuffer(std::shared_ptr<SoundEngine> engine, const DSBUFFERDESC& description)
    : engine_(std::move(engine)),
      voice_(std::make_unique<Voice>(FormatOf(*description.lpwfxFormat), description.dwBufferBytes,
                                     engine_->GetMixer().OutputRate())),
      flags_(description.dwFlags) {}

SoundBuffer::~SoundBuffer() { engine_->GetMixer().Remove(std::move(voice_)); }

HRESULT SoundBuffer::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return DSERR_INVALIDPARAM;
  if (!(riid == IID_IUnknown) && !(riid == IID_IDirectSoundBuffer)) {
    *object = nullptr;
    return DSERR_NOINTERFACE;
  }
  AddRef();
  *object = static_cast<IDirectSoundBuffer*>(this);
  return DS_OK;
}

HRESULT SoundBuffer::GetStatus(DWORD* status) {
  if (status == nullptr) return DSERR_INVALIDPARAM;
  *status = voice_->Status();
  return DS_OK;
}

HRESULT SoundBuffer::GetVolume(LONG* volume) {
  if (volume == nullptr) return DSERR_INVALIDPARAM;
  if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) return DSERR_CONTROLUNAVAIL;
  *volume = volume_;
  return DS_OK;
}

HRESULT SoundBuffer::SetVolume(LONG volume) {
  if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) return DSERR_CONTROLUNAVAIL;
  if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  volume_ = volume;
  voice_->SetGain(GainOf(volume));
  return DS_OK;
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2, DWORD* bytes2,
                          DWORD flags) {
  if (region1 == nullptr || bytes1 == nullptr) return DSERR_INVALIDPARAM;
  const DWORD size = voice_->Size();
  if ((flags & DSBLOCK_FROMWRITECURSOR) != 0) offset = voice_->PlayCursor();
  if ((flags & DSBLOCK_ENTIREBUFFER) != 0) bytes = size;
  if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
  const DWORD first = std::min(bytes, size - offset);
  const DWORD wrapped = region2 != nullptr ? bytes - first : 0;  // without a place for it, no second region
  *region1 = voice_->Bytes() + offset;
  *bytes1 = first;
  if (region2 != nullptr) *region2 = wrapped > 0 ? voice_->Bytes() : nullptr;
  if (bytes2 != nullptr) *bytes2 = wrapped;
  return DS_OK;
}

HRESULT SoundBuffer::Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) {
  if (region1 == nullptr || !InBuffer(region1, bytes1)) return DSERR_INVALIDPARAM;
  if (region2 != nullptr && !InBuffer(region2, bytes2)) return DSERR_INVALIDPARAM;
  return DS_OK;
}

bool SoundBuffer::InBuffer(const void* region, DWORD bytes) const {
  const auto start = reinterpret_cast<std::uintptr_t>(voice_->Bytes());
  const auto at = reinterpret_cast<std::uintptr_t>(region);
  return at >= start && at - start <= voice_->Size() && bytes <= voice_->Size() - (at - start);
}

HRESULT SoundBuffer::Play(DWORD reserved1, DWORD priority, DWORD flags) {
  if (reserved1 != 0 || priority != 0 || (flags & ~DSBPLAY_LOOPING) != 0) return DSERR_INVALIDPARAM;
  voice_->RequestPlay((flags & DSBPLAY_LOOPING) != 0);
  return DS_OK;
}

HRESULT SoundBuffer::Stop() {
  voice_->RequestStop();
  return DS_OK;
}

}  // namespace platform::dsound
