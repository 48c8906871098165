#pragma once
// The pixel work behind BltFast and colour fills. Callers have checked every rectangle: these
// functions trust that what they touch lies inside both buffers.

#include <cstdint>

#include "PixelLayout.h"

namespace platform::pixels {

// Copies `source` (same pixel size as `target`) to (x, y) of `target`.
void CopyPixels(const PixelBuffer& target, std::int32_t x, std::int32_t y, const PixelBuffer& source);

// The same, but source pixels equal to `key` leave the target as it was.
void CopyPixelsKeyed(const PixelBuffer& target, std::int32_t x, std::int32_t y, const PixelBuffer& source,
                     std::uint32_t key);

// Sets every pixel of `target` to `value`.
void FillPixels(const PixelBuffer& target, std::uint32_t value);

}  // namespace platform::pixels
