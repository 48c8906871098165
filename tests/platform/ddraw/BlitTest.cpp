// BltFast and colour fills against a straightforward reference, in every pixel size, for
// rectangles inside, at and beyond every edge.

#include "DisplayFixture.h"

namespace ddraw_test {
namespace {

constexpr DWORD TargetWidth = 37;
constexpr DWORD TargetHeight = 23;

class BlitTest : public DisplayFixture, public testing::WithParamInterface<Format> {
 protected:
  std::uint32_t Bytes() const { return GetParam().bytesPerPixel; }

  std::uint32_t PixelAt(const std::vector<std::uint8_t>& bytes, std::int64_t width, std::int64_t x, std::int64_t y) const {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + (y * width + x) * Bytes(), Bytes());
    return value;
  }

  // What BltFast must leave: the target with the source rectangle copied to (x, y), key pixels skipped.
  std::vector<std::uint8_t> Expected(std::vector<std::uint8_t> target, const std::vector<std::uint8_t>& source,
                                     DWORD sourceWidth, const RECT& r, DWORD x, DWORD y,
                                     std::optional<std::uint32_t> key) const {
    for (LONG row = r.top; row < r.bottom; ++row)
      for (LONG column = r.left; column < r.right; ++column) {
        if (key && PixelAt(source, sourceWidth, column, row) == *key) continue;
        std::memcpy(target.data() + ((y + row - r.top) * TargetWidth + x + column - r.left) * Bytes(),
                    source.data() + (row * sourceWidth + column) * Bytes(), Bytes());
      }
    return target;
  }
};

TEST_P(BlitTest, CopiesExactlyTheRectanglesThatFitAndRefusesTheOthers) {
  std::mt19937 random(7);
  const DWORD sourceWidth = 41;
  const DWORD sourceHeight = 19;
  auto source = Make(sourceWidth, sourceHeight, &GetParam().pixelFormat);
  auto target = Make(TargetWidth, TargetHeight, &GetParam().pixelFormat);
  const auto sourceBytes = Noise(sourceWidth * sourceHeight * Bytes(), random);
  Write(source.Get(), sourceBytes);

  struct Case {
    RECT rect;
    DWORD x, y;
    bool fits;
  };
  const std::vector<Case> cases{
      {{0, 0, 10, 10}, 0, 0, true},
      {{0, 0, 37, 19}, 0, 4, true},                         // touches the right and bottom edges
      {{3, 2, 40, 8}, 0, 0, true},                          // a whole target row
      {{40, 18, 41, 19}, 36, 22, true},                     // last pixel to last pixel
      {{0, 0, 38, 5}, 0, 0, false},                         // one column too wide for the target
      {{0, 0, 10, 10}, 28, 0, false},                       // past the right edge by one
      {{0, 0, 10, 10}, 0, 14, false},                       // past the bottom edge by one
      {{0, 0, 42, 5}, 0, 0, false},                         // wider than the source
      {{-1, 0, 5, 5}, 0, 0, false},                         // starts before the source
      {{5, 5, 5, 9}, 0, 0, false},                          // empty
      {{6, 5, 4, 9}, 0, 0, false},                          // upside down
      {{0, 0, 4, 4}, 0xFFFFFFFE, 0, false},                 // a coordinate that wraps
  };
  for (const Case& c : cases) {
    const auto before = Noise(TargetWidth * TargetHeight * Bytes(), random);
    Write(target.Get(), before);
    RECT rect = c.rect;
    const HRESULT result = target->BltFast(c.x, c.y, source.Get(), &rect, DDBLTFAST_WAIT);
    const auto after = Read(target.Get());
    if (c.fits) {
      EXPECT_EQ(result, DD_OK) << rect.left << "," << rect.top << " at " << c.x << "," << c.y;
      EXPECT_EQ(after, Expected(before, sourceBytes, sourceWidth, c.rect, c.x, c.y, std::nullopt));
    } else {
      EXPECT_EQ(result, DDERR_INVALIDRECT) << rect.left << "," << rect.top << " at " << c.x << "," << c.y;
      EXPECT_EQ(after, before);
    }
  }
}

TEST_P(BlitTest, SourceColourKeySkipsThePixelsEqualToIt) {
  std::mt19937 random(11);
  // Row lengths that leave every kind of remainder after whole vectors of 32 and 16 bytes.
  for (const DWORD width : {27u, 35u, 37u}) {
    const DWORD height = 9;
    auto source = Make(width, height, &GetParam().pixelFormat);
    auto target = Make(TargetWidth, TargetHeight, &GetParam().pixelFormat);
    // Few values, so that the key turns up often, in runs and alone.
    auto sourceBytes = Noise(width * height * Bytes(), random);
    for (std::size_t i = 0; i < sourceBytes.size(); i += Bytes())
      if (random() % 3) std::memset(sourceBytes.data() + i, 0x5A, Bytes());
    for (std::size_t i = 0; i < 40 * Bytes(); ++i) sourceBytes[i] = 0x5A;  // a long transparent run
    Write(source.Get(), sourceBytes);
    const std::uint32_t key = PixelAt(sourceBytes, width, 0, 0);
    DDCOLORKEY colorKey{key, key};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &colorKey), DD_OK);

    const auto before = Noise(TargetWidth * TargetHeight * Bytes(), random);
    Write(target.Get(), before);
    RECT whole{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    ASSERT_EQ(target->BltFast(0, 13, source.Get(), nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Read(target.Get()), Expected(before, sourceBytes, width, whole, 0, 13, key)) << width;

    // Without the flag the key is ignored.
    Write(target.Get(), before);
    ASSERT_EQ(target->BltFast(0, 13, source.Get(), nullptr, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Read(target.Get()), Expected(before, sourceBytes, width, whole, 0, 13, std::nullopt)) << width;
  }
}

TEST_P(BlitTest, ColourFillSetsTheRectangleToTheValueCutToThePixelSize) {
  std::mt19937 random(3);
  auto target = Make(TargetWidth, TargetHeight, &GetParam().pixelFormat);
  const auto before = Noise(TargetWidth * TargetHeight * Bytes(), random);
  Write(target.Get(), before);
  DDBLTFX fx{};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = 0xC1B2A394;
  RECT rect{2, 3, 37, 5};
  ASSERT_EQ(target->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
  auto expected = before;
  for (LONG y = rect.top; y < rect.bottom; ++y)
    for (LONG x = rect.left; x < rect.right; ++x)
      std::memcpy(expected.data() + (y * TargetWidth + x) * Bytes(), &fx.dwFillColor, Bytes());
  EXPECT_EQ(Read(target.Get()), expected);

  RECT outside{30, 0, 38, 2};
  EXPECT_EQ(target->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DDERR_INVALIDRECT);
  ASSERT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
  EXPECT_EQ(PixelAt(Read(target.Get()), TargetWidth, 36, 22), fx.dwFillColor & (Bytes() == 4 ? ~0u : (1u << 8 * Bytes()) - 1));
}

INSTANTIATE_TEST_SUITE_P(EveryPixelSize, BlitTest, testing::ValuesIn(Formats()), FormatName);

class SameSurfaceTest : public DisplayFixture {};

TEST_F(SameSurfaceTest, OverlappingCopyWithinOneSurfaceReadsTheOriginalPixels) {
  auto surface = Make(8, 1, &Formats()[0].pixelFormat);
  Write(surface.Get(), {0, 1, 2, 3, 4, 5, 6, 7});
  RECT rect{0, 0, 6, 1};
  ASSERT_EQ(surface->BltFast(2, 0, surface.Get(), &rect, DDBLTFAST_WAIT), DD_OK);
  EXPECT_EQ(Read(surface.Get()), (std::vector<std::uint8_t>{0, 1, 0, 1, 2, 3, 4, 5}));
}

TEST_F(SameSurfaceTest, SurfacesOfDifferentPixelSizesDoNotBlit) {
  auto eight = Make(4, 4, &Formats()[0].pixelFormat);
  auto sixteen = Make(4, 4, &Formats()[1].pixelFormat);
  EXPECT_EQ(eight->BltFast(0, 0, sixteen.Get(), nullptr, DDBLTFAST_WAIT), DDERR_INVALIDPIXELFORMAT);
  EXPECT_EQ(eight->BltFast(0, 0, nullptr, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDPARAMS);
}

}  // namespace
}  // namespace ddraw_test
