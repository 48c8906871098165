#pragma once
// A device context: what GDI draws on. Here it is always the pixels of one display-service
// surface, with the colours that give its palette indices meaning.

#include "platform/ddraw/PixelLayout.h"
#include "platform/win/WinTypes.h"

namespace platform::gdi {

class DrawingTarget {
 public:
  virtual ddraw::PixelBuffer Pixels() = 0;
  // The 256 colours of an indexed surface: its own palette, or the screen's when it has none.
  virtual const PALETTEENTRY* Colors() = 0;

 protected:
  ~DrawingTarget() = default;
};

class DeviceContext {
 public:
  explicit DeviceContext(DrawingTarget& target) : target_(target) {}
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  DrawingTarget& Target() const { return target_; }

 private:
  DrawingTarget& target_;
};

}  // namespace platform::gdi

using HDC = platform::gdi::DeviceContext*;
