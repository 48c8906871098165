#pragma once
// The display service as the game library sees it: DirectDraw's interfaces, records, flags and
// result codes, served on Linux by a software implementation presented through SDL2.

#include "platform/ddraw/DDrawResults.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/win/ScopedOverride.h"
#include "platform/win/Unknown.h"
#include "platform/win/Window.h"

// SetCooperativeLevel
inline constexpr DWORD DDSCL_FULLSCREEN = 0x01;
inline constexpr DWORD DDSCL_ALLOWREBOOT = 0x02;
inline constexpr DWORD DDSCL_NOWINDOWCHANGES = 0x04;
inline constexpr DWORD DDSCL_NORMAL = 0x08;
inline constexpr DWORD DDSCL_EXCLUSIVE = 0x10;
inline constexpr DWORD DDSCL_ALLOWMODEX = 0x40;

// DDSURFACEDESC.dwFlags
inline constexpr DWORD DDSD_CAPS = 0x00000001;
inline constexpr DWORD DDSD_HEIGHT = 0x00000002;
inline constexpr DWORD DDSD_WIDTH = 0x00000004;
inline constexpr DWORD DDSD_PITCH = 0x00000008;
inline constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x00000020;
inline constexpr DWORD DDSD_LPSURFACE = 0x00000800;
inline constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
inline constexpr DWORD DDSD_CKSRCBLT = 0x00010000;

// DDSCAPS.dwCaps
inline constexpr DWORD DDSCAPS_BACKBUFFER = 0x00000004;
inline constexpr DWORD DDSCAPS_COMPLEX = 0x00000008;
inline constexpr DWORD DDSCAPS_FLIP = 0x00000010;
inline constexpr DWORD DDSCAPS_FRONTBUFFER = 0x00000020;
inline constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040;
inline constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200;
inline constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800;
inline constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00004000;
inline constexpr DWORD DDSCAPS_VISIBLE = 0x00008000;

// DDPIXELFORMAT.dwFlags
inline constexpr DWORD DDPF_ALPHAPIXELS = 0x01;
inline constexpr DWORD DDPF_PALETTEINDEXED8 = 0x20;
inline constexpr DWORD DDPF_RGB = 0x40;

// Blt, BltFast, Flip, Lock, colour keys, palettes
inline constexpr DWORD DDBLT_COLORFILL = 0x00000400;
inline constexpr DWORD DDBLT_WAIT = 0x01000000;
inline constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x00;
inline constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x01;
inline constexpr DWORD DDBLTFAST_DESTCOLORKEY = 0x02;
inline constexpr DWORD DDBLTFAST_WAIT = 0x10;
inline constexpr DWORD DDBLTFAST_DONOTWAIT = 0x20;
inline constexpr DWORD DDFLIP_WAIT = 0x01;
inline constexpr DWORD DDLOCK_WAIT = 0x001;
inline constexpr DWORD DDLOCK_READONLY = 0x010;
inline constexpr DWORD DDLOCK_WRITEONLY = 0x020;
inline constexpr DWORD DDLOCK_NOSYSLOCK = 0x800;
inline constexpr DWORD DDCKEY_SRCBLT = 0x08;
inline constexpr DWORD DDPCAPS_8BIT = 0x04;
inline constexpr DWORD DDPCAPS_INITIALIZE = 0x08;
inline constexpr DWORD DDPCAPS_PRIMARYSURFACE = 0x10;
inline constexpr DWORD DDPCAPS_ALLOW256 = 0x40;

inline constexpr BOOL DDENUMRET_CANCEL = 0;
inline constexpr BOOL DDENUMRET_OK = 1;

struct DDCOLORKEY {
  DWORD dwColorSpaceLowValue;
  DWORD dwColorSpaceHighValue;
};

struct DDSCAPS {
  DWORD dwCaps;
};

struct DDPIXELFORMAT {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwFourCC;
  DWORD dwRGBBitCount;
  DWORD dwRBitMask;
  DWORD dwGBitMask;
  DWORD dwBBitMask;
  DWORD dwRGBAlphaBitMask;
};

struct DDSURFACEDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwHeight;
  DWORD dwWidth;
  LONG lPitch;
  DWORD dwBackBufferCount;
  DWORD dwRefreshRate;
  DWORD dwAlphaBitDepth;
  DWORD dwReserved;
  LPVOID lpSurface;
  DDCOLORKEY ddckCKDestOverlay;
  DDCOLORKEY ddckCKDestBlt;
  DDCOLORKEY ddckCKSrcOverlay;
  DDCOLORKEY ddckCKSrcBlt;
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS ddsCaps;
};

struct DDBLTFX {
  DWORD dwSize;
  DWORD dwDDFX;
  DWORD dwROP;
  DWORD dwDDROP;
  DWORD dwRotationAngle;
  DWORD dwZBufferOpCode;
  DWORD dwZBufferLow;
  DWORD dwZBufferHigh;
  DWORD dwZBufferBaseDest;
  DWORD dwZDestConstBitDepth;
  DWORD dwZDestConst;
  DWORD dwZSrcConstBitDepth;
  DWORD dwZSrcConst;
  DWORD dwAlphaEdgeBlendBitDepth;
  DWORD dwAlphaEdgeBlend;
  DWORD dwReserved;
  DWORD dwAlphaDestConstBitDepth;
  DWORD dwAlphaDestConst;
  DWORD dwAlphaSrcConstBitDepth;
  DWORD dwAlphaSrcConst;
  DWORD dwFillColor;
  DDCOLORKEY ddckDestColorkey;
  DDCOLORKEY ddckSrcColorkey;
};

inline constexpr IID IID_IDirectDraw = {0x6C14DB80, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
inline constexpr IID IID_IDirectDraw2 = {0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
inline constexpr IID IID_IDirectDrawSurface = {
    0x6C14DB81, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
inline constexpr IID IID_IDirectDrawSurface3 = {
    0xDA044E00, 0x69B2, 0x11D0, {0xA1, 0xD5, 0x00, 0xAA, 0x00, 0xB8, 0xDF, 0xBB}};
inline constexpr IID IID_IDirectDrawPalette = {
    0x6C14DB84, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

class IDirectDrawPalette : public IUnknown {
 public:
  virtual HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) = 0;
  virtual HRESULT SetEntries(DWORD flags, DWORD start, DWORD count, const PALETTEENTRY* entries) = 0;
};

// The first interface of a new surface; the library asks it for IDirectDrawSurface3.
class IDirectDrawSurface : public IUnknown {};

class IDirectDrawSurface3 : public IUnknown {
 public:
  virtual HRESULT Blt(RECT* destRect, IDirectDrawSurface3* source, RECT* sourceRect, DWORD flags, DDBLTFX* fx) = 0;
  virtual HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface3* source, RECT* sourceRect, DWORD flags) = 0;
  virtual HRESULT Flip(IDirectDrawSurface3* targetOverride, DWORD flags) = 0;
  virtual HRESULT GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface3** attached) = 0;
  virtual HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
  virtual HRESULT GetDC(HDC* dc) = 0;
  virtual HRESULT GetSurfaceDesc(DDSURFACEDESC* description) = 0;
  virtual HRESULT IsLost() = 0;
  virtual HRESULT Lock(RECT* rect, DDSURFACEDESC* description, DWORD flags, HANDLE event) = 0;
  virtual HRESULT ReleaseDC(HDC dc) = 0;
  virtual HRESULT Restore() = 0;
  virtual HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
  virtual HRESULT SetPalette(IDirectDrawPalette* palette) = 0;
  virtual HRESULT Unlock(LPVOID surfaceData) = 0;
};

// The first interface of a new device; the library asks it for IDirectDraw2.
class IDirectDraw : public IUnknown {};

class IDirectDraw2 : public IUnknown {
 public:
  virtual HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette, IUnknown* outer) = 0;
  virtual HRESULT CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, IUnknown* outer) = 0;
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
  virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags) = 0;
};

using LPDDENUMCALLBACKA = BOOL (*)(GUID* guid, char* description, char* name, LPVOID context);

HRESULT DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context);
HRESULT DirectDrawCreate(GUID* guid, IDirectDraw** directDraw, IUnknown* outer);

namespace platform::ddraw {

// The service's entry points, as a program finds them in the system's display library. A test may
// put others in their place for as long as a ScopedEntryPoints lives, to stand a fake device
// behind the game library.
struct EntryPoints {
  HRESULT (*enumerate)(LPDDENUMCALLBACKA callback, LPVOID context);
  HRESULT (*create)(GUID* guid, IDirectDraw** directDraw, IUnknown* outer);
};

class ScopedEntryPoints {
 public:
  explicit ScopedEntryPoints(const EntryPoints& entryPoints);

 private:
  ScopedOverride<EntryPoints> installed_;
};

}  // namespace platform::ddraw
