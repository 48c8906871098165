#include "VXGSurface.h"

#include "VXGPalette.h"
#include "VXGPixels.h"
#include "platform/win/Clock.h"
#include "platform/win/Messages.h"

TVXGSurface::TVXGSurface(TVXGGraphics& Graphics) : graphics_(Graphics) {
  throw EVXGGraphicsError("A TVXGSurface cannot be created");
}

TVXGSurface::~TVXGSurface() noexcept {
  try {
    SetPalette(nullptr);
  } catch (const Exception&) {
    // A destructor must not throw; a palette that could not be detached stays with its other owners.
  }
}

void TVXGSurface::CreateSurface(std::int32_t Width, std::int32_t Height, TVXGPixelFormat PixelFormat) {
  width_ = Width;
  height_ = Height;
  pixelFormat_ = PixelFormat;
  DDSURFACEDESC description;
  ClearSized(description);
  description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  // Negative sizes travel as huge unsigned ones, which the display service refuses.
  description.dwWidth = static_cast<DWORD>(Width);
  description.dwHeight = static_cast<DWORD>(Height);
  description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | MemoryPlacementCaps(graphics_.MemoryPlacement());
  if (PixelFormat != TVXGPixelFormat::NoPixelFormat) {
    const std::size_t format = PixelFormatIndex(PixelFormat);
    const TVXGPixelMasks& masks = PixelFormatMasks[format];
    DDPIXELFORMAT& pixels = description.ddpfPixelFormat;
    description.dwFlags |= DDSD_PIXELFORMAT;
    pixels.dwSize = sizeof pixels;
    pixels.dwFlags = DDPF_RGB | (masks.Alpha ? DDPF_ALPHAPIXELS : 0) |
                     (PixelFormat == TVXGPixelFormat::Pal_8 ? DDPF_PALETTEINDEXED8 : 0);
    pixels.dwRGBBitCount = PixelFormatBits[format];
    pixels.dwRBitMask = masks.Red;
    pixels.dwGBitMask = masks.Green;
    pixels.dwBBitMask = masks.Blue;
    pixels.dwRGBAlphaBitMask = masks.Alpha;
  }
  ComPtr<IDirectDrawSurface> surface;
  Check("CreateSurface", graphics_.DirectDraw()->CreateSurface(&description, surface.Put(), nullptr));
  if (surface->QueryInterface(IID_IDirectDrawSurface3, ddSurface_.PutVoid()) != S_OK) throw EIntfCastError();
  UpdateDescription();
}

void TVXGSurface::GetDescription(DDSURFACEDESC& Description) {
  ClearSized(Description);
  Description.dwFlags = 0x001FF9EE;
  Check("GetDescription", GetSurface()->GetSurfaceDesc(&Description));
}

void TVXGSurface::UpdateDescription() {
  DDSURFACEDESC description;
  GetDescription(description);
  width_ = static_cast<std::int32_t>(description.dwWidth);
  height_ = static_cast<std::int32_t>(description.dwHeight);
  const DDPIXELFORMAT& pixels = description.ddpfPixelFormat;
  pixelFormat_ = PixelFormatFromMasks(pixels.dwRBitMask, pixels.dwGBitMask, pixels.dwBBitMask, pixels.dwRGBAlphaBitMask);
}

bool TVXGSurface::IsLost() { return ddSurface_->IsLost() == DDERR_SURFACELOST; }

IDirectDrawSurface3* TVXGSurface::GetSurface() {
  if (IsLost()) Restore();
  return ddSurface_.Get();
}

void TVXGSurface::Restore() {
  HRESULT result = ddSurface_->Restore();
  while (result == DDERR_WRONGMODE) {
    platform::ProcessMessages();
    Sleep(20);
    result = ddSurface_->Restore();
  }
  Check("Restore", result);
  ColorFill(nullptr, 0);
}

void TVXGSurface::ColorFill(const RECT* Rect, std::uint32_t Color) {
  DDBLTFX effects;
  ClearSized(effects);
  effects.dwFillColor = Color;
  RECT area = Rect ? *Rect : RECT{};
  RECT* rect = Rect ? &area : nullptr;
  Check("ColorFill", GetSurface()->Blt(rect, nullptr, rect, DDBLT_COLORFILL | DDBLT_WAIT, &effects));
}

std::int32_t TVXGSurface::GetColorKey() {
  DDCOLORKEY key{};
  const HRESULT result = GetSurface()->GetColorKey(DDCKEY_SRCBLT, &key);
  if (result == DDERR_NOCOLORKEY) return -1;
  Check("GetColorKey", result);
  return static_cast<std::int32_t>(key.dwColorSpaceLowValue);
}

void TVXGSurface::SetColorKey(std::int32_t Key) {
  DDCOLORKEY key{static_cast<DWORD>(Key), static_cast<DWORD>(Key)};
  Check("SetColorKey", GetSurface()->SetColorKey(DDCKEY_SRCBLT, Key == -1 ? nullptr : &key));
}

void TVXGSurface::SetColorKeyFromCorner() {
  const std::int32_t right = width_ - 1;
  const std::int32_t bottom = height_ - 1;
  switch (graphics_.ColorKeyCorner()) {
    case TVXGColorKeyCorner::NoCorner: return;
    case TVXGColorKeyCorner::TopLeft: SetColorKey(static_cast<std::int32_t>(Pixels(0, 0))); return;
    case TVXGColorKeyCorner::TopRight: SetColorKey(static_cast<std::int32_t>(Pixels(right, 0))); return;
    case TVXGColorKeyCorner::BottomLeft: SetColorKey(static_cast<std::int32_t>(Pixels(0, bottom))); return;
    case TVXGColorKeyCorner::BottomRight: SetColorKey(static_cast<std::int32_t>(Pixels(right, bottom))); return;
  }
}

std::uint32_t TVXGSurface::Pixels(std::int32_t X, std::int32_t Y) {
  const RECT pixel{X, Y, X + 1, Y + 1};
  std::string lockClass;
  std::uint32_t value = 0;
  {
    TVXGPixels lock(*this, &pixel, TVXGLockType::ReadOnly);
    const auto* bits = static_cast<const std::uint8_t*>(lock.Bits());
    switch (lock.BitCount()) {
      case 8: value = bits[0]; break;
      case 16: value = bits[0] | std::uint32_t{bits[1]} << 8; break;
      case 24: value = bits[0] | std::uint32_t{bits[1]} << 8 | std::uint32_t{bits[2]} << 16; break;
      case 32: value = bits[0] | std::uint32_t{bits[1]} << 8 | std::uint32_t{bits[2]} << 16 | std::uint32_t{bits[3]} << 24; break;
      default: lockClass = lock.ClassName();
    }
  }
  if (!lockClass.empty()) throw EVXGGraphicsError(lockClass + ".GetPixels: Invalid BitCount");
  return value;
}

TVXGPalette& TVXGSurface::Palette() {
  if (!palette_) palette_ = &TVXGPalette::CreateForSurface(*this);
  return *palette_;
}

void TVXGSurface::SetPalette(TVXGPalette* P) {
  if (P == palette_) return;
  if (palette_) {
    palette_->Detach(*this);
    palette_ = nullptr;
  }
  // Only a palette that is counted is kept: one that failed to attach must not be detached later.
  if (P) P->Attach(*this);
  palette_ = P;
}
