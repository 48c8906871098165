#include "FormatDescription.h"

namespace platform::ddraw {

DDPIXELFORMAT DescribeLayout(const pixels::PixelLayout& layout) {
  DDPIXELFORMAT format{};
  format.dwSize = sizeof format;
  format.dwFlags = DDPF_RGB | (layout.indexed ? DDPF_PALETTEINDEXED8 : 0) | (layout.alphaMask ? DDPF_ALPHAPIXELS : 0);
  format.dwRGBBitCount = layout.bitsPerPixel;
  format.dwRBitMask = layout.redMask;
  format.dwGBitMask = layout.greenMask;
  format.dwBBitMask = layout.blueMask;
  format.dwRGBAlphaBitMask = layout.alphaMask;
  return format;
}

std::optional<pixels::PixelLayout> LayoutOfFormat(const DDPIXELFORMAT& format) {
  constexpr DWORD known = DDPF_RGB | DDPF_PALETTEINDEXED8 | DDPF_ALPHAPIXELS;
  const DWORD bits = format.dwRGBBitCount;
  if (format.dwSize != sizeof format || !(format.dwFlags & DDPF_RGB) || (format.dwFlags & ~known)) return std::nullopt;
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  const DWORD masks = format.dwRBitMask | format.dwGBitMask | format.dwBBitMask | format.dwRGBAlphaBitMask;
  if (format.dwFlags & DDPF_PALETTEINDEXED8) {
    if (bits != 8 || masks != 0) return std::nullopt;
    return pixels::PixelLayout::Indexed8();
  }
  pixels::PixelLayout layout{bits, format.dwRBitMask, format.dwGBitMask, format.dwBBitMask, format.dwRGBAlphaBitMask,
                             false};
  if (masks == 0 || (masks & ~layout.ValueMask()) != 0) return std::nullopt;
  return layout;
}

}  // namespace platform::ddraw
