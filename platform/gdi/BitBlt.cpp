#include <algorithm>
#include <cstring>
#include <vector>

#include "Gdi.h"
#include "PixelConversion.h"

using platform::pixels::PixelBuffer;

namespace {

// The part of a run of `length` pixels, starting at `to` in the target and `from` in the source,
// that lies inside both: offsets [begin, end) from the run's start.
struct Span {
  std::int64_t begin;
  std::int64_t end;
  bool Empty() const { return begin >= end; }
};

Span Clip(std::int64_t to, std::int64_t from, std::int64_t length, std::int64_t targetSize, std::int64_t sourceSize) {
  return {std::max({std::int64_t{0}, -to, -from}), std::min({length, targetSize - to, sourceSize - from})};
}

PixelBuffer Area(const PixelBuffer& pixels, std::int64_t x, std::int64_t y, const Span& columns, const Span& rows) {
  PixelBuffer area = pixels;
  area.bits = pixels.At(static_cast<std::int32_t>(x + columns.begin), static_cast<std::int32_t>(y + rows.begin));
  area.width = static_cast<std::int32_t>(columns.end - columns.begin);
  area.height = static_cast<std::int32_t>(rows.end - rows.begin);
  return area;
}

// A copy within one surface reads from a snapshot, so overlapping rectangles come out right.
PixelBuffer Snapshot(const PixelBuffer& area, std::vector<std::uint8_t>& store) {
  const std::size_t rowBytes = static_cast<std::size_t>(area.width) * area.layout.BytesPerPixel();
  store.resize(rowBytes * static_cast<std::size_t>(area.height));
  for (std::int32_t y = 0; y < area.height; ++y) std::memcpy(store.data() + rowBytes * y, area.Row(y), rowBytes);
  PixelBuffer copy = area;
  copy.bits = store.data();
  copy.pitch = static_cast<std::int32_t>(rowBytes);
  return copy;
}

}  // namespace

// Like GDI, the rectangle is cut to what lies inside both surfaces; the rest is neither read nor written.
BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
  if (!target || !source || rop != SRCCOPY) return FALSE;
  if (width <= 0 || height <= 0) return TRUE;
  platform::gdi::DrawingTarget& to = target->Target();
  platform::gdi::DrawingTarget& from = source->Target();
  const PixelBuffer targetPixels = to.Pixels();
  const PixelBuffer sourcePixels = from.Pixels();
  const Span columns = Clip(x, sourceX, width, targetPixels.width, sourcePixels.width);
  const Span rows = Clip(y, sourceY, height, targetPixels.height, sourcePixels.height);
  if (columns.Empty() || rows.Empty()) return TRUE;
  PixelBuffer sourceArea = Area(sourcePixels, sourceX, sourceY, columns, rows);
  std::vector<std::uint8_t> snapshot;
  if (sourcePixels.bits == targetPixels.bits) sourceArea = Snapshot(sourceArea, snapshot);
  platform::gdi::ConvertPixels(Area(targetPixels, x, y, columns, rows), to.Colors(), sourceArea, from.Colors());
  return TRUE;
}
