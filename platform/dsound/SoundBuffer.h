#pragma once
// A secondary sound buffer: its bytes, its volume and its voice in the mixer.

#include <memory>

#include "DSound.h"
#include "SoundEngine.h"

namespace platform::dsound {

class SoundBuffer final : public IDirectSoundBuffer, public RefCounted<SoundBuffer> {
 public:
  // Description must have been checked (CheckBufferDescription). Throws std::bad_alloc.
  SoundBuffer(std::shared_ptr<SoundEngine> engine, const DSBUFFERDESC& description);
  ~SoundBuffer();

  // False when the mixer has no place for another voice.
  bool Attach() { return engine_->GetMixer().Add(*voice_); }

  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return AddRefImpl(); }
  ULONG Release() override { return ReleaseImpl(); }

  HRESULT GetStatus(DWORD* status) override;
  HRESULT GetVolume(LONG* volume) override;
  HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2, DWORD* bytes2,
               DWORD flags) override;
  HRESULT Play(DWORD reserved1, DWORD priority, DWORD flags) override;
  HRESULT SetVolume(LONG volume) override;
  HRESULT Stop() override;
  HRESULT Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) override;

 private:
  bool InBuffer(const void* region, DWORD bytes) const;

  std::shared_ptr<SoundEngine> engine_;
  std::unique_ptr<Voice> voice_;
  const DWORD flags_;
  LONG volume_ = DSBVOLUME_MAX;
};

// DS_OK, or why CreateSoundBuffer refuses the description.
HRESULT CheckBufferDescription(const DSBUFFERDESC* description);

}  // namespace platform::dsound
