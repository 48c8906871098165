#include "PixelConversion.h"

#include <memory>

#include "ColorCodec.h"
#include "PaletteMatcher.h"

namespace platform::gdi {
namespace {

using pixels::PixelBuffer;

// Calls convertRow(targetRow, sourceRow, width) for every row. Sizes are copied to locals first, so
// that the compiler need not read them again after each byte stored.
template <class ConvertRow>
void ForEachRow(const PixelBuffer& target, const PixelBuffer& source, ConvertRow&& convertRow) {
  const std::int32_t width = source.width;
  const std::int32_t height = source.height;
  for (std::int32_t y = 0; y < height; ++y)
    convertRow(target.Row(y), static_cast<const std::uint8_t*>(source.Row(y)), width);
}

void CopyRows(const PixelBuffer& target, const PixelBuffer& source) {
  const std::size_t bytesPerPixel = source.layout.BytesPerPixel();
  ForEachRow(target, source, [&](std::uint8_t* out, const std::uint8_t* in, std::int32_t width) {
    std::memcpy(out, in, static_cast<std::size_t>(width) * bytesPerPixel);
  });
}

// Each source index stands for one target value.
template <int TargetBytes>
void MapIndices(const PixelBuffer& target, const PixelBuffer& source, const std::array<std::uint32_t, 256>& values) {
  ForEachRow(target, source, [&](std::uint8_t* out, const std::uint8_t* in, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, out += TargetBytes) StorePixel<TargetBytes>(out, values[in[x]]);
  });
}

template <int SourceBytes, int TargetBytes>
void Recode(const PixelBuffer& target, const PixelBuffer& source) {
  const ColorCodec from(source.layout);
  const ColorCodec to(target.layout);
  ForEachRow(target, source, [&](std::uint8_t* out, const std::uint8_t* in, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, in += SourceBytes, out += TargetBytes)
      StorePixel<TargetBytes>(out, to.Encode(from.Decode(LoadPixel<SourceBytes>(in))));
  });
}

// Runs of one colour, common in pictures, reuse the last answer without hashing.
template <int SourceBytes>
void MatchColors(const PixelBuffer& target, const PALETTEENTRY* targetColors, const PixelBuffer& source) {
  const ColorCodec from(source.layout);
  const auto matcher = std::make_unique<PaletteMatcher>(targetColors);
  std::uint32_t lastValue = LoadPixel<SourceBytes>(source.bits);
  std::uint8_t lastIndex = matcher->Nearest(from.Decode(lastValue));
  ForEachRow(target, source, [&](std::uint8_t* out, const std::uint8_t* in, std::int32_t width) {
    std::uint32_t runValue = lastValue;  // kept in registers along the row
    std::uint8_t runIndex = lastIndex;
    for (std::int32_t x = 0; x < width; ++x, in += SourceBytes) {
      const std::uint32_t value = LoadPixel<SourceBytes>(in);
      if (value != runValue) {
        runValue = value;
        runIndex = matcher->Nearest(from.Decode(value));
      }
      out[x] = runIndex;
    }
    lastValue = runValue;
    lastIndex = runIndex;
  });
}

template <int TargetBytes>
void FromIndices(const PixelBuffer& target, const PALETTEENTRY* targetColors, const PixelBuffer& source,
                 const PALETTEENTRY* sourceColors) {
  std::array<std::uint32_t, 256> values;
  if (target.layout.indexed) {
    PaletteMatcher matcher(targetColors);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = matcher.Nearest(RgbOf(sourceColors[i]));
  } else {
    const ColorCodec to(target.layout);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = to.Encode(RgbOf(sourceColors[i]));
  }
  MapIndices<TargetBytes>(target, source, values);
}

template <int SourceBytes>
void FromColors(const PixelBuffer& target, const PALETTEENTRY* targetColors, const PixelBuffer& source) {
  if (target.layout.indexed) return MatchColors<SourceBytes>(target, targetColors, source);
  switch (target.layout.BytesPerPixel()) {
    case 1:
      return Recode<SourceBytes, 1>(target, source);
    case 2:
      return Recode<SourceBytes, 2>(target, source);
    case 3:
      return Recode<SourceBytes, 3>(target, source);
    default:
      return Recode<SourceBytes, 4>(target, source);
  }
}

}  // namespace

bool SameColors(const PALETTEENTRY* a, const PALETTEENTRY* b) {
  for (std::size_t i = 0; i < 256; ++i)
    if (RgbOf(a[i]) != RgbOf(b[i])) return false;
  return true;
}

void ConvertPixels(const PixelBuffer& target, const PALETTEENTRY* targetColors, const PixelBuffer& source,
                   const PALETTEENTRY* sourceColors) {
  if (source.width <= 0 || source.height <= 0) return;
  const bool sameLayout = source.layout == target.layout;
  if (sameLayout && (!source.layout.indexed || SameColors(sourceColors, targetColors))) return CopyRows(target, source);
  if (source.layout.indexed) {
    switch (target.layout.BytesPerPixel()) {
      case 1:
        return FromIndices<1>(target, targetColors, source, sourceColors);
      case 2:
        return FromIndices<2>(target, targetColors, source, sourceColors);
      case 3:
        return FromIndices<3>(target, targetColors, source, sourceColors);
      default:
        return FromIndices<4>(target, targetColors, source, sourceColors);
    }
  }
  switch (source.layout.BytesPerPixel()) {
    case 1:
      return FromColors<1>(target, targetColors, source);
    case 2:
      return FromColors<2>(target, targetColors, source);
    case 3:
      return FromColors<3>(target, targetColors, source);
    default:
      return FromColors<4>(target, targetColors, source);
  }
}

}  // namespace platform::gdi
