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
    Remembered& slot = remembered_[Slot(rgb)];
    if (slot.key != (rgb | Known)) slot = {rgb | Known, Search(rgb)};
    return slot.index;
  }

 private:
  static constexpr std::uint32_t Known = 0x80000000u;
  static constexpr std::size_t Slots = 4096;
  struct Remembered {
    std::uint32_t key = 0;
    std::uint8_t index = 0;
  };

  static std::size_t Slot(Rgb rgb) { return (rgb * 0x9E3779B1u) >> 20 & (Slots - 1); }
  std::uint8_t Search(Rgb rgb) const;

  std::array<std::int32_t, 256> red_;
  std::array<std::int32_t, 256> green_;
  std::array<std::int32_t, 256> blue_;
  std::array<Remembered, Slots> remembered_{};
};

}  // namespace platform::gdi
