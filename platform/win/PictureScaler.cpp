#include "PictureScaler.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

std::uint32_t* Row(const PixelRows& rows, std::int32_t y) {
  return reinterpret_cast<std::uint32_t*>(rows.pixels + static_cast<std::ptrdiff_t>(y) * rows.pitch);
}

void Blacken(const PixelRows& output, std::int32_t y, std::int32_t left, std::int32_t right) {
  if (right > left) std::fill(Row(output, y) + left, Row(output, y) + right, 0u);
}

// One row widened: a factor known to the compiler lets it write each pixel's copies at once.
template <std::int32_t Factor>
void WidenRow(const std::uint32_t* from, std::int32_t width, std::uint32_t* to) {
  for (std::int32_t x = 0; x < width; ++x)
    for (std::int32_t copy = 0; copy < Factor; ++copy) to[x * Factor + copy] = from[x];
}

void WidenRow(const std::uint32_t* from, std::int32_t width, std::int32_t factor, std::uint32_t* to) {
  switch (factor) {
    case 1:
      std::memcpy(to, from, static_cast<std::size_t>(width) * sizeof(std::uint32_t));
      break;
    case 2:
      WidenRow<2>(from, width, to);
      break;
    case 3:
      WidenRow<3>(from, width, to);
      break;
    case 4:
      WidenRow<4>(from, width, to);
      break;
    default:
      for (std::int32_t x = 0; x < width; ++x, to += factor) std::fill_n(to, factor, from[x]);
  }
}

}  // namespace

bool ScalePicture(const PixelRows& picture, const PixelRows& output, const RECT& place) {
  const std::int32_t width = place.right - place.left;
  const std::int32_t height = place.bottom - place.top;
  if (picture.width <= 0 || picture.height <= 0 || width % picture.width != 0 || height % picture.height != 0 ||
      width / picture.width != height / picture.height || width / picture.width < 1 || place.left < 0 ||
      place.top < 0 || place.right > output.width || place.bottom > output.height)
    return false;
  const std::int32_t factor = width / picture.width;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
  for (std::int32_t y = 0; y < picture.height; ++y) {
    const std::int32_t firstRow = place.top + y * factor;
    const std::uint32_t* widened = Row(output, firstRow) + place.left;
    WidenRow(Row(picture, y), picture.width, factor, Row(output, firstRow) + place.left);
    for (std::int32_t copy = 1; copy < factor; ++copy)
      std::memcpy(Row(output, firstRow + copy) + place.left, widened, rowBytes);
  }
  return true;
}

void BlackenBorder(const PixelRows& output, const RECT& place) {
  const std::int32_t top = std::clamp(place.top, 0, output.height);
  const std::int32_t bottom = std::clamp(place.bottom, top, output.height);
  const std::int32_t left = std::clamp(place.left, 0, output.width);
  const std::int32_t right = std::clamp(place.right, left, output.width);
  for (std::int32_t y = 0; y < output.height; ++y) {
    if (y < top || y >= bottom) {
      Blacken(output, y, 0, output.width);
    } else {
      Blacken(output, y, 0, left);
      Blacken(output, y, right, output.width);
    }
  }
}

}  // namespace platform
