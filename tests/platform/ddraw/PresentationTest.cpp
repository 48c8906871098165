// What reaches the window: the frame, scaled by a whole factor, centred on black, coloured
// through the palette. Runs on SDL's dummy video driver, which draws in software as a computer
// without a graphics card does, and reads the window's pixels back.

#include <SDL.h>

#include "DisplayFixture.h"
#include "platform/ddraw/Presenter.h"
#include "platform/win/PictureScaler.h"

namespace ddraw_test {
namespace {

TEST(ScaledPictureRect, LargestWholeFactorCentredOrShrunkWhenNothingFits) {
  const RECT double4k = platform::ScaledPictureRect(1920, 1080, 640, 480);
  EXPECT_EQ(double4k.left, 320);
  EXPECT_EQ(double4k.top, 60);
  EXPECT_EQ(double4k.right - double4k.left, 1280);
  EXPECT_EQ(double4k.bottom - double4k.top, 960);
  const RECT exact = platform::ScaledPictureRect(640, 480, 640, 480);
  EXPECT_EQ(exact.left, 0);
  EXPECT_EQ(exact.right, 640);
  const RECT small = platform::ScaledPictureRect(320, 480, 640, 480);
  EXPECT_EQ(small.right - small.left, 320);
  EXPECT_EQ(small.bottom - small.top, 240);
  EXPECT_EQ(small.top, 120);
}

// Where no graphics card scales, the picture is copied into the window's pixels by a whole factor.
TEST(ScalePicture, EachPixelBecomesASquareTheBorderTurnsBlackAndAPlaceThatIsNoWholeMultipleIsRefused) {
  std::vector<std::uint32_t> picture = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C, 0xFF0D0E0F, 0xFF101112};
  std::vector<std::uint32_t> window(13 * 8, 0xDEADBEEF);
  const platform::PixelRows from{reinterpret_cast<std::uint8_t*>(picture.data()), 3 * 4, 3, 2};
  // A pitch wider than the row, as window pixels may have.
  const platform::PixelRows to{reinterpret_cast<std::uint8_t*>(window.data()), 13 * 4, 11, 8};
  const RECT place = platform::ScaledPictureRect(11, 8, 3, 2);
  ASSERT_EQ(place.right - place.left, 9) << "three times";
  platform::BlackenBorder(to, place);
  ASSERT_TRUE(platform::ScalePicture(from, to, place));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 13; ++x) {
      const bool inside = x >= place.left && x < place.right && y >= place.top && y < place.bottom;
      const std::uint32_t expected = x >= 11  ? 0xDEADBEEF
                                     : inside ? picture[(y - place.top) / 3 * 3 + (x - place.left) / 3]
                                              : 0u;
      EXPECT_EQ(window[y * 13 + x], expected) << x << "," << y;
    }
  const std::vector<std::uint32_t> before = window;
  EXPECT_FALSE(platform::ScalePicture(from, to, RECT{0, 0, 8, 6}));
  EXPECT_FALSE(platform::ScalePicture(from, to, RECT{6, 4, 12, 8})) << "past the window";
  EXPECT_EQ(window, before);
}

class PresentationTest : public DisplayFixture {
 protected:
  void SetUp() override {
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "dummy", 1);
    DisplayFixture::SetUp();
  }

  // The window as the screen shows it, 0xAARRGGBB: its own pixels where the picture is written
  // into them, else what its renderer drew.
  std::vector<std::uint32_t> Shown(int& width, int& height) {
    if (SDL_Renderer* renderer = onScreen.Renderer()) {
      SDL_GetRendererOutputSize(renderer, &width, &height);
      std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
      EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4), 0);
      return pixels;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(onScreen.Sdl());
    EXPECT_NE(surface, nullptr) << "neither a renderer nor the window's pixels";
    if (!surface) return {};
    width = surface->w;
    height = surface->h;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    EXPECT_EQ(SDL_ConvertPixels(width, height, surface->format->format, surface->pixels, surface->pitch,
                                SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4),
              0);
    return pixels;
  }

  platform::Window onScreen{"Veltranzik", RECT{0, 0, 640, 480}, platform::Window::Display::OnScreen};
};

TEST_F(PresentationTest, FullScreenFrameIsScaledCentredAndColouredThroughThePalette) {
  ASSERT_NE(onScreen.Sdl(), nullptr) << SDL_GetError();
  ASSERT_EQ(device->SetCooperativeLevel(&onScreen, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
  ASSERT_EQ(device->SetDisplayMode(640, 480, 8, 0, 0), DD_OK);
  EXPECT_TRUE(onScreen.Fullscreen());
  auto front = Primary(true);
  auto back = BackBufferOf(front.Get());
  std::vector<PALETTEENTRY> entries(256);
  for (int i = 0; i < 256; ++i) entries[i] = {BYTE(i), BYTE(i * 3), BYTE(255 - i), 0};
  ComPtr<IDirectDrawPalette> palette;
  ASSERT_EQ(device->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries.data(), palette.Put(), nullptr), DD_OK);
  ASSERT_EQ(front->SetPalette(palette.Get()), DD_OK);

  std::vector<std::uint8_t> frame(640 * 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) frame[y * 640 + x] = static_cast<std::uint8_t>(x ^ y);
  Write(back.Get(), frame);
  ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);

  int width = 0;
  int height = 0;
  auto shown = Shown(width, height);
  const RECT place = platform::ScaledPictureRect(width, height, 640, 480);
  const int factor = (place.right - place.left) / 640;
  ASSERT_GE(factor, 1);
  auto colour = [&](int index) {
    const PALETTEENTRY& e = entries[index];
    return 0xFF000000u | e.peRed << 16 | e.peGreen << 8 | e.peBlue;
  };
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {639, 0}, {17, 301}, {639, 479}, {320, 240}})
    for (int dy = 0; dy < factor; ++dy)
      for (int dx = 0; dx < factor; ++dx)
        EXPECT_EQ(shown[(place.top + y * factor + dy) * width + place.left + x * factor + dx],
                  colour(frame[y * 640 + x]))
            << x << "," << y;
  if (place.left > 0) {
    EXPECT_EQ(shown[static_cast<std::size_t>(place.top) * width], 0xFF000000u);
  }

  // A palette change shows at the next presentation.
  const PALETTEENTRY green{0, 255, 0, 0};
  ASSERT_EQ(palette->SetEntries(0, frame[0], 1, &green), DD_OK);
  ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);  // shows the other buffer; flip back
  Write(back.Get(), frame);
  ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  shown = Shown(width, height);
  EXPECT_EQ(shown[static_cast<std::size_t>(place.top) * width + place.left], 0xFF00FF00u);
}

TEST_F(PresentationTest, OnTheDesktopTheWindowShowsThePartOfTheScreenUnderIt) {
  ASSERT_NE(onScreen.Sdl(), nullptr) << SDL_GetError();
  onScreen.SetBounds(RECT{100, 50, 420, 290});
  ASSERT_EQ(device->SetCooperativeLevel(&onScreen, DDSCL_NORMAL), DD_OK);
  auto primary = Primary(false);
  auto picture = Make(320, 240, nullptr);
  std::vector<std::uint8_t> pixels(320 * 240 * 4);
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    const std::uint32_t value = 0x00102030u + static_cast<std::uint32_t>(i);
    std::memcpy(&pixels[i], &value, 4);
  }
  Write(picture.Get(), pixels);
  ASSERT_EQ(primary->BltFast(100, 50, picture.Get(), nullptr, DDBLTFAST_WAIT), DD_OK);

  int width = 0;
  int height = 0;
  const auto shown = Shown(width, height);
  const RECT place = platform::ScaledPictureRect(width, height, 320, 240);
  const int factor = (place.right - place.left) / 320;
  EXPECT_EQ(width % 320, 0) << "the window is a whole multiple of its picture";
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {319, 239}, {200, 7}}) {
    std::uint32_t expected = 0;
    std::memcpy(&expected, &pixels[(y * 320 + x) * 4], 4);
    EXPECT_EQ(shown[(place.top + y * factor) * width + place.left + x * factor], expected | 0xFF000000u);
  }
}

}  // namespace
}  // namespace ddraw_test
