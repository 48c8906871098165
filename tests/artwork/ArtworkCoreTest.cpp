// The generator's own writers and its quantiser.

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "BmpFile.h"
#include "Canvas.h"
#include "Palette.h"
#include "Quantizer.h"
#include "Synth.h"
#include "WavFile.h"

namespace artwork {
namespace {

TEST(Quantizer, EdgesOfAShapeKeepItsColourAgainstTheKey) {
  // An anti-aliased white disc: its half-covered rim must come out white or transparent, never
  // as the darker blend a plain conversion leaves.
  Canvas canvas(40, 40);
  Ellipse(canvas.cr(), 20, 20, 13.3, 13.3);
  FillWith(canvas.cr(), {0xFFFFFF});
  Quantizer quantizer(GamePalette());
  const IndexedImage image = quantizer.Quantize(canvas.surface(), {0, true});
  const std::uint8_t white = quantizer.Nearest({255, 255, 255});
  int opaque = 0;
  for (std::uint8_t pixel : image.pixels) {
    EXPECT_TRUE(pixel == white || pixel == kTransparent) << int(pixel);
    opaque += pixel == white;
  }
  // Half-covered rim pixels count as covered: the disc keeps its area.
  EXPECT_NEAR(opaque, M_PI * 13.3 * 13.3, 30);
}

TEST(Quantizer, PaletteColoursMapToThemselvesAndTheSpecialIndicesAreNeverChosen) {
  const Palette& palette = GamePalette();
  Quantizer quantizer(palette);
  for (int i = 0; i < 256; ++i) {
    if (i == kMaskBackground || i == kTransparent) continue;
    EXPECT_EQ(palette[quantizer.Nearest(palette[i])], palette[i]) << i;
  }
  for (const Rgb& near_special : {palette[kTransparent], palette[kMaskBackground], Rgb{250, 10, 245}, Rgb{5, 250, 250}}) {
    const std::uint8_t chosen = quantizer.Nearest(near_special);
    EXPECT_NE(chosen, kTransparent);
    EXPECT_NE(chosen, kMaskBackground);
  }
}

TEST(Quantizer, AnOpaquePictureWithAHoleIsRefused) {
  Canvas canvas(4, 4);
  cairo_rectangle(canvas.cr(), 0, 0, 4, 3);
  FillWith(canvas.cr(), {0x336699});
  Quantizer quantizer(GamePalette());
  EXPECT_THROW(quantizer.Quantize(canvas.surface(), {0, false}), std::runtime_error);
  const IndexedImage keyed = quantizer.Quantize(canvas.surface(), {0, true});
  EXPECT_EQ(keyed.at(0, 3), kTransparent);
  EXPECT_NE(keyed.at(0, 2), kTransparent);
}

TEST(BmpFile, RowsAreStoredBottomUpAndPaddedToFourBytes) {
  IndexedImage image(3, 2, 0);
  image.at(0, 0) = 1, image.at(1, 0) = 2, image.at(2, 0) = 3;
  image.at(0, 1) = 4, image.at(1, 1) = 5, image.at(2, 1) = 6;
  const std::vector<std::uint8_t> bytes = EncodeBmp(image, GamePalette());
  ASSERT_EQ(bytes.size(), 14u + 40 + 1024 + 2 * 4);
  const std::vector<std::uint8_t> rows(bytes.begin() + 1078, bytes.end());
  EXPECT_EQ(rows, (std::vector<std::uint8_t>{4, 5, 6, 0, 1, 2, 3, 0}));
  const BmpPicture back = DecodeBmp(bytes);
  EXPECT_EQ(back.image.pixels, image.pixels);
  EXPECT_EQ(back.palette, GamePalette());
  EXPECT_THROW(DecodeBmp(std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 1)), std::runtime_error);
}

TEST(Synth, FinishedSoundsAreLoudUnclippedAndFadedAtBothEnds) {
  // A square wave at full scale and beyond: the result peaks at 90 % and starts and ends at rest.
  Samples square = Tone(0.2, [](double) { return 440; }, [](double) { return 1.7; }, Wave::Square);
  const std::vector<std::int16_t> out = Finish(square);
  int peak = 0;
  for (std::int16_t s : out) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_NEAR(peak, 0.9 * 32767, 2);
  EXPECT_EQ(out.front(), 0);
  EXPECT_EQ(out.back(), 0);
  EXPECT_THROW(Finish(Silence(0.1)), std::logic_error);
  const std::vector<std::uint8_t> wav = EncodeWav(out);
  EXPECT_EQ(wav.size(), 44 + 2 * out.size());
}

}  // namespace
}  // namespace artwork
