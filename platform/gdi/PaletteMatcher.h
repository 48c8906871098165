#pragma once
// The palette entry nearest a colour: smallest squared distance in red, green and blue, the lowest
// index among equals. Pictures have few colours, so answers are remembered per colour.

#include <array>
#include <cstdint>

#include "ColorCodec.h"

namespace platform::gdi {

class PaletteMatcher {
 public:
  explicit PaletteMatcher(const PALETTEENTRY* colors);

  std::uint8_t Nearest(Rgb rgb) {
    Remembered& set = remembered_[SetOf(rgb)];
    const std::uint32_t key = rgb | Known;
    if (set.keys[0] == key) return set.indices[0];
    if (set.keys[1] == key) return set.indices[1];
    return Remember(set, key, Search(rgb));
  }

 private:
  static constexpr std::uint32_t Known = 0x80000000u;
  static constexpr std::size_t Sets = 2048;
  // Two colours per set, the newer first: two colours that share a set and alternate along a row
  // must not evict each other at every pixel.
  struct Remembered {
    std::array<std::uint32_t, 2> keys{};
    std::array<std::uint8_t, 2> indices{};
  };

  // Gradients are arithmetic progressions of colours, which simple multiplicative hashes crowd
  // into few sets; these mixing steps spread them.
  static std::size_t SetOf(Rgb rgb) {
    rgb ^= rgb >> 16;
    rgb *= 0x85EBCA6Bu;
    rgb ^= rgb >> 13;
    rgb *= 0xC2B2AE35u;
    rgb ^= rgb >> 16;
    return rgb & (Sets - 1);
  }
  static std::uint8_t Remember(Remembered& set, std::uint32_t key, std::uint8_t index) {
    set.keys = {key, set.keys[0]};
    set.indices = {index, set.indices[0]};
    return index;
  }
  std::uint8_t Search(Rgb rgb) const;

  std::array<std::int32_t, 256> red_;
  std::array<std::int32_t, 256> green_;
  std::array<std::int32_t, 256> blue_;
  std::array<Remembered, Sets> remembered_{};
};

}  // namespace platform::gdi
