// BMP files of every form through the built plug-in in the game folder, loaded exactly as the
// program loads them: by the name rule, through the library cache, into a host surface.

#include <cxxabi.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "BmpFile.h"
#include "lib/LibraryCache.h"
#include "lib/VXGPalette.h"
#include "lib/VXGSprite.h"
#include "lib/VXGSurfacePlugins.h"

namespace bmp_test {
namespace {

class BmpDecoderTest : public testing::Test {
 protected:
  void SetUp() override {
    previous = std::filesystem::current_path();
    std::filesystem::current_path(GAME_DIR);
    graphics.SetCooperativeLevel(&window, TVXGCooperativeMode::Normal, false);
  }
  void TearDown() override { std::filesystem::current_path(previous); }

  std::unique_ptr<TVXGSprite> Load(const BmpFile& file) {
    TMemoryStream stream(file.Bytes());
    return TVXGSprite::CreateFromStream(graphics, stream, "bmp");
  }

  // The message of the failure a file meets, and the class that carried it.
  std::pair<std::string, std::string> Failure(const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    try {
      TVXGSprite::CreateFromStream(graphics, stream, "bmp");
    } catch (const Exception& e) {
      return {e.Message(), ClassNameOf(typeid(e))};
    }
    return {"no failure", ""};
  }

  static std::vector<std::uint8_t> Row(TVXGSurface& surface, std::int32_t y) {
    std::vector<std::uint8_t> row;
    for (std::int32_t x = 0; x < surface.Width(); ++x) row.push_back(static_cast<std::uint8_t>(surface.Pixels(x, y)));
    return row;
  }

  std::filesystem::path previous;
  platform::Window window{"test", RECT{0, 0, 640, 480}, platform::Window::Display::Hidden};
  TVXGGraphics graphics{GUID{}};
};

TEST_F(BmpDecoderTest, EightBitRowsLandBottomUpWithTheirPalette) {
  BmpFile file = Indexed({{2, 2, 2}, {1, 1, 1}});
  auto sprite = Load(file);
  EXPECT_EQ(sprite->PixelFormat(), TVXGPixelFormat::Pal_8);
  EXPECT_EQ(sprite->Width(), 3);
  EXPECT_EQ(sprite->Height(), 2);
  EXPECT_EQ(Row(*sprite, 0), (std::vector<std::uint8_t>{2, 2, 2}));
  EXPECT_EQ(Row(*sprite, 1), (std::vector<std::uint8_t>{1, 1, 1}));
  ASSERT_TRUE(sprite->HasPalette());
  std::array<PALETTEENTRY, 256> entries{};
  sprite->Palette().GetEntries(0, 256, entries.data());
  EXPECT_EQ(entries[200].peRed, 200);
  EXPECT_EQ(entries[200].peGreen, 55);
  EXPECT_EQ(entries[200].peBlue, 100);
  EXPECT_EQ(entries[200].peFlags, 0);
  EXPECT_EQ(sprite->GetColorKey(), 1) << "the bottom-left pixel";
}

TEST_F(BmpDecoderTest, ColourTablesOfEveryLength) {
  BmpFile sixteen = Indexed({{15, 16, 255}});
  sixteen.colors.resize(16);
  sixteen.colorsUsed = 16;
  auto sprite = Load(sixteen);
  EXPECT_EQ(Row(*sprite, 0), (std::vector<std::uint8_t>{15, 16, 255})) << "rows right after 16 entries";
  std::array<PALETTEENTRY, 256> entries{};
  sprite->Palette().GetEntries(0, 256, entries.data());
  EXPECT_EQ(entries[15].peRed, 15);
  EXPECT_EQ(entries[16].peRed | entries[16].peGreen | entries[16].peBlue, 0) << "unlisted entries stay black";

  BmpFile core = Indexed({{7, 8}});
  core.headerSize = 12;
  sprite = Load(core);
  EXPECT_EQ(Row(*sprite, 0), (std::vector<std::uint8_t>{7, 8})) << "256 entries of three bytes";
  sprite->Palette().GetEntries(0, 256, entries.data());
  EXPECT_EQ(entries[255].peGreen, 0);
  EXPECT_EQ(entries[1].peGreen, 254);

  BmpFile tooMany = Indexed({{3, 4}});
  tooMany.colorsUsed = 300;
  tooMany.colors.resize(300, Rgb{9, 9, 9});
  sprite = Load(tooMany);
  EXPECT_EQ(Row(*sprite, 0), (std::vector<std::uint8_t>{3, 4})) << "the rows follow the whole table";
  sprite->Palette().GetEntries(0, 256, entries.data());
  EXPECT_EQ(entries[255].peRed, 255) << "the first 256 entries are the palette";
}

TEST_F(BmpDecoderTest, ColourDepthsKeepTheFilesBytes) {
  BmpFile rgb;
  rgb.bitCount = 24;
  rgb.width = 3;
  rgb.height = 3;
  // Nine bytes and three of filler each, which the next row must not start with.
  rgb.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {11, 12, 13, 14, 15, 16, 17, 18, 19}, {21, 22, 23, 24, 25, 26, 27, 28, 29}};
  auto sprite = Load(rgb);
  EXPECT_EQ(sprite->PixelFormat(), TVXGPixelFormat::BGR_888);
  EXPECT_FALSE(sprite->HasPalette());
  for (std::int32_t y = 0; y < 3; ++y) {
    const std::uint32_t first = 10u * static_cast<std::uint32_t>(y);
    EXPECT_EQ(sprite->Pixels(0, y), (first + 3) << 16 | (first + 2) << 8 | (first + 1)) << "row " << y;
    EXPECT_EQ(sprite->Pixels(1, y), (first + 6) << 16 | (first + 5) << 8 | (first + 4)) << "row " << y;
    EXPECT_EQ(sprite->Pixels(2, y), (first + 9) << 16 | (first + 8) << 8 | (first + 7)) << "row " << y;
  }

  BmpFile words = rgb;
  words.bitCount = 16;
  words.width = 2;
  words.height = 1;
  words.rows = {{0x1F, 0x80, 0xE0, 0x03}};
  sprite = Load(words);
  EXPECT_EQ(sprite->PixelFormat(), TVXGPixelFormat::BGR_555);
  EXPECT_EQ(sprite->Pixels(0, 0), 0x801Fu) << "bit 15 as stored";
  EXPECT_EQ(sprite->Pixels(1, 0), 0x03E0u);

  BmpFile quads = rgb;
  quads.bitCount = 32;
  quads.width = 1;
  quads.height = 2;
  quads.rows = {{1, 2, 3, 0}, {4, 5, 6, 0}};
  sprite = Load(quads);
  EXPECT_EQ(sprite->PixelFormat(), TVXGPixelFormat::BGRA_8888);
  EXPECT_EQ(sprite->Pixels(0, 0), 0x00030201u) << "alpha 0 stays 0";
  EXPECT_EQ(sprite->Pixels(0, 1), 0x00060504u);
}

TEST_F(BmpDecoderTest, WhatLiesBeforeTheRowsIsTakenAsPixels) {
  BmpFile gap = Indexed({{1, 1, 1, 1}, {2, 2, 2, 2}});
  gap.gap = {5, 6, 7, 8};
  auto sprite = Load(gap);
  EXPECT_EQ(Row(*sprite, 1), (std::vector<std::uint8_t>{5, 6, 7, 8})) << "the gap becomes the bottom row";

  BmpFile tableOnRgb;
  tableOnRgb.bitCount = 24;
  tableOnRgb.width = 1;
  tableOnRgb.height = 1;
  tableOnRgb.colorsUsed = 1;
  tableOnRgb.colors = {{0x30, 0x20, 0x10}};
  tableOnRgb.rows = {{0xA, 0xB, 0xC}};
  sprite = Load(tableOnRgb);
  EXPECT_EQ(sprite->Pixels(0, 0), 0x302010u) << "the table is read only for 8-bit files";

  for (const std::uint32_t size : {108u, 124u}) {
    BmpFile later = Indexed({{4, 5}});
    later.headerSize = size;
    sprite = Load(later);
    EXPECT_EQ(Row(*sprite, 0), (std::vector<std::uint8_t>{4, 5})) << size;
  }
}

TEST_F(BmpDecoderTest, AFileEndingInItsRowsKeepsWhatItHas) {
  auto bytes = Indexed({{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}}).Bytes();
  bytes.resize(bytes.size() - 6);  // the top row and half of the middle one are missing
  TMemoryStream stream(bytes);
  auto sprite = TVXGSprite::CreateFromStream(graphics, stream, "bmp");
  EXPECT_EQ(Row(*sprite, 2), (std::vector<std::uint8_t>{3, 3, 3, 3}));
  EXPECT_EQ(Row(*sprite, 1), (std::vector<std::uint8_t>{2, 2, 0, 0}));
  EXPECT_EQ(Row(*sprite, 0), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST_F(BmpDecoderTest, BadFilesAreRefusedWithTheirReason) {
  const std::string depth = "Invalid BMP-File (Invalid ColorDepth (";
  BmpFile file = Indexed({{1, 2}});
  for (const std::uint16_t bits : {1, 4, 15}) {
    file.bitCount = bits;
    EXPECT_EQ(Failure(file.Bytes()).first, depth + std::to_string(bits) + "), must be 8, 16, 24 or 32 Bits)");
  }
  file.bitCount = 8;
  for (const std::uint32_t compression : {1u, 3u}) {
    file.compression = compression;
    EXPECT_EQ(Failure(file.Bytes()),
              std::make_pair(std::string("Invalid BMP-File (Compressed)"), std::string("EVXGPluginBMP")));
  }
  file.compression = 0;
  auto bytes = file.Bytes();
  bytes[0] = 'X';
  EXPECT_EQ(Failure(bytes).first, "Invalid BMP-File (Unknown Type)");

  bytes = file.Bytes();
  EXPECT_EQ(Failure({bytes.begin(), bytes.begin() + 30}),
            std::make_pair(std::string("Stream-Read-Fehler"), std::string("EReadError")));
  EXPECT_EQ(Failure({bytes.begin(), bytes.begin() + 60}).first, "Stream-Read-Fehler") << "a short colour table";
  EXPECT_EQ(Failure({}).first, "Stream-Read-Fehler");
}

TEST_F(BmpDecoderTest, SizesThatCannotBeMadeAreRefusedBeforeAnythingIsRead) {
  BmpFile file = Indexed({{1, 2}});
  const std::vector<std::pair<std::int32_t, std::int32_t>> sizes{{0, 1}, {1, 0}, {-3, 2}, {2, -3}, {0x7FFFFFFF, 1}};
  for (const auto& [width, height] : sizes) {
    file.width = width;
    file.height = height;
    file.bitCount = 32;
    EXPECT_EQ(Failure(file.Bytes()).first,
              "Invalid BMP-File (Invalid Size (" + std::to_string(width) + " x " + std::to_string(height) + "))");
  }
}

TEST_F(BmpDecoderTest, OnlyTheTwoEntryPointsAreVisible) {
  FARPROC getVersion = GetLibraryProc("Surfbmp.spi", "GetVersion");
  EXPECT_EQ(reinterpret_cast<std::uint32_t (*)()>(getVersion)(), 0x01010000u);
  for (const char* hidden :
       {"_Z7LoadBmpR7TStreamR11TVXGSurface", "_ZN11TVXGSurface13CreateSurfaceEii15TVXGPixelFormat", "_ZTI9Exception"}) {
    EXPECT_THROW(GetLibraryProc("Surfbmp.spi", hidden), Exception) << hidden;
  }
}

}  // namespace
}  // namespace bmp_test
