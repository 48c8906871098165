#include "FrameConversion.h"

#include <cstring>

namespace platform::ddraw {

ColorTable ArgbColors(const PALETTEENTRY* entries) {
  ColorTable colors;
  for (std::size_t i = 0; i < colors.size(); ++i)
    colors[i] = 0xFF000000u | std::uint32_t{entries[i].peRed} << 16 | std::uint32_t{entries[i].peGreen} << 8 |
                entries[i].peBlue;
  return colors;
}

void IndexedToArgb(const pixels::PixelBuffer& frame, const ColorTable& colors, std::uint8_t* out,
                   std::int32_t outPitch) {
  for (std::int32_t y = 0; y < frame.height; ++y, out += outPitch) {
    const std::uint8_t* in = frame.Row(y);
    std::uint32_t converted[8];
    std::int32_t x = 0;
    // Eight lookups per step leave the loads independent of each other.
    for (; x + 8 <= frame.width; x += 8) {
      for (int i = 0; i < 8; ++i) converted[i] = colors[in[x + i]];
      std::memcpy(out + x * 4, converted, sizeof converted);
    }
    for (; x < frame.width; ++x) {
      const std::uint32_t color = colors[in[x]];
      std::memcpy(out + x * 4, &color, 4);
    }
  }
}

}  // namespace platform::ddraw
