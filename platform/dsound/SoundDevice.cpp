// The DirectSound object: makes buffers on its engine. DirectSoundCreate hands out one on the
// current driver's output.

#include <new>

#include "SoundBuffer.h"
#include "SoundDriver.h"

namespace platform::dsound {

namespace {

class SoundDevice final : public IDirectSound, public RefCounted<SoundDevice> {
 public:
  explicit SoundDevice(std::shared_ptr<SoundEngine> engine) : engine_(std::move(engine)) {}

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return DSERR_INVALIDPARAM;
    if (!(riid == IID_IUnknown) && !(riid == IID_IDirectSound)) {
      *object = nullptr;
      return DSERR_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<IDirectSound*>(this);
    return DS_OK;
  }
  ULONG AddRef() override { return AddRefImpl(); }
  ULONG Release() override { return ReleaseImpl(); }

  HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, IUnknown* outer) override {
    if (buffer == nullptr) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (outer != nullptr) return DSERR_NOAGGREGATION;
    if (const HRESULT refused = CheckBufferDescription(description); refused != DS_OK) return refused;
    try {
      auto* created = new SoundBuffer(engine_, *description);
      if (!created->Attach()) {
        created->Release();
        return DSERR_OUTOFMEMORY;
      }
      *buffer = created;
      return DS_OK;
    } catch (const std::bad_alloc&) {
      return DSERR_OUTOFMEMORY;
    }
  }

  HRESULT SetCooperativeLevel(HWND /*window*/, DWORD level) override {
    return level >= DSSCL_NORMAL && level <= DSSCL_WRITEPRIMARY ? DS_OK : DSERR_INVALIDPARAM;
  }

 private:
  std::shared_ptr<SoundEngine> engine_;
};

}  // namespace

HRESULT CreateDirectSound(std::shared_ptr<SoundOutput> output, IDirectSound** directSound) {
  auto engine = std::make_shared<SoundEngine>(std::move(output));
  if (!engine->Start()) return DSERR_ALLOCATED;
  *directSound = new SoundDevice(std::move(engine));
  return DS_OK;
}

}  // namespace platform::dsound

HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, IUnknown* outer) {
  if (directSound == nullptr) return DSERR_INVALIDPARAM;
  *directSound = nullptr;
  if (outer != nullptr) return DSERR_NOAGGREGATION;
  try {
    return platform::dsound::CurrentSoundDriver().Create(device, directSound);
  } catch (const std::bad_alloc&) {
    return DSERR_OUTOFMEMORY;
  } catch (const std::exception&) {
    return DSERR_GENERIC;  // no thread for the output, for one
  }
}
