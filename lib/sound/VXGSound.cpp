#include "VXGSound.h"

#include <algorithm>

#include "lib/VXTools.h"

namespace {

DWORD DirectSoundLevel(TVXGSoundCooperativeLevel Level) {
  switch (Level) {
    case TVXGSoundCooperativeLevel::Exclusive:
      return DSSCL_EXCLUSIVE;
    case TVXGSoundCooperativeLevel::Normal:
      return DSSCL_NORMAL;
    case TVXGSoundCooperativeLevel::Priority:
      return DSSCL_PRIORITY;
    case TVXGSoundCooperativeLevel::WritePrimary:
      return DSSCL_WRITEPRIMARY;
  }
  return 0;  // no level: DirectSound refuses it
}

}  // namespace

TVXGSound::TVXGSound(const GUID& Device) {
  const GUID device = Device;
  const GUID* identifier = SameGUID(device, GUID{}) ? nullptr : &device;
  Check("Create", DirectSoundCreate(identifier, directSound_.Put(), nullptr));
}

void TVXGSound::SetCooperativeLevel(HWND Window, TVXGSoundCooperativeLevel Level) {
  cooperativeLevel_ = Level;
  Check("SetCooperativeLevel", directSound_->SetCooperativeLevel(Window, DirectSoundLevel(Level)));
}

DWORD DirectSoundBufferFlags(TVXGSoundBufferFlags Flags) {
  struct Mapping {
    TVXGSoundBufferFlag member;
    DWORD flag;
  };
  constexpr Mapping mappings[] = {{TVXGSoundBufferFlag::GlobalFocus, DSBCAPS_GLOBALFOCUS},
                                  {TVXGSoundBufferFlag::CtrlFrequency, DSBCAPS_CTRLFREQUENCY},
                                  {TVXGSoundBufferFlag::CtrlPan, DSBCAPS_CTRLPAN},
                                  {TVXGSoundBufferFlag::CtrlVolume, DSBCAPS_CTRLVOLUME},
                                  {TVXGSoundBufferFlag::Ctrl3D, DSBCAPS_CTRL3D}};
  DWORD flags = 0;
  for (const Mapping& mapping : mappings)
    if (Flags.Contains(mapping.member)) flags |= mapping.flag;
  return flags;
}

void TVXGSoundBuffer::Create(bool Static, TVXGSoundBufferFlags Flags, DWORD Size, const TVXGSoundFormat& Format) {
  size_ = Size;
  const auto channels = static_cast<WORD>(Format.Channels);
  const auto bits = static_cast<WORD>(Format.BitsPerSample);
  const auto blockAlign = static_cast<WORD>(bits / 8 * channels);
  const auto rate = static_cast<DWORD>(Format.SamplesPerSec);
  waveFormat_ = {WAVE_FORMAT_PCM, channels, rate, rate * blockAlign, blockAlign, bits, 0};
  description_ = {sizeof(DSBUFFERDESC), (Static ? DSBCAPS_STATIC : 0) | DirectSoundBufferFlags(Flags), Size, 0,
                  &waveFormat_};
  format_ = Format;
  Check("Create", sound_->DirectSound()->CreateSoundBuffer(&description_, buffer_.Put(), nullptr));
}

void TVXGSoundBuffer::TakeOver(const TVXGSoundBuffer& Other) {
  buffer_ = Other.buffer_;
  size_ = Other.size_;
  format_ = Other.format_;
  waveFormat_ = Other.waveFormat_;
  description_ = Other.description_;
  description_.lpwfxFormat = &waveFormat_;
  sound_ = Other.sound_;
}

void TVXGSoundBuffer::Lock(DWORD Offset, DWORD Count, TVXGSoundLockOption Option) {
  // The options are the DirectSound lock flags bit for bit: from the write cursor 1, entire buffer 2.
  const auto flags = static_cast<DWORD>(Option) & (DSBLOCK_FROMWRITECURSOR | DSBLOCK_ENTIREBUFFER);
  if (!buffer_) Check("Lock", DSERR_INVALIDCALL);
  Check("Lock", buffer_->Lock(Offset, Count, &region1_, &bytes1_, &region2_, &bytes2_, flags));
  locked_ = true;
}

void TVXGSoundBuffer::Unlock() {
  if (!locked_) return;
  Check("Unlock", buffer_->Unlock(region1_, bytes1_, region2_, bytes2_));
  locked_ = false;
}

void TVXGSoundBuffer::Stop() {
  if (buffer_) Check("Stop", buffer_->Stop());
}

std::int32_t TVXGSoundBuffer::GetVol() {
  if (!buffer_) return DSBVOLUME_MAX;
  LONG volume = 0;
  Check("GetVol", buffer_->GetVolume(&volume));
  return volume;
}

void TVXGSoundBuffer::SetVol(std::int32_t Volume) {
  Volume = std::clamp(Volume, DSBVOLUME_MIN, DSBVOLUME_MAX);
  if (buffer_) Check("SetVol", buffer_->SetVolume(Volume));
}

void TVXGSoundSample::Play(bool Loop) {
  if (Buffer() != nullptr) Check("Play", Buffer()->Play(0, 0, Loop ? DSBPLAY_LOOPING : 0));
}
