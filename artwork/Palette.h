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

// Where the colour families lie, so that drawing code and tests can name them.
struct PaletteRange {
  const char* name;
  int first;
  int last;
};
inline constexpr std::array<PaletteRange, 18> kPaletteRanges{{
    {"black", 0, 0},
    {"neutral greys to white", 1, 24},
    {"warm and cool whites", 25, 32},
    {"sky blues", 33, 56},
    {"distant haze", 57, 68},
    {"yellow-green grass", 69, 92},
    {"blue-green foliage", 93, 116},
    {"browns", 117, 131},
    {"hit-mask background", 132, 132},
    {"grey-browns", 133, 142},
    {"skin and pinks", 143, 152},
    {"reds", 153, 164},
    {"oranges", 165, 169},
    {"transparent", 170, 170},
    {"yellows and golds", 171, 190},
    {"violets and flower pinks", 191, 202},
    {"strong blues", 203, 220},
    {"straw, olive and deep shadows", 221, 255},
}};

const Palette& GamePalette();

}  // namespace artwork
