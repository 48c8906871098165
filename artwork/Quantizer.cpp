#include "Quantizer.h"

#include <cairo.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace artwork {
namespace {

constexpr int kAlphaThreshold = 128;

// 4 x 4 Bayer matrix, thresholds 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

bool Selectable(int index) { return index != kMaskBackground && index != kTransparent; }

// A weighted RGB distance that follows the eye's sensitivity closer than plain RGB does.
long Distance(Rgb a, Rgb b) {
  const long mean_red = (a.r + b.r) / 2;
  const long dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return (512 + mean_red) * dr * dr + 1024 * dg * dg + (767 - mean_red) * db * db;
}

std::uint8_t Clamp(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

}  // namespace

Quantizer::Quantizer(const Palette& palette) : palette_(palette), cache_(1 << 24), known_(1 << 24) {}

std::uint8_t Quantizer::Search(Rgb colour) const {
  long best = LONG_MAX;
  std::uint8_t best_index = 0;
  for (int i = 0; i < 256; ++i) {
    if (!Selectable(i)) continue;
    const long d = Distance(colour, palette_[i]);
    if (d < best) {
      best = d;
      best_index = static_cast<std::uint8_t>(i);
    }
  }
  return best_index;
}

std::uint8_t Quantizer::Nearest(Rgb colour) {
  const std::uint32_t key = (std::uint32_t{colour.r} << 16) | (std::uint32_t{colour.g} << 8) | colour.b;
  if (!known_[key]) {
    cache_[key] = Search(colour);
    known_[key] = true;
  }
  return cache_[key];
}

IndexedImage Quantizer::Quantize(cairo_surface_t* surface, const QuantizeOptions& options) {
  cairo_surface_flush(surface);
  if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32)
    throw std::runtime_error("quantizer needs an ARGB32 surface");
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  IndexedImage image(width, height, kTransparent);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t argb = row[x];
      const int a = static_cast<int>(argb >> 24);
      if (a < kAlphaThreshold) {
        if (!options.keyed) throw std::runtime_error("an opaque picture has a transparent pixel");
        continue;
      }
      // Undo the premultiplication, so that an edge keeps the colour of its shape.
      auto channel = [&](int shift) { return static_cast<int>(((argb >> shift) & 0xFF) * 255 + a / 2) / a; };
      int r = channel(16), g = channel(8), b = channel(0);
      if (options.dither > 0) {
        const int offset = (kBayer[y & 3][x & 3] * 2 - 15) * options.dither / 30;
        r += offset;
        g += offset;
        b += offset;
      }
      image.at(x, y) = Nearest({Clamp(r), Clamp(g), Clamp(b)});
    }
  }
  return image;
}

}  // namespace artwork
