#pragma once
// A rectangle of pixels held by the display service. Descendants create the platform surface;
// a surface whose memory was lost is restored before it is used.

#include <cstdint>

#include "VXGGraphics.h"

class TVXGPalette;

class TVXGSurface : public TVXGGraphicsObject {
 public:
  // Lets the palette go, which may destroy it.
  ~TVXGSurface() override;

  TVXGGraphics& Graphics() const { return graphics_; }
  IDirectDrawSurface3* DDSurface() const { return ddSurface_.Get(); }

  bool IsLost();
  // The platform surface, restored first when its memory was lost.
  IDirectDrawSurface3* GetSurface();
  // Waits until the display mode allows it, restores the memory and clears it to 0.
  virtual void Restore();
  void ColorFill(const RECT* Rect, std::uint32_t Color);

  bool HasPalette() const { return palette_ != nullptr; }
  // The attached palette; a new one is made and attached when there is none.
  TVXGPalette& Palette();
  // Detaches the attached palette, then attaches P; none detaches only.
  void SetPalette(TVXGPalette* P);

 protected:
  explicit TVXGSurface(TVXGGraphics& Graphics) : graphics_(Graphics) {}

  ComPtr<IDirectDrawSurface3> ddSurface_;

 private:
  TVXGGraphics& graphics_;
  TVXGPalette* palette_ = nullptr;
};
