#pragma once
// A rectangle of pixels held by the display service: a picture, a scratch area, the screen.
// Surfaces draw onto each other with clipping and colour keys, read single pixels, convert through
// device contexts, load pictures through the surface plug-ins, and come back by themselves when
// the display took their memory away.

#include <cstdint>
#include <string>

#include "VXGGraphics.h"
#include "VXGPixelFormat.h"
#include "lib/runtime/Stream.h"
#include "platform/gdi/DeviceContext.h"

class TVXGPalette;

class TVXGSurface : public TVXGGraphicsObject {
 public:
  // There are no plain surfaces, only descendants: this raises "A TVXGSurface cannot be created".
  explicit TVXGSurface(TVXGGraphics& Graphics);
  // Lets the palette go, which may destroy it, and releases the platform surface.
  ~TVXGSurface() noexcept override;

  TVXGGraphics& Graphics() const { return graphics_; }
  IDirectDrawSurface3* DDSurface() const { return ddSurface_.Get(); }
  TVXGPixelFormat PixelFormat() const { return pixelFormat_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

  // Makes the platform surface: an off-screen surface of the size, in the format, or the display's.
  void CreateSurface(std::int32_t Width, std::int32_t Height, TVXGPixelFormat PixelFormat);
  void GetDescription(DDSURFACEDESC& Description);
  // Size and format from the platform surface.
  void UpdateDescription();

  bool IsLost();
  // The platform surface, restored first when its memory was lost.
  IDirectDrawSurface3* GetSurface();
  // Waits until the display mode allows it, restores the memory and clears it to 0.
  virtual void Restore();

  // Puts Source (or the part SourceRect of it) at (X, Y), clipped to this surface.
  void Draw(std::int32_t X, std::int32_t Y, TVXGSurface& Source, const RECT* SourceRect, bool Transparent);
  // The same without clipping: the rectangle must fit.
  virtual void CopyFast(std::int32_t X, std::int32_t Y, TVXGSurface& Source, const RECT* SourceRect, bool Transparent);
  // Sets Rect, or the whole surface, to a raw pixel value.
  void ColorFill(const RECT* Rect, std::uint32_t Color);
  // Copies through device contexts, converting between pixel formats.
  void GdiCopy(std::int32_t X, std::int32_t Y, TVXGSurface& Source, const RECT* SourceRect);
  void GdiCopyFromDC(std::int32_t X, std::int32_t Y, const RECT* Rect, HDC DC);

  // The source colour key as a raw pixel value; -1 for none.
  std::int32_t GetColorKey();
  void SetColorKey(std::int32_t Key);
  // The key from the corner pixel the device names.
  void SetColorKeyFromCorner();

  // The raw value of one pixel.
  std::uint32_t Pixels(std::int32_t X, std::int32_t Y);

  bool HasPalette() const { return palette_ != nullptr; }
  // The attached palette; a new one is made and attached when there is none.
  TVXGPalette& Palette();
  // Detaches the attached palette, then attaches P; none detaches only.
  void SetPalette(TVXGPalette* P);

  // Loads a picture into this surface, converting it to this surface's format.
  void LoadFromStream(TStream& Stream, bool KeepPalette, const std::string& Type, bool Reload);
  virtual void InternalLoadFromFile(const std::string& FileName, bool KeepPalette, bool Reload);

 protected:
  struct Descendant {};
  TVXGSurface(Descendant, TVXGGraphics& Graphics) : graphics_(Graphics) {}

  // A picture converted into a new platform surface of its size in the format asked for.
  void ConvertFromStream(TStream& Stream, const std::string& Type, TVXGPixelFormat PixelFormat, bool KeepPalette);

  ComPtr<IDirectDrawSurface3> ddSurface_;

 private:
  TVXGGraphics& graphics_;
  TVXGPalette* palette_ = nullptr;
  TVXGPixelFormat pixelFormat_ = TVXGPixelFormat::NoPixelFormat;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};
