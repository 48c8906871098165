#pragma once
// Turning a frame of palette indices into the 32-bit colours a texture takes.

#include <array>
#include <cstdint>

#include "platform/pixels/PixelLayout.h"

namespace platform::ddraw {

using ColorTable = std::array<std::uint32_t, 256>;

// Each entry as opaque 0xAARRGGBB.
ColorTable ArgbColors(const PALETTEENTRY* entries);

// Writes `frame` (8-bit indices) as 0xAARRGGBB pixels into `out`, rows `outPitch` bytes apart.
void IndexedToArgb(const pixels::PixelBuffer& frame, const ColorTable& colors, std::uint8_t* out,
                   std::int32_t outPitch);

}  // namespace platform::ddraw
