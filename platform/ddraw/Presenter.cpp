#include "Presenter.h"

#include <SDL.h>

namespace platform::ddraw {
namespace {

// Converts the frame into the window's picture memory: the one copy a presentation makes.
void Convert(const pixels::PixelBuffer& frame, const PALETTEENTRY* colors, std::uint8_t* pixels, std::int32_t pitch) {
  if (frame.layout.indexed) {
    IndexedToArgb(frame, ArgbColors(colors), pixels, pitch);
  } else {
    const pixels::PixelLayout& layout = frame.layout;
    const Uint32 format = SDL_MasksToPixelFormatEnum(static_cast<int>(layout.bitsPerPixel), layout.redMask,
                                                     layout.greenMask, layout.blueMask, layout.alphaMask);
    SDL_ConvertPixels(frame.width, frame.height, format, frame.bits, frame.pitch, SDL_PIXELFORMAT_ARGB8888, pixels,
                      pitch);
  }
}

}  // namespace

void Presenter::Show(Window* window, const pixels::PixelBuffer& frame, const PALETTEENTRY* colors, bool paced) {
  if (window && frame.width > 0 && frame.height > 0)
    window->ShowPicture(frame.width, frame.height,
                        [&](std::uint8_t* pixels, std::int32_t pitch) { Convert(frame, colors, pixels, pitch); });
  if (paced) pacer_.Wait(window && window->RendererHasVsync());
}

}  // namespace platform::ddraw
