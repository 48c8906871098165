#pragma once
// Surfaces of the software display service in every layout it makes, with palettes, device
// contexts and pixel access through locks, as the game library uses them.

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "../ddraw/DisplayFixture.h"
#include "platform/ddraw/DDraw.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Clock.h"

namespace gdi_test {

struct Layout {
  const char* name;
  DDPIXELFORMAT format;

  DWORD Bits() const { return format.dwRGBBitCount; }
  DWORD Bytes() const { return format.dwRGBBitCount / 8; }
  bool Indexed() const { return format.dwFlags & DDPF_PALETTEINDEXED8; }
};

inline void PrintTo(const Layout& layout, std::ostream* out) { *out << layout.name; }

inline DDPIXELFORMAT RgbFormat(DWORD bits, DWORD r, DWORD g, DWORD b, DWORD a) {
  return {sizeof(DDPIXELFORMAT), DDPF_RGB | (a ? DDPF_ALPHAPIXELS : 0u), 0, bits, r, g, b, a};
}

// The palette layout and colour layouts of every pixel size, red high and low, with and without alpha.
inline const std::vector<Layout>& Layouts() {
  static const std::vector<Layout> layouts{
      {"Pal_8", {sizeof(DDPIXELFORMAT), DDPF_RGB | DDPF_PALETTEINDEXED8, 0, 8, 0, 0, 0, 0}},
      {"RGB_332", RgbFormat(8, 0x07, 0x38, 0xC0, 0)},
      {"BGR_555", RgbFormat(16, 0x7C00, 0x03E0, 0x001F, 0)},
      {"BGR_565", RgbFormat(16, 0xF800, 0x07E0, 0x001F, 0)},
      {"RGBA_4444", RgbFormat(16, 0x000F, 0x00F0, 0x0F00, 0xF000)},
      {"RGB_888", RgbFormat(24, 0x0000FF, 0x00FF00, 0xFF0000, 0)},
      {"BGR_888", RgbFormat(24, 0xFF0000, 0x00FF00, 0x0000FF, 0)},
      {"XRGB_8888", RgbFormat(32, 0xFF0000, 0x00FF00, 0x0000FF, 0)},
      {"BGRA_8888", RgbFormat(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)},
      {"RGBA_8888", RgbFormat(32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000)},
  };
  return layouts;
}

inline const Layout& LayoutNamed(const std::string& name) {
  for (const Layout& layout : Layouts())
    if (name == layout.name) return layout;
  throw std::invalid_argument(name);
}

using Palette = std::array<PALETTEENTRY, 256>;

inline Palette RandomPalette(std::mt19937& random) {
  Palette palette;
  for (auto& entry : palette) entry = {BYTE(random()), BYTE(random()), BYTE(random()), 0};
  return palette;
}

struct Rgb8 {
  int red, green, blue;
  bool operator==(const Rgb8&) const = default;
};

// A channel scaled to 8 bits and back, written out plainly.
inline int ChannelTo8(std::uint32_t value, DWORD mask) {
  if (!mask) return 0;
  const double top = std::pow(2.0, std::popcount(mask)) - 1;
  return static_cast<int>(std::lround(((value & mask) >> std::countr_zero(mask)) * 255.0 / top));
}

inline std::uint32_t ChannelFrom8(int eight, DWORD mask) {
  if (!mask) return 0;
  const double top = std::pow(2.0, std::popcount(mask)) - 1;
  return static_cast<std::uint32_t>(std::lround(eight * top / 255.0)) << std::countr_zero(mask);
}

inline Rgb8 Decode(std::uint32_t value, const DDPIXELFORMAT& f) {
  return {ChannelTo8(value, f.dwRBitMask), ChannelTo8(value, f.dwGBitMask), ChannelTo8(value, f.dwBBitMask)};
}

inline std::uint32_t Encode(const Rgb8& c, const DDPIXELFORMAT& f) {
  return ChannelFrom8(c.red, f.dwRBitMask) | ChannelFrom8(c.green, f.dwGBitMask) | ChannelFrom8(c.blue, f.dwBBitMask);
}

inline Rgb8 ColorOf(const PALETTEENTRY& e) { return {e.peRed, e.peGreen, e.peBlue}; }

// The entry at the smallest squared distance, the first of equals.
inline std::uint8_t NearestIn(const Palette& palette, const Rgb8& c) {
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    const long dr = palette[i].peRed - c.red, dg = palette[i].peGreen - c.green, db = palette[i].peBlue - c.blue;
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return static_cast<std::uint8_t>(best);
}

// Pixels row after row without padding, one value per pixel.
struct Image {
  DWORD width = 0;
  DWORD height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t& At(DWORD x, DWORD y) { return pixels[y * width + x]; }
  std::uint32_t At(DWORD x, DWORD y) const { return pixels[y * width + x]; }
};

// A device context taken from a surface for as long as it lives.
class ContextOf {
 public:
  explicit ContextOf(IDirectDrawSurface3* surface) : surface_(surface) { EXPECT_EQ(surface->GetDC(&dc_), DD_OK); }
  ~ContextOf() { EXPECT_EQ(surface_->ReleaseDC(dc_), DD_OK); }
  ContextOf(const ContextOf&) = delete;
  ContextOf& operator=(const ContextOf&) = delete;
  operator HDC() const { return dc_; }

 private:
  IDirectDrawSurface3* surface_;
  HDC dc_ = nullptr;
};

// The display's fixture, with pictures as pixel values of a layout.
class GdiFixture : public ddraw_test::DisplayFixture {
 protected:
  ComPtr<IDirectDrawSurface3> Make(DWORD width, DWORD height, const Layout& layout) {
    HRESULT result = DD_OK;
    ComPtr<IDirectDrawSurface3> surface = DisplayFixture::Make(width, height, &layout.format, &result);
    EXPECT_EQ(result, DD_OK);
    return surface;
  }

  void SetColors(IDirectDrawSurface3* surface, Palette entries) {
    ComPtr<IDirectDrawPalette> palette;
    ASSERT_EQ(device->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries.data(), palette.Put(), nullptr), DD_OK);
    ASSERT_EQ(surface->SetPalette(palette.Get()), DD_OK);
  }

  static Image Read(IDirectDrawSurface3* surface) {
    DDSURFACEDESC d{};
    d.dwSize = sizeof d;
    EXPECT_EQ(surface->Lock(nullptr, &d, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    const DWORD bytes = d.ddpfPixelFormat.dwRGBBitCount / 8;
    Image image{d.dwWidth, d.dwHeight, std::vector<std::uint32_t>(d.dwWidth * d.dwHeight)};
    for (DWORD y = 0; y < d.dwHeight; ++y)
      for (DWORD x = 0; x < d.dwWidth; ++x)
        std::memcpy(&image.At(x, y), static_cast<std::uint8_t*>(d.lpSurface) + y * d.lPitch + x * bytes, bytes);
    EXPECT_EQ(surface->Unlock(d.lpSurface), DD_OK);
    return image;
  }

  static void Write(IDirectDrawSurface3* surface, const Image& image) {
    DDSURFACEDESC d{};
    d.dwSize = sizeof d;
    ASSERT_EQ(surface->Lock(nullptr, &d, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), DD_OK);
    const DWORD bytes = d.ddpfPixelFormat.dwRGBBitCount / 8;
    for (DWORD y = 0; y < d.dwHeight; ++y)
      for (DWORD x = 0; x < d.dwWidth; ++x)
        std::memcpy(static_cast<std::uint8_t*>(d.lpSurface) + y * d.lPitch + x * bytes,
                    &image.pixels[y * image.width + x], bytes);
    ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
  }

  // Random pixel values that use every bit of the layout.
  static Image Noise(DWORD width, DWORD height, const Layout& layout, std::mt19937& random) {
    const std::uint32_t mask = layout.Bits() == 32 ? 0xFFFFFFFFu : (1u << layout.Bits()) - 1;
    Image image{width, height, std::vector<std::uint32_t>(width * height)};
    for (auto& pixel : image.pixels) pixel = static_cast<std::uint32_t>(random()) & mask;
    return image;
  }

  static Image Filled(DWORD width, DWORD height, std::uint32_t value) {
    return {width, height, std::vector<std::uint32_t>(width * height, value)};
  }
};

}  // namespace gdi_test
