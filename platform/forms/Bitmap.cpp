#include "Bitmap.h"

#include <SDL.h>

#include <cstring>
#include <memory>

namespace platform {
namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace

Bitmap::Bitmap(std::int32_t width, std::int32_t height) { Resize(width, height); }

void Bitmap::Resize(std::int32_t width, std::int32_t height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0xFF000000u);
}

std::optional<Bitmap> Bitmap::FromBmp(std::span<const std::uint8_t> bytes) {
  SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!stream) return std::nullopt;
  const SurfacePtr loaded(SDL_LoadBMP_RW(stream, 1));
  if (!loaded) return std::nullopt;
  const SurfacePtr argb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
  if (!argb || SDL_LockSurface(argb.get()) != 0) return std::nullopt;
  Bitmap bitmap(argb->w, argb->h);
  for (std::int32_t y = 0; y < argb->h; ++y)
    std::memcpy(bitmap.Row(y),
                static_cast<const std::uint8_t*>(argb->pixels) + static_cast<std::ptrdiff_t>(y) * argb->pitch,
                static_cast<std::size_t>(argb->w) * 4);
  SDL_UnlockSurface(argb.get());
  return bitmap;
}

pixels::PixelBuffer Bitmap::Pixels() {
  return {reinterpret_cast<std::uint8_t*>(pixels_.data()), width_ * 4, width_, height_,
          pixels::PixelLayout::Xrgb8888()};
}

}  // namespace platform
