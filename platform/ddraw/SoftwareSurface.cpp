#include "SoftwareSurface.h"

#include <cstring>
#include <vector>

#include "FormatDescription.h"
#include "platform/pixels/Blitter.h"

namespace platform::ddraw {
namespace {

// Restored memory holds no picture; a loud pattern shows at once whatever forgot to redraw it.
constexpr std::uint8_t RestoredMemoryPattern = 0xA5;
constexpr std::int32_t RowAlignment = 16;

bool Fits(const RECT& r, std::int32_t width, std::int32_t height) {
  return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width && r.bottom <= height;
}

}  // namespace

SoftwareSurface* SoftwareSurface::Create(Display& display, Role role, std::int32_t width, std::int32_t height,
                                         const pixels::PixelLayout& layout, DWORD caps) {
  const std::int64_t rowBytes = std::int64_t{width} * layout.BytesPerPixel();
  const std::int64_t pitch = (rowBytes + RowAlignment - 1) / RowAlignment * RowAlignment;
  const std::int64_t bytes = pitch * height;
  SurfaceMemory memory(static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(bytes), 1)));
  if (!memory) return nullptr;
  return new SoftwareSurface(display, role, width, height, static_cast<std::int32_t>(pitch), layout, caps,
                             std::move(memory));
}

SoftwareSurface::SoftwareSurface(Display& display, Role role, std::int32_t width, std::int32_t height,
                                 std::int32_t pitch, const pixels::PixelLayout& layout, DWORD caps,
                                 SurfaceMemory memory)
    : display_(display),
      role_(role),
      width_(width),
      height_(height),
      pitch_(pitch),
      layout_(layout),
      caps_(caps),
      createdIn_(display.Mode()),
      memory_(std::move(memory)) {
  display_.Register(this);
}

SoftwareSurface::~SoftwareSurface() {
  if (backBuffer_) backBuffer_->frontBuffer_ = nullptr;
  display_.Unregister(this);
}

SoftwareSurface* SoftwareSurface::From(IDirectDrawSurface3* surface) { return dynamic_cast<SoftwareSurface*>(surface); }

void SoftwareSurface::AttachBackBuffer(ComPtr<SoftwareSurface> back) {
  back->frontBuffer_ = this;
  backBuffer_ = std::move(back);
}

HRESULT SoftwareSurface::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDirectDrawSurface3)
    *object = static_cast<IDirectDrawSurface3*>(this);
  else if (riid == IID_IDirectDrawSurface)
    *object = static_cast<IDirectDrawSurface*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

std::optional<RECT> SoftwareSurface::Area(const RECT* rect) const {
  const RECT area = rect ? *rect : RECT{0, 0, width_, height_};
  if (!Fits(area, width_, height_)) return std::nullopt;
  return area;
}

pixels::PixelBuffer SoftwareSurface::Pixels() { return {memory_.get(), pitch_, width_, height_, layout_}; }

pixels::PixelBuffer SoftwareSurface::PixelsIn(const RECT& area) {
  pixels::PixelBuffer pixels = Pixels();
  pixels.bits = pixels.At(area.left, area.top);
  pixels.width = area.right - area.left;
  pixels.height = area.bottom - area.top;
  return pixels;
}

const PALETTEENTRY* SoftwareSurface::Colors() {
  if (palette_) return palette_->Entries();
  if (frontBuffer_ && frontBuffer_->palette_) return frontBuffer_->palette_->Entries();
  SoftwareSurface* primary = display_.Primary();
  if (primary && primary != this && primary->palette_) return primary->palette_->Entries();
  return display_.SystemColors();
}

void SoftwareSurface::ShowChange() {
  if (Visible()) display_.Present(Pixels(), Colors());
}

HRESULT SoftwareSurface::Blt(RECT* destRect, IDirectDrawSurface3* source, RECT* /*sourceRect*/, DWORD flags,
                             DDBLTFX* fx) {
  if ((flags & ~DDBLT_WAIT) != DDBLT_COLORFILL || source) return DDERR_UNSUPPORTED;
  if (!fx || fx->dwSize != sizeof(DDBLTFX)) return DDERR_INVALIDPARAMS;
  if (lost_) return DDERR_SURFACELOST;
  if (Busy()) return DDERR_SURFACEBUSY;
  const std::optional<RECT> area = Area(destRect);
  if (!area) return DDERR_INVALIDRECT;
  pixels::FillPixels(PixelsIn(*area), fx->dwFillColor);
  ShowChange();
  return DD_OK;
}

HRESULT SoftwareSurface::BltFast(DWORD x, DWORD y, IDirectDrawSurface3* sourceInterface, RECT* sourceRect,
                                 DWORD flags) {
  SoftwareSurface* source = From(sourceInterface);
  if (!source || (flags & ~(DDBLTFAST_SRCCOLORKEY | DDBLTFAST_DESTCOLORKEY | DDBLTFAST_WAIT | DDBLTFAST_DONOTWAIT)))
    return DDERR_INVALIDPARAMS;
  if (flags & DDBLTFAST_DESTCOLORKEY) return DDERR_UNSUPPORTED;
  if (lost_ || source->lost_) return DDERR_SURFACELOST;
  if (Busy() || source->Busy()) return DDERR_SURFACEBUSY;
  if (source->layout_.bitsPerPixel != layout_.bitsPerPixel) return DDERR_INVALIDPIXELFORMAT;
  const std::optional<RECT> from = source->Area(sourceRect);
  if (!from) return DDERR_INVALIDRECT;
  const std::int64_t right = std::int64_t{x} + (from->right - from->left);
  const std::int64_t bottom = std::int64_t{y} + (from->bottom - from->top);
  if (right > width_ || bottom > height_) return DDERR_INVALIDRECT;

  pixels::PixelBuffer pixels = source->PixelsIn(*from);
  // Copying within one surface reads a snapshot, so overlapping rectangles come out right.
  std::vector<std::uint8_t> snapshot;
  if (source == this) {
    const std::size_t rowBytes = static_cast<std::size_t>(pixels.width) * layout_.BytesPerPixel();
    snapshot.resize(rowBytes * static_cast<std::size_t>(pixels.height));
    for (std::int32_t row = 0; row < pixels.height; ++row)
      std::memcpy(snapshot.data() + rowBytes * static_cast<std::size_t>(row), pixels.Row(row), rowBytes);
    pixels.bits = snapshot.data();
    pixels.pitch = static_cast<std::int32_t>(rowBytes);
  }
  const pixels::PixelBuffer target = Pixels();
  const auto targetX = static_cast<std::int32_t>(x);
  const auto targetY = static_cast<std::int32_t>(y);
  if ((flags & DDBLTFAST_SRCCOLORKEY) && source->colorKey_)
    pixels::CopyPixelsKeyed(target, targetX, targetY, pixels, *source->colorKey_);
  else
    pixels::CopyPixels(target, targetX, targetY, pixels);
  ShowChange();
  return DD_OK;
}

HRESULT SoftwareSurface::Flip(IDirectDrawSurface3* targetOverride, DWORD /*flags*/) {
  if (role_ != Role::FrontBuffer || !backBuffer_) return DDERR_NOTFLIPPABLE;
  if (targetOverride && From(targetOverride) != backBuffer_.Get()) return DDERR_INVALIDPARAMS;
  if (lost_ || backBuffer_->lost_) return DDERR_SURFACELOST;
  if (Busy() || backBuffer_->Busy()) return DDERR_SURFACEBUSY;
  std::swap(memory_, backBuffer_->memory_);
  ShowChange();
  return DD_OK;
}

HRESULT SoftwareSurface::GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface3** attached) {
  if (!caps || !attached) return DDERR_INVALIDPARAMS;
  *attached = nullptr;
  if (!(caps->dwCaps & DDSCAPS_BACKBUFFER) || !backBuffer_) return DDERR_NOTFOUND;
  backBuffer_->AddRef();
  *attached = backBuffer_.Get();
  return DD_OK;
}

HRESULT SoftwareSurface::GetColorKey(DWORD flags, DDCOLORKEY* key) {
  if (flags != DDCKEY_SRCBLT || !key) return DDERR_INVALIDPARAMS;
  if (!colorKey_) return DDERR_NOCOLORKEY;
  *key = {*colorKey_, *colorKey_};
  return DD_OK;
}

// Only single-value source keys: the service has no colour-space ranges and no destination keys.
HRESULT SoftwareSurface::SetColorKey(DWORD flags, DDCOLORKEY* key) {
  if (flags != DDCKEY_SRCBLT) return flags & DDCKEY_SRCBLT ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
  if (!key) {
    colorKey_.reset();
    return DD_OK;
  }
  if (key->dwColorSpaceLowValue != key->dwColorSpaceHighValue) return DDERR_UNSUPPORTED;
  colorKey_ = key->dwColorSpaceLowValue & layout_.ValueMask();
  return DD_OK;
}

HRESULT SoftwareSurface::GetDC(HDC* dc) {
  if (!dc) return DDERR_INVALIDPARAMS;
  *dc = nullptr;
  if (lost_) return DDERR_SURFACELOST;
  if (dc_) return DDERR_DCALREADYCREATED;
  if (lockedBits_) return DDERR_SURFACEBUSY;
  dc_ = std::make_unique<gdi::DeviceContext>(*this);
  *dc = dc_.get();
  return DD_OK;
}

HRESULT SoftwareSurface::ReleaseDC(HDC dc) {
  if (!dc_) return DDERR_NODC;
  if (dc != dc_.get()) return DDERR_INVALIDPARAMS;
  dc_.reset();
  ShowChange();
  return DD_OK;
}

void SoftwareSurface::Describe(DDSURFACEDESC& description) const {
  description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
  description.dwWidth = static_cast<DWORD>(width_);
  description.dwHeight = static_cast<DWORD>(height_);
  description.lPitch = pitch_;
  description.ddpfPixelFormat = DescribeLayout(layout_);
  description.ddsCaps.dwCaps = caps_;
  if (backBuffer_) {
    description.dwFlags |= DDSD_BACKBUFFERCOUNT;
    description.dwBackBufferCount = 1;
  }
  if (colorKey_) {
    description.dwFlags |= DDSD_CKSRCBLT;
    description.ddckCKSrcBlt = {*colorKey_, *colorKey_};
  }
}

HRESULT SoftwareSurface::GetSurfaceDesc(DDSURFACEDESC* description) {
  if (!description || description->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
  Describe(*description);
  return DD_OK;
}

HRESULT SoftwareSurface::IsLost() { return lost_ ? DDERR_SURFACELOST : DD_OK; }

HRESULT SoftwareSurface::Lock(RECT* rect, DDSURFACEDESC* description, DWORD flags, HANDLE /*event*/) {
  if (!description || description->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
  if (lost_) return DDERR_SURFACELOST;
  if (Busy()) return DDERR_SURFACEBUSY;
  const std::optional<RECT> area = Area(rect);
  if (!area) return DDERR_INVALIDPARAMS;
  lockedForWriting_ = !(flags & DDLOCK_READONLY);
  lockedBits_ = Pixels().At(area->left, area->top);
  Describe(*description);
  description->dwFlags |= DDSD_LPSURFACE;
  description->lpSurface = lockedBits_;
  return DD_OK;
}

HRESULT SoftwareSurface::Unlock(LPVOID surfaceData) {
  if (!lockedBits_) return DDERR_NOTLOCKED;
  if (surfaceData && surfaceData != lockedBits_) return DDERR_INVALIDPARAMS;
  lockedBits_ = nullptr;
  if (lockedForWriting_) ShowChange();
  return DD_OK;
}

HRESULT SoftwareSurface::RestoreMemory() {
  if (!lost_) return DD_OK;
  if (Visible() && display_.Mode() != createdIn_) return DDERR_WRONGMODE;
  std::memset(memory_.get(), RestoredMemoryPattern,
              static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height_));
  lost_ = false;
  return DD_OK;
}

// A flip chain comes back as a whole, whichever of its surfaces is asked.
HRESULT SoftwareSurface::Restore() {
  if (frontBuffer_) return frontBuffer_->Restore();
  const HRESULT result = RestoreMemory();
  if (result == DD_OK && backBuffer_) return backBuffer_->RestoreMemory();
  return result;
}

HRESULT SoftwareSurface::SetPalette(IDirectDrawPalette* paletteInterface) {
  if (!paletteInterface) {
    palette_.Reset();
    return DD_OK;
  }
  auto* palette = dynamic_cast<SoftwarePalette*>(paletteInterface);
  if (!palette) return DDERR_INVALIDPARAMS;
  if (lost_) return DDERR_SURFACELOST;
  if (!layout_.indexed) return DDERR_INVALIDPIXELFORMAT;
  palette->AddRef();
  palette_ = ComPtr<SoftwarePalette>::Attach(palette);
  if (Visible()) display_.PaletteChanged(palette_->Entries());
  return DD_OK;
}

}  // namespace platform::ddraw
