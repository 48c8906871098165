#pragma once
// A picture in palette indices, top row first.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artwork {

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  IndexedImage() = default;
  IndexedImage(int w, int h, std::uint8_t fill) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

  std::uint8_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

  IndexedImage Mirrored() const {
    IndexedImage m(width, height, 0);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) m.at(x, y) = at(width - 1 - x, y);
    return m;
  }
};

}  // namespace artwork
