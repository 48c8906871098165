// Surfaces and sprites on the software display: clipping, colour keys, single pixels, palettes,
// loss and restore, the screen and its back buffer, canvases, and pictures loaded through the
// BMP plug-in of the game folder.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "ForwardingSurface.h"
#include "lib/VXGCanvas.h"
#include "lib/VXGPalette.h"
#include "lib/VXGPixels.h"
#include "lib/VXGPrimary.h"
#include "lib/VXGSprite.h"
#include "platform/ddraw/Display.h"
#include "plugins/bmp/BmpFile.h"

namespace {

namespace fs = std::filesystem;
using bmp_test::BmpFile;

class SurfaceTest : public testing::Test {
 protected:
  void SetUp() override {
    previous = fs::current_path();
    folder = fs::temp_directory_path() / ("surface-test-" + std::to_string(getpid()));
    fs::create_directories(folder / "cdu");
    fs::copy_file(fs::path(GAME_DIR) / "Surfbmp.spi", folder / "Surfbmp.spi", fs::copy_options::overwrite_existing);
    fs::current_path(folder);
    graphics.SetCooperativeLevel(&window, TVXGCooperativeMode::Normal, false);
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(folder);
  }

  std::unique_ptr<TVXGSprite> Indexed(std::int32_t width, std::int32_t height) {
    return std::make_unique<TVXGSprite>(graphics, width, height, TVXGPixelFormat::Pal_8);
  }

  // Writes every pixel of an 8-bit surface with the value the function gives for it.
  template <class Value>
  static void Paint(TVXGSurface& surface, Value value) {
    TVXGPixels lock(surface, nullptr, TVXGLockType::WriteOnly);
    for (std::int32_t y = 0; y < surface.Height(); ++y)
      for (std::int32_t x = 0; x < surface.Width(); ++x)
        static_cast<std::uint8_t*>(lock.Bits())[y * lock.Pitch() + x] = static_cast<std::uint8_t>(value(x, y));
  }

  static std::vector<std::uint8_t> Contents(TVXGSurface& surface) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t y = 0; y < surface.Height(); ++y)
      for (std::int32_t x = 0; x < surface.Width(); ++x)
        bytes.push_back(static_cast<std::uint8_t>(surface.Pixels(x, y)));
    return bytes;
  }

  // What an exception from `action` says.
  template <class Action>
  static std::string MessageOf(Action action) {
    try {
      action();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no exception";
  }

  fs::path previous, folder;
  platform::Window window{"test", RECT{0, 0, 64, 48}, platform::Window::Display::Hidden};
  TVXGGraphics graphics{GUID{}};
};

TEST_F(SurfaceTest, OnlyDescendantsOfTheSurfaceCanBeMade) {
  try {
    TVXGSurface surface(graphics);
    FAIL() << "a plain surface was made";
  } catch (const EVXGGraphicsError& e) {
    EXPECT_EQ(e.Message(), "A TVXGSurface cannot be created");
    EXPECT_EQ(e.ErrorCode(), 0);
  }
  EXPECT_EQ(MessageOf([&] { TVXGSprite sprite(graphics, 0, 5, TVXGPixelFormat::Pal_8); }),
            "TVXGSprite.CreateSurface:\r" + DirectDrawErrorText(DDERR_INVALIDPARAMS));
}

TEST_F(SurfaceTest, DrawClipsAtEveryEdgeLikeAStraightforwardCopy) {
  auto source = Indexed(10, 4);
  Paint(*source, [](int x, int y) { return 1 + x + 10 * y; });
  auto target = Indexed(8, 6);
  const std::vector<RECT> parts{{0, 0, 10, 4}, {3, 1, 7, 4}};
  for (const RECT& part : parts)
    for (std::int32_t y = -5; y <= 7; ++y)
      for (std::int32_t x = -11; x <= 9; ++x) {
        target->ColorFill(nullptr, 0);
        target->Draw(x, y, *source, &part, false);
        std::vector<std::uint8_t> expected(8 * 6, 0);
        for (LONG sy = part.top; sy < part.bottom; ++sy)
          for (LONG sx = part.left; sx < part.right; ++sx) {
            const std::int32_t tx = x + sx - part.left;
            const std::int32_t ty = y + sy - part.top;
            if (tx >= 0 && tx < 8 && ty >= 0 && ty < 6)
              expected[ty * 8 + tx] = static_cast<std::uint8_t>(1 + sx + 10 * sy);
          }
        ASSERT_EQ(Contents(*target), expected) << "at " << x << "," << y << " part " << part.left;
      }
}

TEST_F(SurfaceTest, DrawWithAPartOfTheSourceLeftOfTheTarget) {
  auto source = Indexed(40, 20);
  Paint(*source, [](int x, int) { return x; });
  auto target = Indexed(64, 20);
  const RECT part{10, 0, 30, 20};
  target->Draw(-5, 0, *source, &part, false);
  EXPECT_EQ(target->Pixels(0, 3), 15u);
  EXPECT_EQ(target->Pixels(14, 3), 29u);
  EXPECT_EQ(target->Pixels(15, 3), 0u);
}

TEST_F(SurfaceTest, TransparentDrawingSkipsTheColourKey) {
  auto source = Indexed(4, 1);
  Paint(*source, [](int x, int) { return x % 2 ? 170 : 9; });
  source->SetColorKey(170);
  auto target = Indexed(4, 1);
  target->ColorFill(nullptr, 3);
  target->Draw(0, 0, *source, nullptr, true);
  EXPECT_EQ(Contents(*target), (std::vector<std::uint8_t>{9, 3, 9, 3}));
  target->Draw(0, 0, *source, nullptr, false);
  EXPECT_EQ(Contents(*target), (std::vector<std::uint8_t>{9, 170, 9, 170}));
}

TEST_F(SurfaceTest, ColourKeysFromEveryCorner) {
  auto sprite = Indexed(5, 4);
  EXPECT_EQ(sprite->GetColorKey(), -1);
  Paint(*sprite, [](int x, int y) { return 10 * y + x; });
  const std::vector<std::pair<TVXGColorKeyCorner, std::int32_t>> corners{{TVXGColorKeyCorner::TopLeft, 0},
                                                                         {TVXGColorKeyCorner::TopRight, 4},
                                                                         {TVXGColorKeyCorner::BottomLeft, 30},
                                                                         {TVXGColorKeyCorner::BottomRight, 34}};
  for (const auto& [corner, key] : corners) {
    graphics.SetColorKeyCorner(corner);
    sprite->SetColorKeyFromCorner();
    EXPECT_EQ(sprite->GetColorKey(), key);
  }
  graphics.SetColorKeyCorner(TVXGColorKeyCorner::NoCorner);
  sprite->SetColorKeyFromCorner();
  EXPECT_EQ(sprite->GetColorKey(), 34) << "no corner leaves the key as it is";
  sprite->SetColorKey(-1);
  EXPECT_EQ(sprite->GetColorKey(), -1);

  graphics.SetColorKeyCorner(TVXGColorKeyCorner::BottomLeft);
  auto cleared = TVXGSprite::CreateClear(graphics, 400, 80, TVXGPixelFormat::NoPixelFormat);
  EXPECT_EQ(cleared->GetColorKey(), 0);
  EXPECT_EQ(cleared->Pixels(399, 0), 0u);
}

TEST_F(SurfaceTest, PixelsReadsTheRawValueOfEveryPixelSize) {
  struct Case {
    TVXGPixelFormat format;
    std::uint32_t value, allSet;
  };
  const Case cases[] = {{TVXGPixelFormat::Pal_8, 0xAB, 0xFF},
                        {TVXGPixelFormat::BGR_565, 0xABCD, 0xFFFF},
                        {TVXGPixelFormat::BGR_888, 0xABCDEF, 0xFFFFFF},
                        {TVXGPixelFormat::BGRA_8888, 0xFBCDEF01, 0xFFFFFFFF}};
  for (const Case& c : cases) {
    // Every bit set around the pixel, so that a read of too many bytes or of the wrong ones shows.
    const char* name = PixelFormatNames[PixelFormatIndex(c.format)];
    TVXGSprite sprite(graphics, 3, 2, c.format);
    sprite.ColorFill(nullptr, 0xFFFFFFFF);
    const RECT one{1, 1, 2, 2};
    sprite.ColorFill(&one, c.value);
    EXPECT_EQ(sprite.Pixels(1, 1), c.value) << name;
    EXPECT_EQ(sprite.Pixels(0, 1), c.allSet) << name;
    EXPECT_EQ(sprite.PixelFormat(), c.format);
  }
  TVXGSprite sprite(graphics, 3, 2, TVXGPixelFormat::Pal_8);
  EXPECT_EQ(MessageOf([&] { sprite.Pixels(3, 0); }), "TVXGPixels.Create:\r" + DirectDrawErrorText(DDERR_INVALIDPARAMS));
}

// Reports twelve bits per pixel from its locks, which no reader knows.
class TwelveBitSurface final : public ForwardingSurface {
 public:
  using ForwardingSurface::ForwardingSurface;
  HRESULT Lock(RECT* r, DDSURFACEDESC* d, DWORD f, HANDLE e) override {
    const HRESULT result = real_->Lock(r, d, f, e);
    d->ddpfPixelFormat.dwRGBBitCount = 12;
    return result;
  }
};

class TVXGTestSprite : public TVXGSprite {
 public:
  TVXGTestSprite(TVXGGraphics& graphics, IDirectDrawSurface3* surface) : TVXGSprite(Descendant{}, graphics) {
    ddSurface_ = ComPtr<IDirectDrawSurface3>::Attach(surface);
  }
};

TEST_F(SurfaceTest, AnUnknownBitCountIsRefusedAfterTheLockIsGivenBack) {
  auto real = Indexed(2, 2);
  TVXGTestSprite odd(graphics, new TwelveBitSurface(real->DDSurface()));
  EXPECT_EQ(MessageOf([&] { odd.Pixels(0, 0); }), "TVXGPixels.GetPixels: Invalid BitCount");
  EXPECT_EQ(real->Pixels(0, 0), 0u) << "unlocked again";
}

// Takes every lock and context back, then answers as if the memory had gone meanwhile.
class RefusingSurface final : public ForwardingSurface {
 public:
  using ForwardingSurface::ForwardingSurface;
  HRESULT ReleaseDC(HDC dc) override {
    real_->ReleaseDC(dc);
    return DDERR_SURFACELOST;
  }
  HRESULT Unlock(LPVOID s) override {
    real_->Unlock(s);
    return DDERR_SURFACELOST;
  }
};

TEST_F(SurfaceTest, ARefusedUnlockOrReleaseRaisesUnlessAnotherErrorIsOnItsWay) {
  auto real = Indexed(100, 40);
  auto realToo = Indexed(100, 40);
  TVXGTestSprite refusing(graphics, new RefusingSurface(real->DDSurface()));
  TVXGTestSprite refusingToo(graphics, new RefusingSurface(realToo->DDSurface()));
  auto other = Indexed(100, 40);
  const std::string unlock = "TVXGPixels.Destroy:\r" + DirectDrawErrorText(DDERR_SURFACELOST);
  const std::string release = "TVXGCanvas.Destroy:\r" + DirectDrawErrorText(DDERR_SURFACELOST);

  EXPECT_EQ(MessageOf([&] { refusing.Pixels(0, 0); }), unlock);
  EXPECT_EQ(MessageOf([&] {
              TVXGCanvas canvas(&refusing);
              canvas.TextOut(0, 0, "Storch");
            }),
            release);
  {
    TVXGCanvas canvas(&refusing);
    canvas.TextOut(0, 0, "Storch");
    EXPECT_EQ(MessageOf([&] { canvas.ReleaseHandle(); }), release);
  }  // given back already: the canvas goes quietly
  EXPECT_EQ(MessageOf([&] { other->GdiCopy(0, 0, refusing, nullptr); }), release) << "the source's context";
  EXPECT_EQ(MessageOf([&] { refusing.GdiCopy(0, 0, *other, nullptr); }), release) << "the target's context";

  // The first error is the one that arrives; the second would end the program.
  EXPECT_EQ(MessageOf([&] { refusing.GdiCopy(0, 0, refusingToo, nullptr); }), release);
  EXPECT_EQ(MessageOf([&] {
              TVXGCanvas canvas(&refusing);
              canvas.TextOut(0, 0, "Storch");
              throw Exception("first");
            }),
            "first");
  EXPECT_EQ(MessageOf([&] {
              TVXGPixels lock(refusing, nullptr, TVXGLockType::ReadOnly);
              throw Exception("first");
            }),
            "first");

  for (TVXGSprite* surface : {real.get(), realToo.get()}) {
    EXPECT_NO_THROW(other->Draw(0, 0, *surface, nullptr, false)) << "every lock and context went back";
  }
}

TEST_F(SurfaceTest, ALostSurfaceIsClearedAndAFileSpriteShowsItsPictureAgain) {
  BmpFile picture = bmp_test::Indexed({{5, 6, 7}, {8, 9, 170}});
  picture.Write(folder / "cdu" / "p.bmp");
  auto file = TVXGFileSprite::CreateFromFileConvert(graphics, "cdu\\p.bmp", TVXGPixelFormat::Pal_8, false);
  EXPECT_EQ(file->FileName(), "cdu\\p.bmp");
  auto plain = Indexed(3, 2);
  plain->ColorFill(nullptr, 44);
  auto target = Indexed(3, 2);

  platform::ddraw::Display::Instance().LoseAllSurfaces();
  target->Draw(0, 0, *plain, nullptr, false);
  EXPECT_EQ(Contents(*target), std::vector<std::uint8_t>(6, 0)) << "a plain sprite comes back cleared";
  platform::ddraw::Display::Instance().LoseAllSurfaces();
  target->Draw(0, 0, *file, nullptr, false);
  EXPECT_EQ(Contents(*target), (std::vector<std::uint8_t>{5, 6, 7, 8, 9, 170})) << "the file sprite reloads";
  EXPECT_EQ(file->GetColorKey(), 8);
}

TEST_F(SurfaceTest, ThePicturesPaletteComesAlongOnlyBetweenEightBitSurfaces) {
  BmpFile picture = bmp_test::Indexed({{170, 1, 2, 170}});
  picture.colors[170] = picture.colors[171] = {255, 0, 255};  // two entries of one colour
  picture.Write(folder / "cdu" / "k.bmp");

  auto same = TVXGFileSprite::CreateFromFileConvert(graphics, "cdu\\k.bmp", TVXGPixelFormat::Pal_8, false);
  EXPECT_TRUE(same->HasPalette());
  EXPECT_EQ(Contents(*same), (std::vector<std::uint8_t>{170, 1, 2, 170})) << "every index kept";
  EXPECT_EQ(same->GetColorKey(), 170);
  EXPECT_EQ(same->Palette().RefCount(), 1) << "the picture's palette outlived the picture surface";
  PALETTEENTRY entry{};
  same->Palette().GetEntries(2, 1, &entry);
  EXPECT_EQ(entry.peRed, 2);

  auto kept = TVXGFileSprite::CreateFromFileConvert(graphics, "cdu\\k.bmp", TVXGPixelFormat::Pal_8, true);
  EXPECT_FALSE(kept->HasPalette());

  auto colour = TVXGFileSprite::CreateFromFileConvert(graphics, "cdu\\k.bmp", TVXGPixelFormat::NoPixelFormat, false);
  EXPECT_FALSE(colour->HasPalette());
  EXPECT_EQ(colour->PixelFormat(), TVXGPixelFormat::BGR_888) << "the desktop's 32 bits without alpha";
  EXPECT_EQ(colour->Pixels(0, 0) & 0xFFFFFF, 0xFF00FFu);
  EXPECT_EQ(colour->Pixels(2, 0) & 0xFFFFFF, 0x02FD01u) << "entry 2 is (2, 253, 1)";
  EXPECT_EQ(static_cast<std::uint32_t>(colour->GetColorKey()), colour->Pixels(0, 0));
}

TEST_F(SurfaceTest, LoadingErrorsNameTheFileAndKeepTheirClass) {
  EXPECT_EQ(MessageOf([&] {
              TVXGFileSprite::CreateFromFileConvert(graphics, "cdu\\none.bmp", TVXGPixelFormat::Pal_8, false);
            }),
            "TVXGFileSprite.CreateFromFileConvert(cdu\\none.bmp):\rDatei cdu\\none.bmp kann nicht ge\xF6"
            "ffnet werden");

  BmpFile fourBit = bmp_test::Indexed({{1}});
  fourBit.bitCount = 4;
  fourBit.Write(folder / "cdu" / "four.bmp");
  try {
    TVXGFileSprite::CreateFromFileConvert(graphics, "cdu\\four.bmp", TVXGPixelFormat::Pal_8, false);
    FAIL() << "a 4-bit file loaded";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "TVXGFileSprite.CreateFromFileConvert(cdu\\four.bmp):\rInvalid BMP-File (Invalid ColorDepth (4), "
              "must be 8, 16, 24 or 32 Bits)");
    EXPECT_EQ(ClassNameOf(typeid(e)), "EVXGPluginBMP") << "the plug-in's exception crossed intact";
  }

  fs::copy_file(fs::path(TEST_PLUGIN_DIR) / "Surftest_old.spi", folder / "Surfold.spi");
  bmp_test::Indexed({{1}}).Write(folder / "cdu" / "p.old");
  EXPECT_EQ(
      MessageOf([&] { TVXGFileSprite::CreateFromFileConvert(graphics, "cdu\\p.old", TVXGPixelFormat::Pal_8, false); }),
      "TVXGFileSprite.CreateFromFileConvert(cdu\\p.old):\rPlugIn Version (0.0.0.1) inkompatibel (must be between "
      "0.0.1.1 and 0.0.1.1)");

  auto sprite = Indexed(1, 1);
  EXPECT_EQ(
      MessageOf([&] { sprite->InternalLoadFromFile("cdu\\four.bmp", false, false); }),
      "TVXGSprite.InternalLoadFromFile(cdu\\four.bmp):\rInvalid BMP-File (Invalid ColorDepth (4), must be 8, 16, 24 "
      "or 32 Bits)");
  const RECT tooWide{0, 0, 2, 1};
  EXPECT_EQ(MessageOf([&] { sprite->CopyFast(0, 0, *sprite, &tooWide, false); }),
            "TVXGSprite.CopyFast:\r" + DirectDrawErrorText(DDERR_INVALIDRECT));
}

TEST_F(SurfaceTest, InAWindowTheBackBufferIsTheClientAreaCopiedToTheScreen) {
  TVXGPrimary primary(graphics, true);
  EXPECT_TRUE(primary.BackBufferRequested());
  EXPECT_FALSE(primary.HasFlipChain()) << "Normal mode has no flip chain";
  EXPECT_EQ(primary.Width(), platform::ddraw::DesktopMode.width);
  window.SetBounds(RECT{100, 200, 164, 248});
  TVXGBackBuffer back(primary);
  EXPECT_EQ(back.Width(), 64);
  EXPECT_EQ(back.Height(), 48);
  const RECT corner{63, 47, 64, 48};
  back.ColorFill(&corner, 0x123456);
  back.Flip();
  EXPECT_EQ(primary.Pixels(163, 247), 0x123456u);
  EXPECT_THROW(TVXGPrimary(graphics, false), EVXGGraphicsError) << "one primary at a time";
}

TEST_F(SurfaceTest, AnEmptyClientAreaGetsAOneByOneBackBuffer) {
  window.SetBounds(RECT{5, 5, 5, 5});
  TVXGPrimary primary(graphics, true);
  TVXGBackBuffer back(primary);
  EXPECT_EQ(back.Width(), 1);
  EXPECT_EQ(back.Height(), 1);
}

TEST_F(SurfaceTest, FullScreenFlipsAndRestoresThePrimaryFirst) {
  graphics.SetCooperativeLevel(&window, TVXGCooperativeMode::Exclusive, false);
  graphics.SetDisplayMode(640, 480, 8);
  TVXGPrimary primary(graphics, true);
  EXPECT_TRUE(primary.HasFlipChain());
  EXPECT_EQ(primary.PixelFormat(), TVXGPixelFormat::Pal_8);
  TVXGBackBuffer back(primary);
  EXPECT_EQ(back.Width(), 640);
  back.ColorFill(nullptr, 77);
  back.Flip();
  EXPECT_EQ(primary.Pixels(639, 479), 77u);

  platform::ddraw::Display::Instance().LoseAllSurfaces();
  back.ColorFill(nullptr, 78);  // restores the chain through the primary, then fills
  back.Flip();
  EXPECT_EQ(primary.Pixels(0, 0), 78u);

  TVXGPixels lock(back, nullptr, TVXGLockType::ReadOnly);
  EXPECT_EQ(MessageOf([&] { back.Flip(); }), "TVXGBackBuffer.Flip:\r" + DirectDrawErrorText(DDERR_SURFACEBUSY));
}

TEST_F(SurfaceTest, ACanvasTakesAContextOnlyWhenItDraws) {
  EXPECT_EQ(MessageOf([] { TVXGCanvas canvas(nullptr); }), "TVXGCanvas.Create: ASurface = nil");
  auto sprite = Indexed(100, 40);
  auto other = Indexed(100, 40);
  {
    TVXGCanvas idle(sprite.get());
    other->Draw(0, 0, *sprite, nullptr, false);  // no context taken: blits still go
  }
  {
    TVXGCanvas canvas(sprite.get());
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.TextOut(0, 0, "Hallo");
    EXPECT_EQ(MessageOf([&] { other->Draw(0, 0, *sprite, nullptr, false); }),
              "TVXGSprite.CopyFast:\r" + DirectDrawErrorText(DDERR_SURFACEBUSY));
    canvas.ReleaseHandle();
    canvas.ReleaseHandle();  // a second release gives nothing back
    other->Draw(0, 0, *sprite, nullptr, false);
  }
  EXPECT_NO_THROW(other->Draw(0, 0, *sprite, nullptr, false));
}

TEST_F(SurfaceTest, ShadowTextDrawsTheShadowFirstOneToTheRightAndDown) {
  auto alone = Indexed(120, 40);
  auto shadowed = Indexed(120, 40);
  std::array<PALETTEENTRY, 256> entries{};
  entries[1] = {255, 255, 0, 0};
  entries[2] = {34, 34, 34, 0};
  alone->Palette().SetEntries(0, 256, entries.data());
  shadowed->Palette().SetEntries(0, 256, entries.data());
  for (TVXGSurface* surface : {alone.get(), shadowed.get()}) surface->ColorFill(nullptr, 0);
  {
    TVXGCanvas canvas(alone.get());
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 12;
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font.Color = RGB(255, 255, 0);
    canvas.TextOut(10, 10, "Storch");
  }
  {
    TVXGCanvas canvas(shadowed.get());
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 12;
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.ShadowText(10, 10, RGB(255, 255, 0), RGB(34, 34, 34), "Storch");
  }
  const auto text = Contents(*alone);
  const auto result = Contents(*shadowed);
  int textPixels = 0;
  int shadowPixels = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == 1) {
      ++textPixels;
      EXPECT_EQ(result[i], 1) << "the text covers its shadow at " << i;
    }
    if (result[i] == 2) {
      ++shadowPixels;
      EXPECT_EQ(text[i - 121], 1) << "each shadow pixel lies one right and one down of the text";
    }
  }
  EXPECT_GT(textPixels, 20);
  EXPECT_GT(shadowPixels, 5);
}

}  // namespace
