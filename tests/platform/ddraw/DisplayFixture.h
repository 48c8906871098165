#pragma once
// A DirectDraw device on the software display, with helpers to make surfaces and to read and
// write their pixels through locks, as a program would.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/ddraw/DDraw.h"
#include "platform/ddraw/Display.h"
#include "platform/win/Clock.h"

namespace ddraw_test {

inline const GUID NoGuid{};

struct Format {
  const char* name;
  DDPIXELFORMAT pixelFormat;
  std::uint32_t bytesPerPixel;
};

inline DDPIXELFORMAT RgbFormat(DWORD flags, DWORD bits, DWORD r, DWORD g, DWORD b, DWORD a) {
  return {sizeof(DDPIXELFORMAT), flags, 0, bits, r, g, b, a};
}

// One layout of every pixel size.
inline const std::vector<Format>& Formats() {
  static const std::vector<Format> formats{
      {"Pal_8", RgbFormat(DDPF_RGB | DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 0), 1},
      {"BGR_565", RgbFormat(DDPF_RGB, 16, 0xF800, 0x07E0, 0x001F, 0), 2},
      {"BGR_888", RgbFormat(DDPF_RGB, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0), 3},
      {"BGRA_8888", RgbFormat(DDPF_RGB | DDPF_ALPHAPIXELS, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000), 4},
  };
  return formats;
}

inline std::string FormatName(const testing::TestParamInfo<Format>& info) { return info.param.name; }

class DisplayFixture : public testing::Test {
 protected:
  void SetUp() override {
    ComPtr<IDirectDraw> first;
    ASSERT_EQ(DirectDrawCreate(nullptr, first.Put(), nullptr), DD_OK);
    ASSERT_EQ(first->QueryInterface(IID_IDirectDraw2, device.PutVoid()), DD_OK);
    ASSERT_EQ(device->SetCooperativeLevel(&window, DDSCL_NORMAL), DD_OK);
  }

  ComPtr<IDirectDrawSurface3> Make(DWORD width, DWORD height, const DDPIXELFORMAT* format, HRESULT* result = nullptr) {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | (format ? DDSD_PIXELFORMAT : 0);
    description.dwWidth = width;
    description.dwHeight = height;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    if (format) description.ddpfPixelFormat = *format;
    return Created(description, result);
  }

  ComPtr<IDirectDrawSurface3> Created(DDSURFACEDESC& description, HRESULT* result = nullptr) {
    ComPtr<IDirectDrawSurface> first;
    const HRESULT created = device->CreateSurface(&description, first.Put(), nullptr);
    if (result) *result = created;
    ComPtr<IDirectDrawSurface3> surface;
    if (created == DD_OK) {
      EXPECT_EQ(first->QueryInterface(IID_IDirectDrawSurface3, surface.PutVoid()), DD_OK);
    }
    return surface;
  }

  ComPtr<IDirectDrawSurface3> Primary(bool flipChain, HRESULT* result = nullptr) {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | (flipChain ? DDSD_BACKBUFFERCOUNT : 0);
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | (flipChain ? DDSCAPS_FLIP | DDSCAPS_COMPLEX : 0);
    description.dwBackBufferCount = flipChain ? 1 : 0;
    return Created(description, result);
  }

  static ComPtr<IDirectDrawSurface3> BackBufferOf(IDirectDrawSurface3* front) {
    DDSCAPS caps{DDSCAPS_BACKBUFFER};
    IDirectDrawSurface3* back = nullptr;
    EXPECT_EQ(front->GetAttachedSurface(&caps, &back), DD_OK);
    return ComPtr<IDirectDrawSurface3>::Attach(back);
  }

  void GoFullScreen(DWORD bits) {
    ASSERT_EQ(device->SetCooperativeLevel(&window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(device->SetDisplayMode(640, 480, bits, 0, 0), DD_OK);
  }

  // Every pixel's bytes, row after row, without the pitch's padding.
  static std::vector<std::uint8_t> Read(IDirectDrawSurface3* surface) {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    EXPECT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    const std::size_t rowBytes = description.dwWidth * description.ddpfPixelFormat.dwRGBBitCount / 8;
    std::vector<std::uint8_t> bytes(rowBytes * description.dwHeight);
    for (DWORD y = 0; y < description.dwHeight; ++y)
      std::memcpy(bytes.data() + y * rowBytes, static_cast<std::uint8_t*>(description.lpSurface) + y * description.lPitch,
                  rowBytes);
    EXPECT_EQ(surface->Unlock(description.lpSurface), DD_OK);
    return bytes;
  }

  static void Write(IDirectDrawSurface3* surface, const std::vector<std::uint8_t>& bytes) {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    ASSERT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), DD_OK);
    const std::size_t rowBytes = description.dwWidth * description.ddpfPixelFormat.dwRGBBitCount / 8;
    ASSERT_EQ(bytes.size(), rowBytes * description.dwHeight);
    for (DWORD y = 0; y < description.dwHeight; ++y)
      std::memcpy(static_cast<std::uint8_t*>(description.lpSurface) + y * description.lPitch, bytes.data() + y * rowBytes,
                  rowBytes);
    ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
  }

  static std::vector<std::uint8_t> Noise(std::size_t size, std::mt19937& random) {
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
  }

  platform::ScriptedClock clock;
  platform::ScopedClock useClock{clock};
  platform::Window window{"test", RECT{0, 0, 640, 480}, platform::Window::Display::Hidden};
  ComPtr<IDirectDraw2> device;
};

}  // namespace ddraw_test
