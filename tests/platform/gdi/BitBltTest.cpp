// BitBlt between surfaces of every layout against a plain per-pixel reference: indices through the
// source's colours, colours to the nearest target entry, masks scaled through 8 bits, indices kept
// between equal palettes; and clipping to both surfaces at every edge.

#include <climits>
#include <tuple>

#include "GdiFixture.h"

namespace gdi_test {
namespace {

class ConversionTest : public GdiFixture, public testing::WithParamInterface<std::tuple<Layout, Layout>> {};

std::string PairName(const testing::TestParamInfo<std::tuple<Layout, Layout>>& pair) {
  return std::string(std::get<0>(pair.param).name) + "_to_" + std::get<1>(pair.param).name;
}

TEST_P(ConversionTest, EveryPixelBecomesWhatTheReferenceSays) {
  const auto& [from, to] = GetParam();
  std::mt19937 random(11);
  const Palette sourceColors = RandomPalette(random);
  const Palette targetColors = RandomPalette(random);
  auto source = Make(23, 17, from);
  auto target = Make(23, 17, to);
  if (from.Indexed()) SetColors(source.Get(), sourceColors);
  if (to.Indexed()) SetColors(target.Get(), targetColors);
  const Image picture = Noise(23, 17, from, random);
  Write(source.Get(), picture);
  {
    ContextOf sourceDc(source.Get());
    ContextOf targetDc(target.Get());
    ASSERT_EQ(BitBlt(targetDc, 0, 0, 23, 17, sourceDc, 0, 0, SRCCOPY), TRUE);
  }
  const Image result = Read(target.Get());
  for (DWORD y = 0; y < 17; ++y)
    for (DWORD x = 0; x < 23; ++x) {
      const std::uint32_t value = picture.At(x, y);
      const Rgb8 color = from.Indexed() ? ColorOf(sourceColors[value]) : Decode(value, from.format);
      std::uint32_t expected = to.Indexed() ? NearestIn(targetColors, color) : Encode(color, to.format);
      if (std::string(from.name) == to.name && !from.Indexed()) expected = value;
      ASSERT_EQ(result.At(x, y), expected) << "pixel " << x << "," << y << " value " << value;
    }
}

INSTANTIATE_TEST_SUITE_P(AllPairs, ConversionTest,
                         testing::Combine(testing::ValuesIn(Layouts()), testing::ValuesIn(Layouts())), PairName);

class BitBltTest : public GdiFixture {
 protected:
  // A palette in which several entries share a colour, the transparent index among them.
  static Palette WithDuplicates() {
    std::mt19937 random(3);
    Palette palette = RandomPalette(random);
    palette[170] = palette[3];
    palette[171] = palette[3];
    palette[200] = palette[17];
    palette[0] = palette[255];
    return palette;
  }

  static Image EveryIndex(DWORD width, DWORD height) {
    Image image{width, height, std::vector<std::uint32_t>(width * height)};
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = (i * 7) % 256;
    return image;
  }
};

TEST_F(BitBltTest, EqualPalettesKeepEveryIndexEvenWhereColoursRepeat) {
  const Palette colors = WithDuplicates();
  Palette sameWithOtherFlags = colors;
  for (auto& entry : sameWithOtherFlags) entry.peFlags = 0x04;
  auto source = Make(64, 16, LayoutNamed("Pal_8"));
  auto target = Make(64, 16, LayoutNamed("Pal_8"));
  SetColors(source.Get(), colors);
  SetColors(target.Get(), sameWithOtherFlags);
  Image picture = EveryIndex(64, 16);
  picture.At(0, 15) = 170;  // the corner the colour key is taken from
  Write(source.Get(), picture);
  {
    ContextOf sourceDc(source.Get());
    ContextOf targetDc(target.Get());
    ASSERT_EQ(BitBlt(targetDc, 0, 0, 64, 16, sourceDc, 0, 0, SRCCOPY), TRUE);
  }
  EXPECT_EQ(Read(target.Get()).pixels, picture.pixels);
}

TEST_F(BitBltTest, DifferentPalettesMapThroughColourAndTiesGoToTheLowestIndex) {
  Palette sourceColors{};
  sourceColors[170] = {100, 100, 100, 0};
  sourceColors[1] = {20, 0, 0, 0};
  Palette targetColors;
  targetColors.fill({255, 255, 255, 0});
  targetColors[9] = {100, 100, 100, 0};
  targetColors[40] = {100, 100, 100, 0};  // the same colour again, later: never chosen
  targetColors[12] = {10, 0, 0, 0};       // (20, 0, 0) lies halfway between 12 and 30
  targetColors[30] = {30, 0, 0, 0};
  targetColors[5] = {0, 0, 0, 0};  // what index 0 (black) of the source finds
  auto source = Make(3, 1, LayoutNamed("Pal_8"));
  auto target = Make(3, 1, LayoutNamed("Pal_8"));
  SetColors(source.Get(), sourceColors);
  SetColors(target.Get(), targetColors);
  Write(source.Get(), Image{3, 1, {170, 1, 0}});
  auto colour = Make(3, 1, LayoutNamed("XRGB_8888"));
  Write(colour.Get(), Image{3, 1, {0x646464, 0x140000, 0x000000}});
  auto fromColour = Make(3, 1, LayoutNamed("Pal_8"));
  SetColors(fromColour.Get(), targetColors);
  {
    ContextOf sourceDc(source.Get());
    ContextOf targetDc(target.Get());
    ContextOf colourDc(colour.Get());
    ContextOf fromColourDc(fromColour.Get());
    ASSERT_EQ(BitBlt(targetDc, 0, 0, 3, 1, sourceDc, 0, 0, SRCCOPY), TRUE);
    ASSERT_EQ(BitBlt(fromColourDc, 0, 0, 3, 1, colourDc, 0, 0, SRCCOPY), TRUE);
  }
  const std::vector<std::uint32_t> expected{9, 12, 5};
  EXPECT_EQ(Read(target.Get()).pixels, expected);
  EXPECT_EQ(Read(fromColour.Get()).pixels, expected);
}

TEST_F(BitBltTest, APictureOfFewColoursConvertsToTheNearestEntries) {
  std::mt19937 random(5);
  const Palette colors = RandomPalette(random);
  const Layout& colour = LayoutNamed("BGR_565");
  std::vector<std::uint32_t> fewColors(6);
  for (auto& c : fewColors) c = random() & 0xFFFF;
  Image picture{640, 480, std::vector<std::uint32_t>(640 * 480)};
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = fewColors[(i / 97 + i % 3) % 6];
  auto source = Make(640, 480, colour);
  auto target = Make(640, 480, LayoutNamed("Pal_8"));
  SetColors(target.Get(), colors);
  Write(source.Get(), picture);
  {
    ContextOf sourceDc(source.Get());
    ContextOf targetDc(target.Get());
    ASSERT_EQ(BitBlt(targetDc, 0, 0, 640, 480, sourceDc, 0, 0, SRCCOPY), TRUE);
  }
  const Image result = Read(target.Get());
  for (std::size_t i = 0; i < picture.pixels.size(); ++i)
    ASSERT_EQ(result.pixels[i], NearestIn(colors, Decode(picture.pixels[i], colour.format))) << i;
}

// Raw memory of a surface, padding at the ends of rows included.
std::vector<std::uint8_t> RawMemory(IDirectDrawSurface3* surface) {
  DDSURFACEDESC d{};
  d.dwSize = sizeof d;
  EXPECT_EQ(surface->Lock(nullptr, &d, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
  const auto* bytes = static_cast<const std::uint8_t*>(d.lpSurface);
  std::vector<std::uint8_t> raw(bytes, bytes + static_cast<std::size_t>(d.lPitch) * d.dwHeight);
  EXPECT_EQ(surface->Unlock(d.lpSurface), DD_OK);
  return raw;
}

struct Clipping {
  const char* what;
  int x, y, width, height, sourceX, sourceY;
};

TEST_F(BitBltTest, RectanglesAreCutToBothSurfacesAtEveryEdge) {
  constexpr DWORD TargetWidth = 13, TargetHeight = 9, SourceWidth = 11, SourceHeight = 7;
  const std::vector<Clipping> cases{
      {"inside", 2, 1, 5, 4, 3, 2},
      {"left of the target", -3, 2, 6, 3, 1, 1},
      {"above the target", 1, -4, 5, 6, 0, 0},
      {"right of the target", 10, 2, 8, 3, 0, 0},
      {"below the target", 2, 7, 4, 9, 1, 0},
      {"left of the source", 4, 1, 6, 3, -2, 1},
      {"above the source", 3, 3, 4, 5, 2, -3},
      {"right of the source", 0, 0, 9, 2, 6, 0},
      {"below the source", 0, 0, 3, 9, 0, 4},
      {"larger than both", -5, -5, 40, 40, -2, -1},
      {"wholly outside the target", 13, 0, 4, 4, 0, 0},
      {"wholly outside the source", 0, 0, 4, 4, 0, -4},
      {"far away", INT_MAX - 2, INT_MIN + 1, INT_MAX, INT_MAX, INT_MIN, INT_MAX},
      {"reaching from far away", INT_MIN + 5, 0, INT_MAX, 3, INT_MIN + 5, 0},
      {"empty", 0, 0, 0, 5, 0, 0},
      {"negative size", 5, 5, -3, -3, 5, 5},
  };
  for (const char* pair : {"Pal_8", "XRGB_8888"}) {
    const Layout& targetLayout = LayoutNamed(pair);
    for (const Clipping& c : cases) {
      SCOPED_TRACE(std::string(c.what) + " into " + pair);
      std::mt19937 random(17);
      const Palette colors = RandomPalette(random);
      auto source = Make(SourceWidth, SourceHeight, LayoutNamed("Pal_8"));
      auto target = Make(TargetWidth, TargetHeight, targetLayout);
      SetColors(source.Get(), colors);
      if (targetLayout.Indexed()) SetColors(target.Get(), colors);
      const Image picture = Noise(SourceWidth, SourceHeight, LayoutNamed("Pal_8"), random);
      Write(source.Get(), picture);
      const Image before = Filled(TargetWidth, TargetHeight, targetLayout.Indexed() ? 0xEE : 0x00ABCDEF);
      Write(target.Get(), before);
      const std::vector<std::uint8_t> rawBefore = RawMemory(target.Get());
      {
        ContextOf sourceDc(source.Get());
        ContextOf targetDc(target.Get());
        EXPECT_EQ(BitBlt(targetDc, c.x, c.y, c.width, c.height, sourceDc, c.sourceX, c.sourceY, SRCCOPY), TRUE);
      }
      Image expected = before;
      for (std::int64_t ty = 0; ty < TargetHeight; ++ty)
        for (std::int64_t tx = 0; tx < TargetWidth; ++tx) {
          const std::int64_t dx = tx - c.x, dy = ty - c.y;
          const std::int64_t sx = c.sourceX + dx, sy = c.sourceY + dy;
          if (dx < 0 || dy < 0 || dx >= c.width || dy >= c.height) continue;
          if (sx < 0 || sy < 0 || sx >= SourceWidth || sy >= SourceHeight) continue;
          const std::uint32_t index = picture.At(DWORD(sx), DWORD(sy));
          expected.At(DWORD(tx), DWORD(ty)) =
              targetLayout.Indexed() ? index : Encode(ColorOf(colors[index]), targetLayout.format);
        }
      EXPECT_EQ(Read(target.Get()).pixels, expected.pixels);
      // Padding past the last column stays as it was.
      const std::vector<std::uint8_t> rawAfter = RawMemory(target.Get());
      const std::size_t pitch = rawAfter.size() / TargetHeight;
      for (std::size_t row = 0; row < TargetHeight; ++row)
        for (std::size_t i = TargetWidth * targetLayout.Bytes(); i < pitch; ++i)
          ASSERT_EQ(rawAfter[row * pitch + i], rawBefore[row * pitch + i]) << "row " << row << " byte " << i;
    }
  }
}

TEST_F(BitBltTest, OverlappingCopiesWithinOneSurfaceReadTheOldPixels) {
  const Layout& layout = LayoutNamed("BGR_888");
  std::mt19937 random(23);
  auto surface = Make(20, 10, layout);
  const Image picture = Noise(20, 10, layout, random);
  Write(surface.Get(), picture);
  {
    ContextOf dc(surface.Get());
    ASSERT_EQ(BitBlt(dc, 3, 2, 15, 7, dc, 1, 1, SRCCOPY), TRUE);
  }
  Image expected = picture;
  for (DWORD y = 0; y < 7; ++y)
    for (DWORD x = 0; x < 15; ++x) expected.At(3 + x, 2 + y) = picture.At(1 + x, 1 + y);
  EXPECT_EQ(Read(surface.Get()).pixels, expected.pixels);
}

TEST_F(BitBltTest, RefusesMissingContextsAndOtherOperationsWithoutDrawing) {
  const Layout& layout = LayoutNamed("XRGB_8888");
  auto source = Make(4, 4, layout);
  auto target = Make(4, 4, layout);
  Write(source.Get(), Filled(4, 4, 0x123456));
  {
    ContextOf sourceDc(source.Get());
    ContextOf targetDc(target.Get());
    EXPECT_EQ(BitBlt(nullptr, 0, 0, 4, 4, sourceDc, 0, 0, SRCCOPY), FALSE);
    EXPECT_EQ(BitBlt(targetDc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY), FALSE);
    EXPECT_EQ(BitBlt(targetDc, 0, 0, 4, 4, sourceDc, 0, 0, 0x00EE0086 /* SRCPAINT */), FALSE);
  }
  EXPECT_EQ(Read(target.Get()).pixels, Filled(4, 4, 0).pixels);
}

}  // namespace
}  // namespace gdi_test
