#pragma once
// The sound unit: the sound device, buffers with volume control, and samples loaded whole from
// WAV files and played once or looping. Every DirectSound result goes through Check.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "lib/VXG.h"
#include "lib/sound/VXGSoundError.h"
#include "platform/dsound/DSound.h"

class TVXGSoundObject : public TVXGObject {
 public:
  ~TVXGSoundObject() noexcept override = default;

 protected:
  void Check(std::string_view Operation, HRESULT Result) const {
    CheckResult<EVXGSoundError>(*this, Operation, Result);
  }
};

// Index 0 to 3; DirectSound's levels come in another order.
enum class TVXGSoundCooperativeLevel : std::uint8_t { Exclusive, Normal, Priority, WritePrimary };

class TVXGSound : public TVXGSoundObject {
 public:
  // All zeros selects the default device.
  explicit TVXGSound(const GUID& Device);

  void SetCooperativeLevel(HWND Window, TVXGSoundCooperativeLevel Level);
  TVXGSoundCooperativeLevel CooperativeLevel() const { return cooperativeLevel_; }
  IDirectSound* DirectSound() const { return directSound_.Get(); }

 private:
  ComPtr<IDirectSound> directSound_;
  TVXGSoundCooperativeLevel cooperativeLevel_ = TVXGSoundCooperativeLevel::Exclusive;
};

struct TVXGSoundFormat {
  std::int32_t SamplesPerSec;
  std::int32_t Channels;
  std::int32_t BitsPerSample;
};

enum class TVXGSoundBufferFlag : std::uint8_t { GlobalFocus, CtrlFrequency, CtrlPan, CtrlVolume, Ctrl3D };

// A set of buffer flags, one byte with member i in bit i.
class TVXGSoundBufferFlags {
 public:
  constexpr TVXGSoundBufferFlags() = default;
  constexpr TVXGSoundBufferFlags(std::initializer_list<TVXGSoundBufferFlag> Members) {
    for (const TVXGSoundBufferFlag member : Members) bits_ |= static_cast<std::uint8_t>(1u << Bit(member));
  }
  constexpr bool Contains(TVXGSoundBufferFlag Member) const { return (bits_ >> Bit(Member) & 1) != 0; }
  constexpr std::uint8_t Bits() const { return bits_; }

 private:
  static constexpr unsigned Bit(TVXGSoundBufferFlag Member) { return static_cast<unsigned>(Member); }
  std::uint8_t bits_ = 0;
};

// The DirectSound buffer flags of a set.
DWORD DirectSoundBufferFlags(TVXGSoundBufferFlags Flags);

enum class TVXGSoundLockOption : std::uint8_t { None, FromWriteCursor, EntireBuffer, FromWriteCursorEntireBuffer };

// One DirectSound buffer. Only descendants are constructed.
class TVXGSoundBuffer : public TVXGSoundObject {
 public:
  void Lock(DWORD Offset, DWORD Count, TVXGSoundLockOption Option);
  void Unlock();
  void Stop();
  std::int32_t GetVol();
  // Clamped to -10000 (silent) .. 0 (full).
  void SetVol(std::int32_t Volume);

  const TVXGSoundFormat& Format() const { return format_; }
  DWORD Size() const { return size_; }
  TVXGSound& Sound() const { return *sound_; }
  IDirectSoundBuffer* Buffer() const { return buffer_.Get(); }
  const DSBUFFERDESC& Description() const { return description_; }
  bool Locked() const { return locked_; }
  void* LockedRegion1() const { return region1_; }
  DWORD LockedBytes1() const { return bytes1_; }
  void* LockedRegion2() const { return region2_; }
  DWORD LockedBytes2() const { return bytes2_; }

 protected:
  // Without a DirectSound buffer.
  explicit TVXGSoundBuffer(TVXGSound& Sound) : sound_(&Sound) {}

  // Makes the DirectSound buffer. Called from the constructor of the class being made, so that a
  // failure names that class.
  void Create(bool Static, TVXGSoundBufferFlags Flags, DWORD Size, const TVXGSoundFormat& Format);

  // Takes Other's DirectSound buffer, with its size, format and description, as its own.
  void TakeOver(const TVXGSoundBuffer& Other);

 private:
  TVXGSoundFormat format_{};
  ComPtr<IDirectSoundBuffer> buffer_;
  DSBUFFERDESC description_{};
  WAVEFORMATEX waveFormat_{};  // what the description points to
  TVXGSound* sound_;
  void* region1_ = nullptr;
  void* region2_ = nullptr;
  DWORD bytes1_ = 0;
  DWORD bytes2_ = 0;
  bool locked_ = false;
  DWORD size_ = 0;
};

class TVXGSoundSample : public TVXGSoundBuffer {
 public:
  TVXGSoundSample(TVXGSound& Sound, bool Static, TVXGSoundBufferFlags Flags, DWORD Size, const TVXGSoundFormat& Format)
      : TVXGSoundBuffer(Sound) {
    Create(Static, Flags, Size, Format);
  }

  // From where the buffer stands; a playing buffer is neither stopped nor rewound first.
  void Play(bool Loop);

 protected:
  explicit TVXGSoundSample(TVXGSound& Sound) : TVXGSoundBuffer(Sound) {}
};

// A static buffer holding the whole sound of a WAV file. A file the reader refuses, or whose data
// ends early, leaves a sample without sound that plays, stops and changes volume harmlessly.
class TVXGSoundFileSample : public TVXGSoundSample {
 public:
  TVXGSoundFileSample(TVXGSound& Sound, const std::string& FileName, TVXGSoundBufferFlags Flags);
};
