#pragma once
// A DirectSound that records every call the library makes and answers what the test scripts.

#include <map>
#include <string>
#include <vector>

#include "platform/dsound/DSound.h"
#include "platform/dsound/SoundDriver.h"

namespace sound_test {

struct CallLog {
  std::vector<std::string> calls;
  std::map<std::string, HRESULT> answers;  // by call name; DS_OK when not scripted

  HRESULT Answer(const std::string& call) {
    calls.push_back(call);
    const auto answer = answers.find(call);
    return answer != answers.end() ? answer->second : DS_OK;
  }
};

class FakeBuffer final : public IDirectSoundBuffer, public platform::RefCounted<FakeBuffer> {
 public:
  explicit FakeBuffer(CallLog& log) : log_(log) {}
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return AddRefImpl(); }
  ULONG Release() override { return ReleaseImpl(); }

  HRESULT GetStatus(DWORD*) override { return log_.Answer("GetStatus"); }
  HRESULT GetVolume(LONG* volume) override {
    *volume = volume_;
    return log_.Answer("GetVolume");
  }
  HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2, DWORD* bytes2,
               DWORD flags) override {
    *region1 = memory_;
    *bytes1 = bytes;
    *region2 = nullptr;
    *bytes2 = 0;
    return log_.Answer("Lock " + std::to_string(offset) + " " + std::to_string(bytes) + " " + std::to_string(flags));
  }
  HRESULT Play(DWORD, DWORD, DWORD flags) override { return log_.Answer("Play " + std::to_string(flags)); }
  HRESULT SetVolume(LONG volume) override {
    volume_ = volume;
    return log_.Answer("SetVolume " + std::to_string(volume));
  }
  HRESULT Stop() override { return log_.Answer("Stop"); }
  HRESULT Unlock(void*, DWORD, void*, DWORD) override { return log_.Answer("Unlock"); }

 private:
  CallLog& log_;
  LONG volume_ = 0;
  std::uint8_t memory_[64] = {};
};

class FakeDirectSound final : public IDirectSound, public platform::RefCounted<FakeDirectSound> {
 public:
  explicit FakeDirectSound(CallLog& log) : log_(log) {}
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return AddRefImpl(); }
  ULONG Release() override { return ReleaseImpl(); }

  HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, IUnknown*) override {
    lastDescription = *description;
    lastFormat = *description->lpwfxFormat;
    const HRESULT answer = log_.Answer("CreateSoundBuffer");
    *buffer = answer == DS_OK ? new FakeBuffer(log_) : nullptr;
    return answer;
  }
  HRESULT SetCooperativeLevel(HWND, DWORD level) override {
    return log_.Answer("SetCooperativeLevel " + std::to_string(level));
  }

  DSBUFFERDESC lastDescription{};
  WAVEFORMATEX lastFormat{};

 private:
  CallLog& log_;
};

// Hands out one fake device and remembers the identifier it was asked for.
class FakeSoundDriver : public platform::dsound::SoundDriver {
 public:
  HRESULT Create(const GUID* device, IDirectSound** directSound) override {
    askedDefault = device == nullptr;
    if (device != nullptr) askedFor = *device;
    const HRESULT answer = log.Answer("DirectSoundCreate");
    if (answer != DS_OK) return answer;
    sound = new FakeDirectSound(log);
    *directSound = sound;
    return DS_OK;
  }

  CallLog log;
  FakeDirectSound* sound = nullptr;
  bool askedDefault = false;
  GUID askedFor{};
};

}  // namespace sound_test
