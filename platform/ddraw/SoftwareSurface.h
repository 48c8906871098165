#pragma once
// A surface in memory: pixels with a pitch in one of the layouts, a colour key, a palette, locks
// and device contexts, and loss of its contents when the display changes under it.

#include <cstdlib>
#include <memory>
#include <optional>

#include "DDraw.h"
#include "Display.h"
#include "SoftwarePalette.h"
#include "platform/gdi/DeviceContext.h"

namespace platform::ddraw {

struct FreeMemory {
  void operator()(std::uint8_t* memory) const { std::free(memory); }
};
// Zeroed at allocation: large blocks come zeroed from the system without a pass over them.
using SurfaceMemory = std::unique_ptr<std::uint8_t, FreeMemory>;

class SoftwareSurface final : public IDirectDrawSurface,
                              public IDirectDrawSurface3,
                              public gdi::DrawingTarget,
                              public RefCounted<SoftwareSurface> {
 public:
  enum class Role { OffScreen, Primary, FrontBuffer, BackBuffer };

  // A new surface with one reference, registered with the display; null when the memory cannot be had.
  static SoftwareSurface* Create(Display& display, Role role, std::int32_t width, std::int32_t height,
                                 const pixels::PixelLayout& layout, DWORD caps);
  // Our surface behind an interface, or null for anybody else's.
  static SoftwareSurface* From(IDirectDrawSurface3* surface);

  // A flip chain: the front owns its back buffer.
  void AttachBackBuffer(ComPtr<SoftwareSurface> back);
  // The memory is gone until Restore.
  void Lose() { lost_ = true; }

  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return AddRefImpl(); }
  ULONG Release() override { return ReleaseImpl(); }

  HRESULT Blt(RECT* destRect, IDirectDrawSurface3* source, RECT* sourceRect, DWORD flags, DDBLTFX* fx) override;
  HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface3* source, RECT* sourceRect, DWORD flags) override;
  HRESULT Flip(IDirectDrawSurface3* targetOverride, DWORD flags) override;
  HRESULT GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface3** attached) override;
  HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) override;
  HRESULT GetDC(HDC* dc) override;
  HRESULT GetSurfaceDesc(DDSURFACEDESC* description) override;
  HRESULT IsLost() override;
  HRESULT Lock(RECT* rect, DDSURFACEDESC* description, DWORD flags, HANDLE event) override;
  HRESULT ReleaseDC(HDC dc) override;
  HRESULT Restore() override;
  HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) override;
  HRESULT SetPalette(IDirectDrawPalette* palette) override;
  HRESULT Unlock(LPVOID surfaceData) override;

  pixels::PixelBuffer Pixels() override;
  const PALETTEENTRY* Colors() override;

 private:
  friend class RefCounted<SoftwareSurface>;
  SoftwareSurface(Display& display, Role role, std::int32_t width, std::int32_t height, std::int32_t pitch,
                  const pixels::PixelLayout& layout, DWORD caps, SurfaceMemory memory);
  ~SoftwareSurface();

  bool Busy() const { return lockedBits_ != nullptr || dc_ != nullptr; }
  bool Visible() const { return role_ == Role::Primary || role_ == Role::FrontBuffer; }
  // A rectangle of this surface, the whole one when none is given; none when it does not fit.
  std::optional<RECT> Area(const RECT* rect) const;
  pixels::PixelBuffer PixelsIn(const RECT& area);
  HRESULT RestoreMemory();
  void Describe(DDSURFACEDESC& description) const;
  // What was drawn on the screen surface is shown at once.
  void ShowChange();

  Display& display_;
  const Role role_;
  const std::int32_t width_;
  const std::int32_t height_;
  const std::int32_t pitch_;
  const pixels::PixelLayout layout_;
  const DWORD caps_;
  const DisplayMode createdIn_;
  SurfaceMemory memory_;
  bool lost_ = false;
  std::optional<DWORD> colorKey_;
  ComPtr<SoftwarePalette> palette_;
  bool lockedForWriting_ = false;
  std::uint8_t* lockedBits_ = nullptr;  // the locked rectangle's first pixel; null while unlocked
  std::unique_ptr<gdi::DeviceContext> dc_;
  ComPtr<SoftwareSurface> backBuffer_;
  SoftwareSurface* frontBuffer_ = nullptr;
};

}  // namespace platform::ddraw
