#pragma once
// Puts a frame into a window, converted to 32-bit colour, then holds it until the screen is ready
// for the next one.

#include "FrameConversion.h"
#include "FramePacer.h"
#include "platform/pixels/PixelLayout.h"
#include "platform/win/Window.h"

namespace platform::ddraw {

class Presenter {
 public:
  // `colors` gives palette indices their colour; it is read only for an indexed frame. A paced
  // frame waits for the screen's next refresh.
  void Show(Window* window, const pixels::PixelBuffer& frame, const PALETTEENTRY* colors, bool paced);

 private:
  FramePacer pacer_;
};

}  // namespace platform::ddraw
