#pragma once
// Puts a frame into a window: converted to 32-bit colour, scaled by the largest whole factor that
// fits, centred on black, then held until the screen is ready for the next one.

#include "FrameConversion.h"
#include "FramePacer.h"
#include "PixelLayout.h"
#include "platform/win/Window.h"

namespace platform::ddraw {

// Where a picture goes in an output of the given size: the largest whole multiple that fits,
// centred; shrunk to fit, keeping its shape, when not even one whole copy fits.
RECT ScaledPictureRect(std::int32_t outputWidth, std::int32_t outputHeight, std::int32_t pictureWidth,
                       std::int32_t pictureHeight);

class Presenter {
 public:
  // `colors` gives palette indices their colour; it is read only for an indexed frame.
  void Show(Window* window, const PixelBuffer& frame, const PALETTEENTRY* colors);

 private:
  void Draw(Window& window, const PixelBuffer& frame, const PALETTEENTRY* colors);

  FramePacer pacer_;
};

}  // namespace platform::ddraw
