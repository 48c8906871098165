#pragma once
// Turns cairo's premultiplied ARGB32 pictures into game-palette pictures. A pixel is either
// transparent (index 170) or one opaque palette colour: half-covered edges are decided by a
// threshold, so no blended fringe of the transparent colour is left around a shape.

#include <cstdint>
#include <vector>

#include "IndexedImage.h"
#include "Palette.h"

typedef struct _cairo_surface cairo_surface_t;

namespace artwork {

struct QuantizeOptions {
  // 0 maps every pixel to its nearest colour; larger values spread gradients with an ordered dither.
  int dither = 0;
  // Fully transparent pixels become index 170 when true; otherwise the picture must be opaque.
  bool keyed = true;
};

class Quantizer {
 public:
  explicit Quantizer(const Palette& palette);

  std::uint8_t Nearest(Rgb colour);
  IndexedImage Quantize(cairo_surface_t* surface, const QuantizeOptions& options);

 private:
  std::uint8_t Search(Rgb colour) const;

  const Palette& palette_;
  std::vector<std::uint8_t> cache_;
  std::vector<bool> known_;
};

}  // namespace artwork
