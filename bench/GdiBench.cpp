// Device-context copies, the path every picture of the game takes when it is loaded, each beside a
// peer in the same run: memcpy of the same rows for the exact index copy between equal palettes,
// and SDL's own blits for the conversions. Names are Case/Ours and Case/<Peer>.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/ddraw/DDraw.h"
#include "platform/gdi/Gdi.h"

namespace {

constexpr int Width = 640;
constexpr int Height = 480;

// A landscape of the game's kind: sky, hills in bands of colour, woods cut in; 8-bit indices.
std::vector<std::uint8_t> Landscape() {
  std::vector<std::uint8_t> pixels(Width * Height, 170);
  for (int x = 0; x < Width; ++x) {
    const int ridge = 220 + static_cast<int>(40 * std::sin(x / 53.0) + 15 * std::sin(x / 11.0));
    for (int y = ridge; y < Height; ++y)
      if (!((x / 37) % 5 == 0 && y < ridge + 60))
        pixels[y * Width + x] = static_cast<std::uint8_t>(10 + (x / 9 + y / 7) % 100);
  }
  return pixels;
}

std::vector<PALETTEENTRY> GamePalette() {
  std::vector<PALETTEENTRY> entries(256);
  for (int i = 0; i < 256; ++i) entries[i] = {BYTE(i * 37), BYTE(i * 11), BYTE(255 - i), 0};
  return entries;
}

const std::vector<std::uint8_t> landscape = Landscape();
const std::vector<PALETTEENTRY> palette = GamePalette();

DDPIXELFORMAT Indexed() { return {sizeof(DDPIXELFORMAT), DDPF_RGB | DDPF_PALETTEINDEXED8, 0, 8, 0, 0, 0, 0}; }
DDPIXELFORMAT Xrgb8888() { return {sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0}; }
DDPIXELFORMAT Bgr888() { return {sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0}; }

class Device {
 public:
  Device() : window_("bench", RECT{0, 0, 640, 480}, platform::Window::Display::Hidden) {
    ComPtr<IDirectDraw> first;
    DirectDrawCreate(nullptr, first.Put(), nullptr);
    first->QueryInterface(IID_IDirectDraw2, device_.PutVoid());
    device_->SetCooperativeLevel(&window_, DDSCL_NORMAL);
  }

  ComPtr<IDirectDrawSurface3> Surface(const DDPIXELFORMAT& format) {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    description.dwWidth = Width;
    description.dwHeight = Height;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    description.ddpfPixelFormat = format;
    ComPtr<IDirectDrawSurface> first;
    ComPtr<IDirectDrawSurface3> surface;
    device_->CreateSurface(&description, first.Put(), nullptr);
    first->QueryInterface(IID_IDirectDrawSurface3, surface.PutVoid());
    if (format.dwFlags & DDPF_PALETTEINDEXED8) {
      ComPtr<IDirectDrawPalette> colors;
      std::vector<PALETTEENTRY> entries = palette;
      device_->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries.data(), colors.Put(), nullptr);
      surface->SetPalette(colors.Get());
    }
    return surface;
  }

  // The landscape in `format`, converted once through a device context.
  ComPtr<IDirectDrawSurface3> Picture(const DDPIXELFORMAT& format) {
    auto indexed = Surface(Indexed());
    DDSURFACEDESC locked{};
    locked.dwSize = sizeof locked;
    indexed->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr);
    for (int y = 0; y < Height; ++y)
      std::memcpy(static_cast<std::uint8_t*>(locked.lpSurface) + y * locked.lPitch, &landscape[y * Width], Width);
    indexed->Unlock(nullptr);
    if (format.dwFlags & DDPF_PALETTEINDEXED8) return indexed;
    auto converted = Surface(format);
    HDC from = nullptr;
    HDC to = nullptr;
    indexed->GetDC(&from);
    converted->GetDC(&to);
    BitBlt(to, 0, 0, Width, Height, from, 0, 0, SRCCOPY);
    converted->ReleaseDC(to);
    indexed->ReleaseDC(from);
    return converted;
  }

 private:
  platform::Window window_;
  ComPtr<IDirectDraw2> device_;
};

Device& SharedDevice() {
  static Device device;
  return device;
}

// Each pass takes and gives back both contexts, as the game library's copy does.
void Ours(benchmark::State& state, const DDPIXELFORMAT& from, const DDPIXELFORMAT& to) {
  auto source = SharedDevice().Picture(from);
  auto target = SharedDevice().Surface(to);
  for (auto _ : state) {
    HDC sourceDc = nullptr;
    HDC targetDc = nullptr;
    source->GetDC(&sourceDc);
    target->GetDC(&targetDc);
    BitBlt(targetDc, 0, 0, Width, Height, sourceDc, 0, 0, SRCCOPY);
    target->ReleaseDC(targetDc);
    source->ReleaseDC(sourceDc);
    benchmark::ClobberMemory();
  }
}

void Memcpy(benchmark::State& state) {
  std::vector<std::uint8_t> target(landscape.size());
  for (auto _ : state) {
    for (int y = 0; y < Height; ++y) std::memcpy(&target[y * Width], &landscape[y * Width], Width);
    benchmark::ClobberMemory();
  }
}

SDL_Surface* SdlLandscape() {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, Width, Height, 8, SDL_PIXELFORMAT_INDEX8);
  std::vector<SDL_Color> colors(256);
  for (int i = 0; i < 256; ++i) colors[i] = {palette[i].peRed, palette[i].peGreen, palette[i].peBlue, 255};
  SDL_SetPaletteColors(surface->format->palette, colors.data(), 0, 256);
  for (int y = 0; y < Height; ++y)
    std::memcpy(static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch, &landscape[y * Width], Width);
  return surface;
}

void Sdl(benchmark::State& state, Uint32 fromFormat, Uint32 toFormat) {
  SDL_Surface* indexed = SdlLandscape();
  SDL_Surface* source =
      fromFormat == SDL_PIXELFORMAT_INDEX8 ? indexed : SDL_ConvertSurfaceFormat(indexed, fromFormat, 0);
  SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, Width, Height, 32, toFormat);
  if (toFormat == SDL_PIXELFORMAT_INDEX8) SDL_SetSurfacePalette(target, indexed->format->palette);
  for (auto _ : state) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(target);
  if (source != indexed) SDL_FreeSurface(source);
  SDL_FreeSurface(indexed);
}

BENCHMARK_CAPTURE(Ours, EqualPalettes640x480, Indexed(), Indexed())->Name("EqualPalettes640x480/Ours");
BENCHMARK(Memcpy)->Name("EqualPalettes640x480/memcpy");
BENCHMARK_CAPTURE(Ours, IndexedToXrgb640x480, Indexed(), Xrgb8888())->Name("IndexedToXrgb640x480/Ours");
BENCHMARK_CAPTURE(Sdl, IndexedToXrgb640x480, SDL_PIXELFORMAT_INDEX8, SDL_PIXELFORMAT_ARGB8888)
    ->Name("IndexedToXrgb640x480/SDL");
BENCHMARK_CAPTURE(Ours, RgbToIndexed640x480, Bgr888(), Indexed())->Name("RgbToIndexed640x480/Ours");
BENCHMARK_CAPTURE(Sdl, RgbToIndexed640x480, SDL_PIXELFORMAT_RGB24, SDL_PIXELFORMAT_INDEX8)
    ->Name("RgbToIndexed640x480/SDL");

}  // namespace
