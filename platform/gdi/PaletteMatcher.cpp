#include "PaletteMatcher.h"

namespace platform::gdi {

PaletteMatcher::PaletteMatcher(const PALETTEENTRY* colors) {
  for (std::size_t i = 0; i < 256; ++i) {
    red_[i] = colors[i].peRed;
    green_[i] = colors[i].peGreen;
    blue_[i] = colors[i].peBlue;
  }
}

std::uint8_t PaletteMatcher::Search(Rgb rgb) const {
  const auto red = static_cast<std::int32_t>(RedOf(rgb));
  const auto green = static_cast<std::int32_t>(GreenOf(rgb));
  const auto blue = static_cast<std::int32_t>(BlueOf(rgb));
  std::int32_t best = 0;
  std::int32_t bestDistance = INT32_MAX;
  for (std::int32_t i = 0; i < 256; ++i) {
    const std::int32_t r = red_[i] - red;
    const std::int32_t g = green_[i] - green;
    const std::int32_t b = blue_[i] - blue;
    const std::int32_t distance = r * r + g * g + b * b;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
      if (distance == 0) break;
    }
  }
  return static_cast<std::uint8_t>(best);
}

}  // namespace platform::gdi
