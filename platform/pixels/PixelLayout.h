#pragma once
// How a surface stores its pixels: size in bits and where red, green, blue and alpha sit, or
// palette indices; and a view of a block of such pixels in memory.

#include <cstdint>

#include "platform/win/WinTypes.h"

namespace platform::pixels {

struct PixelLayout {
  std::uint32_t bitsPerPixel = 0;
  DWORD redMask = 0;
  DWORD greenMask = 0;
  DWORD blueMask = 0;
  DWORD alphaMask = 0;
  bool indexed = false;  // 8-bit palette indices

  std::uint32_t BytesPerPixel() const { return bitsPerPixel / 8; }
  // The bits a pixel value can hold: keys and fill colours are cut to these.
  std::uint32_t ValueMask() const { return bitsPerPixel >= 32 ? 0xFFFFFFFFu : (1u << bitsPerPixel) - 1; }
  bool operator==(const PixelLayout&) const = default;

  static PixelLayout Indexed8() { return {8, 0, 0, 0, 0, true}; }
  // Red in the high bits, as Windows display modes lay them out.
  static PixelLayout Rgb565() { return {16, 0xF800, 0x07E0, 0x001F, 0, false}; }
  static PixelLayout Rgb888() { return {24, 0xFF0000, 0x00FF00, 0x0000FF, 0, false}; }
  static PixelLayout Xrgb8888() { return {32, 0xFF0000, 0x00FF00, 0x0000FF, 0, false}; }
};

// A block of pixels: `bits` is the top-left pixel, rows are `pitch` bytes apart.
struct PixelBuffer {
  std::uint8_t* bits = nullptr;
  std::int32_t pitch = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  PixelLayout layout;

  std::uint8_t* Row(std::int32_t y) const { return bits + static_cast<std::ptrdiff_t>(y) * pitch; }
  std::uint8_t* At(std::int32_t x, std::int32_t y) const {
    return Row(y) + static_cast<std::ptrdiff_t>(x) * layout.BytesPerPixel();
  }
};

}  // namespace platform::pixels
