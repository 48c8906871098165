#pragma once
// Puts text cells and glyphs onto a surface, clipped to it. Indexed surfaces get whole pixels in
// the palette entry nearest the colour; colour surfaces get anti-aliased edges blended onto what is
// there.

#include <cstdint>
#include <memory>

#include "ColorCodec.h"
#include "DeviceContext.h"
#include "FontFace.h"
#include "PaletteMatcher.h"

namespace platform::gdi {

// Glyphs without shades for indexed surfaces, anti-aliased ones for colour surfaces.
inline Rendering RenderingFor(const pixels::PixelLayout& layout) {
  return layout.indexed ? Rendering::Monochrome : Rendering::Smooth;
}

class TextPainter {
 public:
  TextPainter(DrawingTarget& target, DWORD textColor);

  // The glyphs this surface takes.
  Rendering Kind() const { return RenderingFor(pixels_.layout); }

  // Fills the rectangle (right and bottom exclusive) with `color`.
  void Fill(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, DWORD color);
  void Paint(const Glyph& glyph, std::int64_t pen, std::int64_t baseline);

 private:
  // The value a pixel gets for `color`.
  std::uint32_t ValueOf(DWORD color);
  void Blend(std::uint8_t* pixel, std::uint32_t coverage) const;

  pixels::PixelBuffer pixels_;
  std::unique_ptr<PaletteMatcher> matcher_;
  ColorCodec codec_;
  Rgb textColor_;
  std::uint32_t textValue_;
};

}  // namespace platform::gdi
