#pragma once
// The seventeen pixel formats of the library, shared with the surface plug-ins. "RGB" in a name
// puts red in the lowest bits, "BGR" in the highest.

#include <array>
#include <cstdint>

enum class TVXGPixelFormat : std::uint8_t {
  NoPixelFormat,  // none given: a surface made with it takes the display's format
  Pal_8,
  A_8,
  RGB_332,
  BGR_233,
  RGBA_4444,
  BGRA_4444,
  RGB_555,
  BGR_555,
  RGBA_5551,
  BGRA_5551,
  RGB_565,
  BGR_565,
  RGB_888,
  BGR_888,
  RGBA_8888,
  BGRA_8888,
};

inline constexpr std::size_t PixelFormatCount = 17;

struct TVXGPixelMasks {
  std::uint32_t Red;
  std::uint32_t Green;
  std::uint32_t Blue;
  std::uint32_t Alpha;
};

extern const std::array<const char*, PixelFormatCount> PixelFormatNames;
extern const std::array<std::uint32_t, PixelFormatCount> PixelFormatBits;
extern const std::array<TVXGPixelMasks, PixelFormatCount> PixelFormatMasks;

inline std::size_t PixelFormatIndex(TVXGPixelFormat Format) { return static_cast<std::size_t>(Format); }

// The first format, in value order, whose four masks are the given ones; NoPixelFormat when none
// is. The bit count is not compared: a 32-bit surface without alpha reads as BGR_888.
TVXGPixelFormat PixelFormatFromMasks(std::uint32_t Red, std::uint32_t Green, std::uint32_t Blue, std::uint32_t Alpha);
