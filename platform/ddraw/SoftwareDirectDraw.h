#pragma once
// A DirectDraw device on the software display: cooperative level, display mode, surfaces, palettes.

#include "DDraw.h"
#include "Display.h"

namespace platform::ddraw {

class SoftwareDirectDraw final : public IDirectDraw, public IDirectDraw2, public RefCounted<SoftwareDirectDraw> {
 public:
  explicit SoftwareDirectDraw(Display& display) : display_(display) {}

  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return AddRefImpl(); }
  ULONG Release() override { return ReleaseImpl(); }

  HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette, IUnknown* outer) override;
  HRESULT CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, IUnknown* outer) override;
  HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
  HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags) override;

 private:
  friend class RefCounted<SoftwareDirectDraw>;
  ~SoftwareDirectDraw();

  bool Exclusive() const { return display_.ExclusiveOwner() == this; }
  HRESULT CreatePrimary(const DDSURFACEDESC& description, IDirectDrawSurface** surface);
  HRESULT CreateOffScreen(const DDSURFACEDESC& description, IDirectDrawSurface** surface);

  Display& display_;
  bool levelSet_ = false;
  HWND window_ = nullptr;
};

}  // namespace platform::ddraw
