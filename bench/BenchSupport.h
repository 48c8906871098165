#pragma once
// What the display benchmarks share: pictures of the game's kind and a device on the software
// display service that makes surfaces of them.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/ddraw/DDraw.h"

namespace bench {

inline constexpr std::uint8_t Transparent = 170;

// Pixels of an 8-bit picture, row after row.
struct Picture {
  int width;
  int height;
  std::vector<std::uint8_t> pixels;
};

// A landscape layer: sky left open above a wavy line of hills in bands of colour, woods cut in.
inline Picture Landscape() {
  Picture p{640, 480, std::vector<std::uint8_t>(640 * 480, Transparent)};
  for (int x = 0; x < p.width; ++x) {
    const int ridge = 220 + static_cast<int>(40 * std::sin(x / 53.0) + 15 * std::sin(x / 11.0));
    for (int y = ridge; y < p.height; ++y)
      if (!((x / 37) % 5 == 0 && y < ridge + 60))
        p.pixels[y * p.width + x] = static_cast<std::uint8_t>(10 + (x / 9 + y / 7) % 100);
  }
  return p;
}

inline DDPIXELFORMAT IndexedFormat() {
  return {sizeof(DDPIXELFORMAT), DDPF_RGB | DDPF_PALETTEINDEXED8, 0, 8, 0, 0, 0, 0};
}

class Device {
 public:
  Device() : window_("bench", RECT{0, 0, 640, 480}, platform::Window::Display::Hidden) {
    ComPtr<IDirectDraw> first;
    DirectDrawCreate(nullptr, first.Put(), nullptr);
    first->QueryInterface(IID_IDirectDraw2, device_.PutVoid());
    device_->SetCooperativeLevel(&window_, DDSCL_NORMAL);
  }

  IDirectDraw2* Get() const { return device_.Get(); }

  ComPtr<IDirectDrawSurface3> Surface(int width, int height, const DDPIXELFORMAT& format) {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    description.dwWidth = static_cast<DWORD>(width);
    description.dwHeight = static_cast<DWORD>(height);
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    description.ddpfPixelFormat = format;
    ComPtr<IDirectDrawSurface> first;
    ComPtr<IDirectDrawSurface3> surface;
    device_->CreateSurface(&description, first.Put(), nullptr);
    first->QueryInterface(IID_IDirectDrawSurface3, surface.PutVoid());
    return surface;
  }

  // An 8-bit surface holding the picture.
  ComPtr<IDirectDrawSurface3> Surface(const Picture& picture) {
    auto surface = Surface(picture.width, picture.height, IndexedFormat());
    DDSURFACEDESC locked{};
    locked.dwSize = sizeof locked;
    surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr);
    for (int y = 0; y < picture.height; ++y)
      std::memcpy(static_cast<std::uint8_t*>(locked.lpSurface) + y * locked.lPitch, &picture.pixels[y * picture.width],
                  static_cast<std::size_t>(picture.width));
    surface->Unlock(nullptr);
    return surface;
  }

 private:
  platform::Window window_;
  ComPtr<IDirectDraw2> device_;
};

inline Device& SharedDevice() {
  static Device device;
  return device;
}

}  // namespace bench
