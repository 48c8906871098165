#include "TextPainter.h"

#include <algorithm>

#include "platform/pixels/Blitter.h"

namespace platform::gdi {
namespace {

// Half covered or more: the pixel belongs to the glyph on surfaces without shades.
constexpr std::uint32_t SolidFrom = 128;

std::uint32_t Load(const std::uint8_t* at, std::uint32_t bytes) {
  switch (bytes) {
    case 1:
      return LoadPixel<1>(at);
    case 2:
      return LoadPixel<2>(at);
    case 3:
      return LoadPixel<3>(at);
    default:
      return LoadPixel<4>(at);
  }
}

void Store(std::uint8_t* at, std::uint32_t bytes, std::uint32_t value) {
  switch (bytes) {
    case 1:
      return StorePixel<1>(at, value);
    case 2:
      return StorePixel<2>(at, value);
    case 3:
      return StorePixel<3>(at, value);
    default:
      return StorePixel<4>(at, value);
  }
}

std::uint32_t Mix(std::uint32_t below, std::uint32_t above, std::uint32_t coverage) {
  return (below * (255 - coverage) + above * coverage + 127) / 255;
}

}  // namespace

TextPainter::TextPainter(DrawingTarget& target, DWORD textColor)
    : pixels_(target.Pixels()),
      matcher_(pixels_.layout.indexed ? std::make_unique<PaletteMatcher>(target.Colors()) : nullptr),
      codec_(pixels_.layout),
      textColor_(RgbOfColorRef(textColor)),
      textValue_(ValueOf(textColor)) {}

std::uint32_t TextPainter::ValueOf(DWORD color) {
  const Rgb rgb = RgbOfColorRef(color);
  return matcher_ ? matcher_->Nearest(rgb) : codec_.Encode(rgb);
}

void TextPainter::Fill(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, DWORD color) {
  left = std::max<std::int64_t>(left, 0);
  top = std::max<std::int64_t>(top, 0);
  right = std::min<std::int64_t>(right, pixels_.width);
  bottom = std::min<std::int64_t>(bottom, pixels_.height);
  if (left >= right || top >= bottom) return;
  pixels::PixelBuffer area = pixels_;
  area.bits = pixels_.At(static_cast<std::int32_t>(left), static_cast<std::int32_t>(top));
  area.width = static_cast<std::int32_t>(right - left);
  area.height = static_cast<std::int32_t>(bottom - top);
  pixels::FillPixels(area, ValueOf(color));
}

void TextPainter::Paint(const Glyph& glyph, std::int64_t pen, std::int64_t baseline) {
  const std::int64_t left = pen + glyph.left;
  const std::int64_t top = baseline - glyph.top;
  const std::int64_t fromX = std::max<std::int64_t>(left, 0);
  const std::int64_t toX = std::min<std::int64_t>(left + glyph.width, pixels_.width);
  const std::int64_t fromY = std::max<std::int64_t>(top, 0);
  const std::int64_t toY = std::min<std::int64_t>(top + glyph.height, pixels_.height);
  const std::uint32_t bytes = pixels_.layout.BytesPerPixel();
  for (std::int64_t y = fromY; y < toY; ++y) {
    const std::uint8_t* coverage = glyph.coverage.data() + (y - top) * glyph.width;
    std::uint8_t* row = pixels_.Row(static_cast<std::int32_t>(y));
    for (std::int64_t x = fromX; x < toX; ++x) {
      const std::uint32_t covered = coverage[x - left];
      std::uint8_t* pixel = row + x * bytes;
      if (matcher_) {
        if (covered >= SolidFrom) *pixel = static_cast<std::uint8_t>(textValue_);
      } else if (covered == 255) {
        Store(pixel, bytes, textValue_);
      } else if (covered != 0) {
        Blend(pixel, covered);
      }
    }
  }
}

void TextPainter::Blend(std::uint8_t* pixel, std::uint32_t coverage) const {
  const std::uint32_t bytes = pixels_.layout.BytesPerPixel();
  const Rgb below = codec_.Decode(Load(pixel, bytes));
  const Rgb mixed = RgbOf(static_cast<BYTE>(Mix(RedOf(below), RedOf(textColor_), coverage)),
                          static_cast<BYTE>(Mix(GreenOf(below), GreenOf(textColor_), coverage)),
                          static_cast<BYTE>(Mix(BlueOf(below), BlueOf(textColor_), coverage)));
  Store(pixel, bytes, codec_.Encode(mixed));
}

}  // namespace platform::gdi
