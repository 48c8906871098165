#pragma once
// A picture in memory, 32-bit 0xAARRGGBB, that device contexts draw text on and that the window
// framework paints its forms into.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/gdi/DeviceContext.h"

namespace platform {

class Bitmap final : public gdi::DrawingTarget {
 public:
  Bitmap() = default;
  Bitmap(std::int32_t width, std::int32_t height);
  Bitmap(const Bitmap&) = default;
  Bitmap& operator=(const Bitmap&) = default;
  ~Bitmap() = default;

  // A picture from the bytes of a BMP file; none when they are not one.
  static std::optional<Bitmap> FromBmp(std::span<const std::uint8_t> bytes);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  bool Empty() const { return pixels_.empty(); }
  void Resize(std::int32_t width, std::int32_t height);

  std::uint32_t* Row(std::int32_t y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* Row(std::int32_t y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  std::uint32_t At(std::int32_t x, std::int32_t y) const { return Row(y)[x]; }
  const std::vector<std::uint32_t>& Data() const { return pixels_; }

  pixels::PixelBuffer Pixels() override;
  const PALETTEENTRY* Colors() override { return nullptr; }

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// A colour of the framework (0x00BBGGRR) as a pixel of a bitmap.
constexpr std::uint32_t PixelOf(std::uint32_t color) {
  return 0xFF000000u | (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
}

}  // namespace platform
