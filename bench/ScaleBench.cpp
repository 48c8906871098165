// Showing a frame where no graphics card scales it: our whole-factor copy of the 640 x 480 picture
// into the window's pixels, beside writing the window's pixels once (memcpy of its size) and
// beside SDL's own software scaling of the same picture (what its software renderer would do).
// Factor 2 fills a 1280 x 960 window; factor 3 puts 1920 x 1440 into a 2560 x 1440 window.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win/PictureScaler.h"
#include "platform/win/Window.h"

namespace {

constexpr std::int32_t PictureWidth = 640;
constexpr std::int32_t PictureHeight = 480;

struct Scene {
  std::vector<std::uint32_t> picture;
  std::vector<std::uint32_t> window;
  std::int32_t windowWidth;
  std::int32_t windowHeight;
  RECT place;

  Scene(std::int32_t width, std::int32_t height)
      : picture(static_cast<std::size_t>(PictureWidth) * PictureHeight),
        window(static_cast<std::size_t>(width) * height),
        windowWidth(width),
        windowHeight(height),
        place(platform::ScaledPictureRect(width, height, PictureWidth, PictureHeight)) {
    for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<std::uint32_t>(i * 2654435761u);
  }
  platform::PixelRows Picture() {
    return {reinterpret_cast<std::uint8_t*>(picture.data()), PictureWidth * 4, PictureWidth, PictureHeight};
  }
  platform::PixelRows Window() {
    return {reinterpret_cast<std::uint8_t*>(window.data()), windowWidth * 4, windowWidth, windowHeight};
  }
};

void Ours(benchmark::State& state) {
  Scene scene(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
  platform::BlackenBorder(scene.Window(), scene.place);
  for (auto _ : state) {
    platform::ScalePicture(scene.Picture(), scene.Window(), scene.place);
    benchmark::DoNotOptimize(scene.window.data());
  }
}

void Memcpy(benchmark::State& state) {
  Scene scene(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
  const std::vector<std::uint32_t> frame(scene.window.size(), 0x00336699u);
  for (auto _ : state) {
    std::memcpy(scene.window.data(), frame.data(), frame.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(scene.window.data());
  }
}

void Sdl(benchmark::State& state) {
  Scene scene(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(scene.picture.data(), PictureWidth, PictureHeight, 32,
                                                            PictureWidth * 4, SDL_PIXELFORMAT_ARGB8888);
  SDL_Surface* window = SDL_CreateRGBSurfaceWithFormatFrom(scene.window.data(), scene.windowWidth, scene.windowHeight,
                                                           32, scene.windowWidth * 4, SDL_PIXELFORMAT_ARGB8888);
  SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
  SDL_Rect target{scene.place.left, scene.place.top, scene.place.right - scene.place.left,
                  scene.place.bottom - scene.place.top};
  for (auto _ : state) {
    SDL_Rect where = target;
    SDL_BlitScaled(picture, nullptr, window, &where);
    benchmark::DoNotOptimize(scene.window.data());
  }
  SDL_FreeSurface(window);
  SDL_FreeSurface(picture);
}

}  // namespace

BENCHMARK(Ours)->Args({1280, 960})->Name("ScaleFactor2/Ours");
BENCHMARK(Memcpy)->Args({1280, 960})->Name("ScaleFactor2/memcpy");
BENCHMARK(Sdl)->Args({1280, 960})->Name("ScaleFactor2/SDL");
BENCHMARK(Ours)->Args({2560, 1440})->Name("ScaleFactor3/Ours");
BENCHMARK(Memcpy)->Args({2560, 1440})->Name("ScaleFactor3/memcpy");
BENCHMARK(Sdl)->Args({2560, 1440})->Name("ScaleFactor3/SDL");
