#include "Presenter.h"

#include <SDL.h>

#include <algorithm>

namespace platform::ddraw {
namespace {

// Converts the frame into texture memory: the one copy a presentation makes.
void Upload(SDL_Texture* texture, const PixelBuffer& frame, const PALETTEENTRY* colors) {
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) return;
  if (frame.layout.indexed) {
    IndexedToArgb(frame, ArgbColors(colors), static_cast<std::uint8_t*>(pixels), pitch);
  } else {
    const PixelLayout& layout = frame.layout;
    const Uint32 format = SDL_MasksToPixelFormatEnum(static_cast<int>(layout.bitsPerPixel), layout.redMask,
                                                     layout.greenMask, layout.blueMask, layout.alphaMask);
    SDL_ConvertPixels(frame.width, frame.height, format, frame.bits, frame.pitch, SDL_PIXELFORMAT_ARGB8888, pixels,
                      pitch);
  }
  SDL_UnlockTexture(texture);
}

}  // namespace

RECT ScaledPictureRect(std::int32_t outputWidth, std::int32_t outputHeight, std::int32_t pictureWidth,
                       std::int32_t pictureHeight) {
  std::int32_t width = pictureWidth;
  std::int32_t height = pictureHeight;
  const std::int32_t factor = std::min(outputWidth / pictureWidth, outputHeight / pictureHeight);
  if (factor >= 1) {
    width *= factor;
    height *= factor;
  } else if (outputWidth * pictureHeight < outputHeight * pictureWidth) {
    width = outputWidth;
    height = outputWidth * pictureHeight / pictureWidth;
  } else {
    height = outputHeight;
    width = outputHeight * pictureWidth / pictureHeight;
  }
  const std::int32_t left = (outputWidth - width) / 2;
  const std::int32_t top = (outputHeight - height) / 2;
  return {left, top, left + width, top + height};
}

void Presenter::Show(Window* window, const PixelBuffer& frame, const PALETTEENTRY* colors) {
  if (window && frame.width > 0 && frame.height > 0) Draw(*window, frame, colors);
  pacer_.Wait(window && window->RendererHasVsync());
}

void Presenter::Draw(Window& window, const PixelBuffer& frame, const PALETTEENTRY* colors) {
  SDL_Texture* texture = window.PictureTexture(frame.width, frame.height);
  if (!texture) return;
  Upload(texture, frame, colors);
  SDL_Renderer* renderer = window.Renderer();
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
  const RECT place = ScaledPictureRect(outputWidth, outputHeight, frame.width, frame.height);
  const SDL_Rect target{place.left, place.top, place.right - place.left, place.bottom - place.top};
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, nullptr, &target);
  SDL_RenderPresent(renderer);
}

}  // namespace platform::ddraw
