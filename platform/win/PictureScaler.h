#pragma once
// Puts a picture into a larger output at a whole factor, as the window shows it where no graphics
// card scales: each pixel becomes a square of the factor's size, the rows after the first of each
// square are copies of it, and what lies round the picture is black.

#include <cstdint>

#include "WinTypes.h"

namespace platform {

struct PixelRows {
  std::uint8_t* pixels;  // 32-bit pixels, 0x00RRGGBB or 0xAARRGGBB
  std::int32_t pitch;    // bytes from one row to the next
  std::int32_t width;
  std::int32_t height;
};

// Writes Picture into Output at Place, whose size must be a whole multiple of the picture's (as
// ScaledPictureRect gives it); a place that does not fit the output or is no whole multiple is
// left alone, and the answer is false.
bool ScalePicture(const PixelRows& picture, const PixelRows& output, const RECT& place);
// Blackens what lies outside Place.
void BlackenBorder(const PixelRows& output, const RECT& place);

}  // namespace platform
