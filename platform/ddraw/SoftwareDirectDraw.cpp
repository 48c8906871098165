#include "SoftwareDirectDraw.h"

#include "FormatDescription.h"
#include "SoftwarePalette.h"
#include "SoftwareSurface.h"

namespace platform::ddraw {
namespace {

constexpr std::int32_t LargestSide = 16384;
// Flags that change nothing in a single-threaded software service.
constexpr DWORD IgnoredLevelFlags = 0x400 | 0x800 | 0x1000;  // multithreaded, FPU set-up, FPU preserve

HRESULT Hand(SoftwareSurface* surface, IDirectDrawSurface** out) {
  if (!surface) return DDERR_OUTOFMEMORY;
  *out = static_cast<IDirectDrawSurface*>(surface);
  return DD_OK;
}

}  // namespace

SoftwareDirectDraw::~SoftwareDirectDraw() {
  if (Exclusive()) display_.SetExclusiveOwner(nullptr);
  if (window_) display_.ForgetWindow(window_);
}

HRESULT SoftwareDirectDraw::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDirectDraw2)
    *object = static_cast<IDirectDraw2*>(this);
  else if (riid == IID_IDirectDraw)
    *object = static_cast<IDirectDraw*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

HRESULT SoftwareDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
  constexpr DWORD known = DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_NOWINDOWCHANGES | DDSCL_NORMAL |
                          DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX | IgnoredLevelFlags;
  if (flags & ~known) return DDERR_INVALIDPARAMS;
  const bool exclusive = flags & DDSCL_EXCLUSIVE;
  if (exclusive) {
    if (!(flags & DDSCL_FULLSCREEN) || (flags & DDSCL_NORMAL) || !window) return DDERR_INVALIDPARAMS;
    if (display_.ExclusiveOwner() && !Exclusive()) return DDERR_EXCLUSIVEMODEALREADYSET;
  } else if (!(flags & DDSCL_NORMAL) || (flags & (DDSCL_FULLSCREEN | DDSCL_ALLOWMODEX))) {
    return DDERR_INVALIDPARAMS;
  }
  if (window) {
    if (window_ && window_ != window) display_.ForgetWindow(window_);
    window_ = window;
    display_.SetPresentationWindow(window);
  }
  if (exclusive)
    display_.SetExclusiveOwner(this);
  else if (Exclusive())
    display_.SetExclusiveOwner(nullptr);
  levelSet_ = true;
  return DD_OK;
}

HRESULT SoftwareDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD /*refreshRate*/,
                                           DWORD flags) {
  if (!levelSet_) return DDERR_NOCOOPERATIVELEVELSET;
  if (flags != 0) return DDERR_INVALIDPARAMS;
  if (width > 4096 || height > 4096 || bitsPerPixel > 32) return DDERR_INVALIDMODE;
  const DisplayMode mode{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                         static_cast<std::int32_t>(bitsPerPixel)};
  if (!IsSupportedMode(mode)) return DDERR_INVALIDMODE;
  if (display_.ExclusiveOwner() && !Exclusive()) return DDERR_NOEXCLUSIVEMODE;
  display_.SetMode(mode);
  return DD_OK;
}

HRESULT SoftwareDirectDraw::CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette,
                                          IUnknown* outer) {
  constexpr DWORD known = DDPCAPS_8BIT | DDPCAPS_ALLOW256 | DDPCAPS_INITIALIZE | DDPCAPS_PRIMARYSURFACE;
  if (!palette || !entries) return DDERR_INVALIDPARAMS;
  *palette = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  if (!(flags & DDPCAPS_8BIT) || (flags & ~known)) return DDERR_INVALIDPARAMS;
  if (!levelSet_) return DDERR_NOCOOPERATIVELEVELSET;
  *palette = new SoftwarePalette(entries);
  return DD_OK;
}

HRESULT SoftwareDirectDraw::CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, IUnknown* outer) {
  if (!description || !surface || description->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
  *surface = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  if (!levelSet_) return DDERR_NOCOOPERATIVELEVELSET;
  const DWORD caps = (description->dwFlags & DDSD_CAPS) ? description->ddsCaps.dwCaps : 0;
  return (caps & DDSCAPS_PRIMARYSURFACE) ? CreatePrimary(*description, surface)
                                         : CreateOffScreen(*description, surface);
}

HRESULT SoftwareDirectDraw::CreatePrimary(const DDSURFACEDESC& description, IDirectDrawSurface** surface) {
  const DWORD caps = description.ddsCaps.dwCaps;
  if (description.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)) return DDERR_INVALIDPARAMS;
  const bool chain = (caps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX)) || (description.dwFlags & DDSD_BACKBUFFERCOUNT);
  if (chain) {
    if ((caps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX)) != (DDSCAPS_FLIP | DDSCAPS_COMPLEX) ||
        !(description.dwFlags & DDSD_BACKBUFFERCOUNT) || description.dwBackBufferCount == 0)
      return DDERR_INVALIDCAPS;
    if (description.dwBackBufferCount > 1) return DDERR_UNSUPPORTED;
    if (!Exclusive()) return DDERR_NOEXCLUSIVEMODE;
  }
  if (display_.Primary()) return DDERR_PRIMARYSURFACEALREADYEXISTS;

  const DisplayMode mode = display_.Mode();
  const pixels::PixelLayout layout = LayoutOf(mode);
  const DWORD frontCaps =
      DDSCAPS_PRIMARYSURFACE | DDSCAPS_VISIBLE | (chain ? DDSCAPS_FRONTBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX : 0);
  auto role = chain ? SoftwareSurface::Role::FrontBuffer : SoftwareSurface::Role::Primary;
  SoftwareSurface* front = SoftwareSurface::Create(display_, role, mode.width, mode.height, layout, frontCaps);
  if (front && chain) {
    SoftwareSurface* back =
        SoftwareSurface::Create(display_, SoftwareSurface::Role::BackBuffer, mode.width, mode.height, layout,
                                DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
    if (!back) {
      front->Release();
      return DDERR_OUTOFMEMORY;
    }
    front->AttachBackBuffer(ComPtr<SoftwareSurface>::Attach(back));
  }
  if (front) display_.SetPrimary(front);
  return Hand(front, surface);
}

HRESULT SoftwareDirectDraw::CreateOffScreen(const DDSURFACEDESC& description, IDirectDrawSurface** surface) {
  constexpr DWORD placement = DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY;
  const DWORD caps = (description.dwFlags & DDSD_CAPS) ? description.ddsCaps.dwCaps : 0;
  if ((description.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
  if ((caps & ~(DDSCAPS_OFFSCREENPLAIN | placement)) || (caps & placement) == placement) return DDERR_INVALIDCAPS;
  // Sizes travel as unsigned numbers: a negative one arrives as a huge one and is refused here.
  if (description.dwWidth == 0 || description.dwHeight == 0 || description.dwWidth > LargestSide ||
      description.dwHeight > LargestSide)
    return DDERR_INVALIDPARAMS;
  std::optional<pixels::PixelLayout> layout = LayoutOf(display_.Mode());
  if (description.dwFlags & DDSD_PIXELFORMAT) {
    layout = LayoutOfFormat(description.ddpfPixelFormat);
    if (!layout) return DDERR_INVALIDPIXELFORMAT;
  }
  const DWORD surfaceCaps = DDSCAPS_OFFSCREENPLAIN | ((caps & placement) ? caps & placement : DDSCAPS_SYSTEMMEMORY);
  return Hand(SoftwareSurface::Create(display_, SoftwareSurface::Role::OffScreen,
                                      static_cast<std::int32_t>(description.dwWidth),
                                      static_cast<std::int32_t>(description.dwHeight), *layout, surfaceCaps),
              surface);
}

namespace {

HRESULT EnumerateSoftwareDisplay(LPDDENUMCALLBACKA callback, LPVOID context) {
  if (!callback) return DDERR_INVALIDPARAMS;
  char description[] = "Primary Display Driver";
  char name[] = "display";
  callback(nullptr, description, name, context);
  return DD_OK;
}

HRESULT CreateSoftwareDevice(GUID* guid, IDirectDraw** directDraw, IUnknown* outer) {
  if (!directDraw) return DDERR_INVALIDPARAMS;
  *directDraw = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  // Besides none, only the two "hardware only" and "emulation only" markers name the one display.
  const auto marker = reinterpret_cast<std::uintptr_t>(guid);
  if (guid && marker != 1 && marker != 2) return DDERR_INVALIDDIRECTDRAWGUID;
  *directDraw = new SoftwareDirectDraw(Display::Instance());
  return DD_OK;
}

EntryPoints& Installed() {
  static EntryPoints entryPoints{EnumerateSoftwareDisplay, CreateSoftwareDevice};
  return entryPoints;
}

}  // namespace

ScopedEntryPoints::ScopedEntryPoints(const EntryPoints& entryPoints) : installed_(Installed(), entryPoints) {}

}  // namespace platform::ddraw

HRESULT DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context) {
  return platform::ddraw::Installed().enumerate(callback, context);
}

HRESULT DirectDrawCreate(GUID* guid, IDirectDraw** directDraw, IUnknown* outer) {
  return platform::ddraw::Installed().create(guid, directDraw, outer);
}
