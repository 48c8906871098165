#pragma once
// Copying pixels between two layouts: palette indices become colours through the source's colours,
// colours become the nearest of the target's colours, and colour layouts meet through their masks.
// Indices between equal colour tables are copied as they are.

#include "platform/pixels/PixelLayout.h"

namespace platform::gdi {

// The red, green and blue of all 256 entries agree; flags do not count.
bool SameColors(const PALETTEENTRY* a, const PALETTEENTRY* b);

// Copies `source` into `target`, which has the same width and height and does not overlap it.
// The colour tables are read only for indexed layouts.
void ConvertPixels(const pixels::PixelBuffer& target, const PALETTEENTRY* targetColors,
                   const pixels::PixelBuffer& source, const PALETTEENTRY* sourceColors);

}  // namespace platform::gdi
