// Device-context copies, the path every picture of the game takes when it is loaded, each beside a
// peer in the same run: memcpy of the same rows for the exact index copy between equal palettes,
// and SDL's own blits for the conversions. Names are Case/Ours and Case/<Peer>.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "BenchSupport.h"
#include "platform/gdi/Gdi.h"

namespace {

constexpr int Width = 640;
constexpr int Height = 480;

std::vector<PALETTEENTRY> GamePalette() {
  std::vector<PALETTEENTRY> entries(256);
  for (int i = 0; i < 256; ++i) entries[i] = {BYTE(i * 37), BYTE(i * 11), BYTE(255 - i), 0};
  return entries;
}

const bench::Picture landscape = bench::Landscape();
const std::vector<PALETTEENTRY> palette = GamePalette();

DDPIXELFORMAT Xrgb8888() { return {sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0}; }
DDPIXELFORMAT Bgr888() { return {sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0}; }

ComPtr<IDirectDrawSurface3> Surface(const DDPIXELFORMAT& format) {
  auto surface = bench::SharedDevice().Surface(Width, Height, format);
  if (format.dwFlags & DDPF_PALETTEINDEXED8) {
    ComPtr<IDirectDrawPalette> colors;
    std::vector<PALETTEENTRY> entries = palette;
    bench::SharedDevice().Get()->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries.data(), colors.Put(), nullptr);
    surface->SetPalette(colors.Get());
  }
  return surface;
}

// The landscape in `format`, converted once through a device context.
ComPtr<IDirectDrawSurface3> Picture(const DDPIXELFORMAT& format) {
  auto indexed = Surface(bench::IndexedFormat());
  auto filled = bench::SharedDevice().Surface(landscape);
  indexed->BltFast(0, 0, filled.Get(), nullptr, DDBLTFAST_WAIT);
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

// Each pass takes and gives back both contexts, as the game library's copy does.
void Ours(benchmark::State& state, const DDPIXELFORMAT& from, const DDPIXELFORMAT& to) {
  auto source = Picture(from);
  auto target = Surface(to);
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
  std::vector<std::uint8_t> target(landscape.pixels.size());
  for (auto _ : state) {
    for (int y = 0; y < Height; ++y) std::memcpy(&target[y * Width], &landscape.pixels[y * Width], Width);
    benchmark::ClobberMemory();
  }
}

SDL_Surface* SdlLandscape() {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, Width, Height, 8, SDL_PIXELFORMAT_INDEX8);
  std::vector<SDL_Color> colors(256);
  for (int i = 0; i < 256; ++i) colors[i] = {palette[i].peRed, palette[i].peGreen, palette[i].peBlue, 255};
  SDL_SetPaletteColors(surface->format->palette, colors.data(), 0, 256);
  for (int y = 0; y < Height; ++y)
    std::memcpy(static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch, &landscape.pixels[y * Width], Width);
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

BENCHMARK_CAPTURE(Ours, EqualPalettes640x480, bench::IndexedFormat(), bench::IndexedFormat())->Name("EqualPalettes640x480/Ours");
BENCHMARK(Memcpy)->Name("EqualPalettes640x480/memcpy");
BENCHMARK_CAPTURE(Ours, IndexedToXrgb640x480, bench::IndexedFormat(), Xrgb8888())->Name("IndexedToXrgb640x480/Ours");
BENCHMARK_CAPTURE(Sdl, IndexedToXrgb640x480, SDL_PIXELFORMAT_INDEX8, SDL_PIXELFORMAT_ARGB8888)
    ->Name("IndexedToXrgb640x480/SDL");
BENCHMARK_CAPTURE(Ours, RgbToIndexed640x480, Bgr888(), bench::IndexedFormat())->Name("RgbToIndexed640x480/Ours");
BENCHMARK_CAPTURE(Sdl, RgbToIndexed640x480, SDL_PIXELFORMAT_RGB24, SDL_PIXELFORMAT_INDEX8)
    ->Name("RgbToIndexed640x480/SDL");

}  // namespace
