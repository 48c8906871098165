// The library's surface paths beside what they stand on: loading the title picture into a
// display-format file sprite beside SDL's loader and converter, and drawing and reading pixels
// through the library beside the raw display-service calls.

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>

#include "lib/VXGPixels.h"
#include "lib/VXGSprite.h"

namespace {

const char* const Title = "cdu\\bpwb.bmp";

// A full-screen 640 x 480 x 8 display as the game sets it up, in the game folder.
struct GameDisplay {
  GameDisplay() {
    if (chdir(GAME_DIR) != 0) std::abort();
    graphics.SetCooperativeLevel(&window, TVXGCooperativeMode::Normal, false);
    graphics.SetCooperativeLevel(&window, TVXGCooperativeMode::Exclusive, false);
    graphics.SetDisplayMode(640, 480, 8);
  }
  platform::Window window{"bench", RECT{0, 0, 640, 480}, platform::Window::Display::Hidden};
  TVXGGraphics graphics{GUID{}};
};

GameDisplay& Display() {
  static GameDisplay display;
  return display;
}

void LoadOurs(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(
        TVXGFileSprite::CreateFromFileConvert(Display().graphics, Title, TVXGPixelFormat::NoPixelFormat, false));
}

void LoadSdl(benchmark::State& state) {
  Display();
  SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 8, SDL_PIXELFORMAT_INDEX8);
  for (auto _ : state) {
    SDL_Surface* picture = SDL_LoadBMP("cdu/bpwb.bmp");
    SDL_SetSurfacePalette(screen, picture->format->palette);
    SDL_Surface* converted = SDL_ConvertSurface(picture, screen->format, 0);
    benchmark::DoNotOptimize(converted);
    SDL_FreeSurface(converted);
    SDL_FreeSurface(picture);
  }
  SDL_FreeSurface(screen);
}

BENCHMARK(LoadOurs)->Name("LoadTitle640x480x8/Ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadSdl)->Name("LoadTitle640x480x8/SDL")->Unit(benchmark::kMicrosecond);

// A stork-sized keyed picture drawn where it fits, through Draw and through the bare interface.
struct Sprites {
  Sprites() {
    target = TVXGSprite::CreateClear(Display().graphics, 640, 480, TVXGPixelFormat::NoPixelFormat);
    stork = TVXGSprite::CreateClear(Display().graphics, 100, 80, TVXGPixelFormat::NoPixelFormat);
    const RECT body{20, 20, 80, 60};
    stork->ColorFill(&body, 153);
  }
  std::unique_ptr<TVXGSprite> target;
  std::unique_ptr<TVXGSprite> stork;
};

void DrawOurs(benchmark::State& state) {
  Sprites sprites;
  for (auto _ : state) sprites.target->Draw(270, 200, *sprites.stork, nullptr, true);
}

void DrawBltFast(benchmark::State& state) {
  Sprites sprites;
  RECT whole{0, 0, 100, 80};
  for (auto _ : state)
    sprites.target->DDSurface()->BltFast(270, 200, sprites.stork->DDSurface(), &whole,
                                         DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

BENCHMARK(DrawOurs)->Name("DrawKeyed100x80/Ours");
BENCHMARK(DrawBltFast)->Name("DrawKeyed100x80/BltFast");

void PixelOurs(benchmark::State& state) {
  Sprites sprites;
  for (auto _ : state) benchmark::DoNotOptimize(sprites.stork->Pixels(50, 40));
}

void PixelLock(benchmark::State& state) {
  Sprites sprites;
  IDirectDrawSurface3* surface = sprites.stork->DDSurface();
  for (auto _ : state) {
    RECT pixel{50, 40, 51, 41};
    DDSURFACEDESC description;
    std::memset(&description, 0, sizeof description);
    description.dwSize = sizeof description;
    surface->Lock(&pixel, &description, DDLOCK_WAIT | DDLOCK_READONLY, nullptr);
    benchmark::DoNotOptimize(*static_cast<const std::uint8_t*>(description.lpSurface));
    surface->Unlock(description.lpSurface);
  }
}

BENCHMARK(PixelOurs)->Name("ReadPixel/Ours");
BENCHMARK(PixelLock)->Name("ReadPixel/Lock");

}  // namespace
