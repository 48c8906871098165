#pragma once
// The one game palette: every picture of the game data is stored with it, and the game puts the
// palette of "cdu\tszs.bmp" on the screen. Indices 0, 132 and 170 carry meaning for the game.

#include <array>
#include <cstdint>

namespace artwork {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

using Palette = std::array<Rgb, 256>;

inline constexpr std::uint8_t kBlack = 0;
// The background of the hit mask; only the hit-mask pictures use it.
inline constexpr std::uint8_t kMaskBackground = 132;
// The transparent colour of every picture drawn with a colour key.
inline constexpr std::uint8_t kTransparent = 170;

// Where the colour families lie:
//   0 black                       1-24 neutral greys to white     25-32 warm and cool whites
//   33-56 sky blues               57-68 distant haze              69-92 yellow-green grass
//   93-116 blue-green foliage     117-131 browns                  132 hit-mask background
//   133-142 grey-browns           143-152 skin and pinks          153-164 reds
//   165-169 oranges               170 transparent (magenta)       171-190 yellows and golds
//   191-202 violets and pinks     203-220 strong blues and teals  221-255 straw, olive, deep shadows
const Palette& GamePalette();

}  // namespace artwork
