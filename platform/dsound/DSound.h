#pragma once
// The sound service as the game library sees it: DirectSound's interfaces, records, flags and
// result codes, served on Linux by a software mixer that plays through SDL2 audio.

#include "platform/win/MMSystem.h"
#include "platform/win/Unknown.h"
#include "platform/win/Window.h"

constexpr HRESULT MAKE_DSHRESULT(std::uint32_t code) { return MakeResult(0x88780000u + code); }

inline constexpr HRESULT DS_OK = S_OK;
inline constexpr HRESULT DSERR_ALLOCATED = MAKE_DSHRESULT(10);
inline constexpr HRESULT DSERR_CONTROLUNAVAIL = MAKE_DSHRESULT(30);
inline constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HRESULT DSERR_INVALIDCALL = MAKE_DSHRESULT(50);
inline constexpr HRESULT DSERR_GENERIC = E_FAIL;
inline constexpr HRESULT DSERR_PRIOLEVELNEEDED = MAKE_DSHRESULT(70);
inline constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DSERR_BADFORMAT = MAKE_DSHRESULT(100);
inline constexpr HRESULT DSERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HRESULT DSERR_NODRIVER = MAKE_DSHRESULT(120);
inline constexpr HRESULT DSERR_ALREADYINITIALIZED = MAKE_DSHRESULT(130);
inline constexpr HRESULT DSERR_NOAGGREGATION = CLASS_E_NOAGGREGATION;
inline constexpr HRESULT DSERR_BUFFERLOST = MAKE_DSHRESULT(150);
inline constexpr HRESULT DSERR_OTHERAPPHASPRIO = MAKE_DSHRESULT(160);
inline constexpr HRESULT DSERR_UNINITIALIZED = MAKE_DSHRESULT(170);
inline constexpr HRESULT DSERR_NOINTERFACE = E_NOINTERFACE;

// SetCooperativeLevel
inline constexpr DWORD DSSCL_NORMAL = 1;
inline constexpr DWORD DSSCL_PRIORITY = 2;
inline constexpr DWORD DSSCL_EXCLUSIVE = 3;
inline constexpr DWORD DSSCL_WRITEPRIMARY = 4;

// DSBUFFERDESC.dwFlags
inline constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
inline constexpr DWORD DSBCAPS_STATIC = 0x00000002;
inline constexpr DWORD DSBCAPS_CTRL3D = 0x00000010;
inline constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000020;
inline constexpr DWORD DSBCAPS_CTRLPAN = 0x00000040;
inline constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080;
inline constexpr DWORD DSBCAPS_GLOBALFOCUS = 0x00008000;

// Play, Lock, GetStatus
inline constexpr DWORD DSBPLAY_LOOPING = 0x00000001;
inline constexpr DWORD DSBLOCK_FROMWRITECURSOR = 0x00000001;
inline constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002;
inline constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
inline constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;

// Limits of buffer sizes and volumes (hundredths of a decibel of attenuation).
inline constexpr DWORD DSBSIZE_MIN = 4;
inline constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;
inline constexpr LONG DSBVOLUME_MIN = -10000;
inline constexpr LONG DSBVOLUME_MAX = 0;

// The rates a buffer may hold; the mixer converts every one to the output's rate.
inline constexpr DWORD MinBufferRate = 4000;
inline constexpr DWORD MaxBufferRate = 96000;

inline constexpr IID IID_IDirectSound = {0x279AFA83, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
inline constexpr IID IID_IDirectSoundBuffer = {
    0x279AFA85, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

struct DSBUFFERDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwBufferBytes;
  DWORD dwReserved;
  WAVEFORMATEX* lpwfxFormat;
};

class IDirectSoundBuffer : public IUnknown {
 public:
  virtual HRESULT GetStatus(DWORD* status) = 0;
  virtual HRESULT GetVolume(LONG* volume) = 0;
  // The regions of the buffer from Offset on, wrapping to its start when they pass its end; the
  // second is empty when there is no wrap (or no place to put it).
  virtual HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2, DWORD* bytes2,
                       DWORD flags) = 0;
  // From where the buffer stands; on a playing buffer only the looping flag changes.
  virtual HRESULT Play(DWORD reserved1, DWORD priority, DWORD flags) = 0;
  virtual HRESULT SetVolume(LONG volume) = 0;
  // Keeps the position, so that the next Play continues there.
  virtual HRESULT Stop() = 0;
  virtual HRESULT Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) = 0;

 protected:
  ~IDirectSoundBuffer() = default;
};

class IDirectSound : public IUnknown {
 public:
  virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, IUnknown* outer) = 0;
  // Sound does not follow the window's focus here: every level plays in the background too.
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;

 protected:
  ~IDirectSound() = default;
};

// The default output when Device is null: the machine's sound device, or a silent output where
// there is none. A test may stand in another driver (SoundDriver.h).
HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, IUnknown* outer);
