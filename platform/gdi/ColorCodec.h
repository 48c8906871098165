#pragma once
// Pixel values of a colour layout as 8-bit red, green and blue and back, through the layout's masks;
// and reading and writing pixels of 1 to 4 bytes, lowest byte first.

#include <array>
#include <cstdint>
#include <cstring>

#include "platform/pixels/PixelLayout.h"

namespace platform::gdi {

using Rgb = std::uint32_t;  // 0x00RRGGBB

constexpr Rgb RgbOf(BYTE red, BYTE green, BYTE blue) { return Rgb{red} << 16 | Rgb{green} << 8 | Rgb{blue}; }
inline Rgb RgbOf(const PALETTEENTRY& entry) { return RgbOf(entry.peRed, entry.peGreen, entry.peBlue); }
// A COLORREF (0x00BBGGRR); its high byte, which selects palette tricks on Windows, is ignored.
constexpr Rgb RgbOfColorRef(DWORD color) {
  return RgbOf(static_cast<BYTE>(color), static_cast<BYTE>(color >> 8), static_cast<BYTE>(color >> 16));
}
constexpr std::uint32_t RedOf(Rgb rgb) { return rgb >> 16 & 0xFF; }
constexpr std::uint32_t GreenOf(Rgb rgb) { return rgb >> 8 & 0xFF; }
constexpr std::uint32_t BlueOf(Rgb rgb) { return rgb & 0xFF; }

class ColorCodec {
 public:
  explicit ColorCodec(const pixels::PixelLayout& layout)
      : red_(layout.redMask), green_(layout.greenMask), blue_(layout.blueMask) {}

  Rgb Decode(std::uint32_t value) const {
    return red_.Decode(value) << 16 | green_.Decode(value) << 8 | blue_.Decode(value);
  }
  // Alpha bits stay 0.
  std::uint32_t Encode(Rgb rgb) const {
    return red_.Encode(RedOf(rgb)) | green_.Encode(GreenOf(rgb)) | blue_.Encode(BlueOf(rgb));
  }

 private:
  // One channel's bits, scaled to 8 bits and back with rounding. A channel wider than 8 bits is
  // read by its top 8.
  class Channel {
   public:
    explicit Channel(DWORD mask);
    std::uint32_t Decode(std::uint32_t value) const { return to8_[value >> shift_ & field_]; }
    std::uint32_t Encode(std::uint32_t eightBits) const { return from8_[eightBits]; }

   private:
    std::uint32_t shift_ = 0;
    std::uint32_t field_ = 0;
    std::array<std::uint8_t, 256> to8_{};
    std::array<std::uint32_t, 256> from8_{};
  };

  Channel red_;
  Channel green_;
  Channel blue_;
};

template <int Bytes>
std::uint32_t LoadPixel(const std::uint8_t* at) {
  static_assert(Bytes >= 1 && Bytes <= 4);
  if constexpr (Bytes == 3) {
    return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16;
  } else {
    std::uint32_t value = 0;
    std::memcpy(&value, at, Bytes);
    return value;
  }
}

template <int Bytes>
void StorePixel(std::uint8_t* at, std::uint32_t value) {
  static_assert(Bytes >= 1 && Bytes <= 4);
  std::memcpy(at, &value, Bytes);
}

}  // namespace platform::gdi
