#pragma once
// The face of all text the game writes onto its pictures: Arial, over a clear background.

#include <cstdint>

#include "lib/VXGCanvas.h"

inline void UseTextFont(TVXGCanvas& Canvas, std::int32_t Size, bool Bold = false) {
  Canvas.Font.Name = "Arial";
  Canvas.Font.Size = Size;
  Canvas.Font.Bold = Bold;
  Canvas.Brush.Style = TBrushStyle::Clear;
}
