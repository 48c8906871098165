// The display service's blits and its presentation conversion, each beside a peer in the same run:
// SDL's own colour-keyed blit and 8-to-32-bit conversion on the same pixels, and memcpy of the
// same bytes. Names are Case/Ours and Case/<Peer>; tools/bench prints the ratios.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "platform/ddraw/FrameConversion.h"

namespace {

using bench::Picture;
using bench::SharedDevice;
using bench::Transparent;

// A stork-like sprite: an opaque body with wings on a transparent background, as the game's are.
Picture Sprite() {
  Picture p{100, 80, std::vector<std::uint8_t>(100 * 80, Transparent)};
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const double body = std::pow((x - 50) / 30.0, 2) + std::pow((y - 45) / 12.0, 2);
      const double wing = std::abs(y - 30 + 0.4 * std::abs(x - 50)) < 6 && std::abs(x - 50) < 48;
      if (body < 1 || wing) p.pixels[y * p.width + x] = static_cast<std::uint8_t>(1 + (x * 7 + y * 3) % 160);
    }
  return p;
}

// Transparent pixels scattered at random, a third of them: the worst case for skipping runs.
Picture Scattered() {
  Picture p{640, 480, std::vector<std::uint8_t>(640 * 480)};
  std::mt19937 random(5);
  for (auto& pixel : p.pixels) pixel = random() % 3 == 0 ? Transparent : static_cast<std::uint8_t>(random() % 160);
  return p;
}

struct SdlSurfaces {
  SDL_Surface* source;
  SDL_Surface* target;
  SDL_Palette* palette;
};

SdlSurfaces SdlPair(const Picture& picture, bool keyed) {
  SDL_Palette* palette = SDL_AllocPalette(256);
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 8, SDL_PIXELFORMAT_INDEX8);
  SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 8, SDL_PIXELFORMAT_INDEX8);
  SDL_SetSurfacePalette(source, palette);
  SDL_SetSurfacePalette(target, palette);
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(static_cast<std::uint8_t*>(source->pixels) + y * source->pitch, &picture.pixels[y * picture.width],
                static_cast<std::size_t>(picture.width));
  if (keyed) SDL_SetColorKey(source, SDL_TRUE, Transparent);
  return {source, target, palette};
}

void FreePair(const SdlSurfaces& pair) {
  SDL_FreeSurface(pair.source);
  SDL_FreeSurface(pair.target);
  SDL_FreePalette(pair.palette);
}

void Ours(benchmark::State& state, const Picture& picture, DWORD flags) {
  auto source = SharedDevice().Surface(picture);
  DDCOLORKEY key{Transparent, Transparent};
  source->SetColorKey(DDCKEY_SRCBLT, &key);
  auto target = SharedDevice().Surface(Picture{640, 480, std::vector<std::uint8_t>(640 * 480, 3)});
  for (auto _ : state) {
    target->BltFast(0, 0, source.Get(), nullptr, flags);
    benchmark::ClobberMemory();
  }
}

void Sdl(benchmark::State& state, const Picture& picture, bool keyed) {
  const SdlSurfaces pair = SdlPair(picture, keyed);
  for (auto _ : state) {
    SDL_Rect at{0, 0, picture.width, picture.height};
    SDL_BlitSurface(pair.source, nullptr, pair.target, &at);
    benchmark::ClobberMemory();
  }
  FreePair(pair);
}

void Memcpy(benchmark::State& state, const Picture& picture) {
  std::vector<std::uint8_t> target(picture.pixels.size());
  for (auto _ : state) {
    for (int y = 0; y < picture.height; ++y)
      std::memcpy(&target[y * picture.width], &picture.pixels[y * picture.width],
                  static_cast<std::size_t>(picture.width));
    benchmark::ClobberMemory();
  }
}

const Picture sprite = Sprite();
const Picture scenery = bench::Landscape();
const Picture scattered = Scattered();
constexpr DWORD Keyed = DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT;

BENCHMARK_CAPTURE(Ours, KeyedSprite100x80, sprite, Keyed)->Name("KeyedSprite100x80/Ours");
BENCHMARK_CAPTURE(Sdl, KeyedSprite100x80, sprite, true)->Name("KeyedSprite100x80/SDL");
BENCHMARK_CAPTURE(Ours, KeyedScenery640x480, scenery, Keyed)->Name("KeyedScenery640x480/Ours");
BENCHMARK_CAPTURE(Sdl, KeyedScenery640x480, scenery, true)->Name("KeyedScenery640x480/SDL");
BENCHMARK_CAPTURE(Memcpy, KeyedScenery640x480, scenery)->Name("KeyedScenery640x480/memcpy");
BENCHMARK_CAPTURE(Ours, KeyedScattered640x480, scattered, Keyed)->Name("KeyedScattered640x480/Ours");
BENCHMARK_CAPTURE(Sdl, KeyedScattered640x480, scattered, true)->Name("KeyedScattered640x480/SDL");
BENCHMARK_CAPTURE(Memcpy, KeyedScattered640x480, scattered)->Name("KeyedScattered640x480/memcpy");
BENCHMARK_CAPTURE(Ours, Opaque640x480, scenery, DDBLTFAST_WAIT)->Name("Opaque640x480/Ours");
BENCHMARK_CAPTURE(Memcpy, Opaque640x480, scenery)->Name("Opaque640x480/memcpy");

void PresentOurs(benchmark::State& state) {
  std::vector<PALETTEENTRY> entries(256);
  for (int i = 0; i < 256; ++i) entries[i] = {BYTE(i), BYTE(i * 3), BYTE(i * 7), 0};
  std::vector<std::uint8_t> out(640 * 480 * 4);
  const platform::pixels::PixelBuffer frame{const_cast<std::uint8_t*>(scattered.pixels.data()), 640, 640, 480,
                                            platform::pixels::PixelLayout::Indexed8()};
  for (auto _ : state) {
    // A presentation converts its palette once per frame, so that cost is counted too.
    platform::ddraw::IndexedToArgb(frame, platform::ddraw::ArgbColors(entries.data()), out.data(), 640 * 4);
    benchmark::ClobberMemory();
  }
}

void PresentSdl(benchmark::State& state) {
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 8, SDL_PIXELFORMAT_INDEX8);
  SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_ARGB8888);
  std::vector<SDL_Color> colors(256);
  for (int i = 0; i < 256; ++i) colors[i] = {Uint8(i), Uint8(i * 3), Uint8(i * 7), 255};
  SDL_SetPaletteColors(source->format->palette, colors.data(), 0, 256);
  for (int y = 0; y < 480; ++y)
    std::memcpy(static_cast<std::uint8_t*>(source->pixels) + y * source->pitch, &scattered.pixels[y * 640], 640);
  for (auto _ : state) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(source);
  SDL_FreeSurface(target);
}

BENCHMARK(PresentOurs)->Name("Present640x480x8/Ours");
BENCHMARK(PresentSdl)->Name("Present640x480x8/SDL");

}  // namespace
