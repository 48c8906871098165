// Fonts and text on device contexts: faces found for the game's Windows faces, text drawn where
// and how GDI draws it on indexed and colour surfaces, extents, bold, the Western code page, and
// nothing written outside the surface.

#include <algorithm>
#include <climits>
#include <cstring>

#include "GdiFixture.h"
#include "platform/gdi/Font.h"

namespace gdi_test {
namespace {

using platform::gdi::FontOfHandle;

LOGFONTA Describe(const char* face, LONG height, LONG weight = FW_NORMAL) {
  LOGFONTA description{};
  description.lfHeight = height;
  description.lfWeight = weight;
  description.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(description.lfFaceName, face, sizeof description.lfFaceName - 1);
  return description;
}

// A font handle that is deleted with the test.
class FontHandle {
 public:
  explicit FontHandle(const LOGFONTA& description) : font_(CreateFontIndirectA(&description)) {}
  ~FontHandle() { DeleteObject(font_); }
  FontHandle(const FontHandle&) = delete;
  FontHandle& operator=(const FontHandle&) = delete;
  operator HFONT() const { return font_; }
  std::string FaceName() const { return FontOfHandle(font_)->Face()->Name(); }

 private:
  HFONT font_;
};

// Where and how much a picture differs from its background.
struct Ink {
  std::size_t pixels = 0;
  DWORD left = UINT32_MAX, top = UINT32_MAX, right = 0, bottom = 0;  // right and bottom exclusive
};

Ink InkOf(const Image& image, std::uint32_t background) {
  Ink ink;
  for (DWORD y = 0; y < image.height; ++y)
    for (DWORD x = 0; x < image.width; ++x)
      if (image.At(x, y) != background) {
        ++ink.pixels;
        ink.left = std::min(ink.left, x);
        ink.top = std::min(ink.top, y);
        ink.right = std::max(ink.right, x + 1);
        ink.bottom = std::max(ink.bottom, y + 1);
      }
  return ink;
}

// A grey ramp with a few colours: text colours are near one entry and far from the others.
Palette GameLikePalette() {
  Palette palette;
  for (int i = 0; i < 256; ++i) palette[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
  palette[77] = {250, 250, 10, 0};  // nearest to yellow
  palette[78] = {30, 30, 200, 0};   // nearest to blue
  return palette;
}

class TextTest : public GdiFixture {
 protected:
  // Draws `text` once on a fresh surface cleared to `background` and returns its pixels.
  Image Drawn(const Layout& layout, DWORD width, DWORD height, std::uint32_t background, HFONT font, int x, int y,
              const char* text, int mode = TRANSPARENT, COLORREF color = RGB(255, 255, 0)) {
    auto surface = Make(width, height, layout);
    if (layout.Indexed()) SetColors(surface.Get(), GameLikePalette());
    Write(surface.Get(), Filled(width, height, background));
    {
      ContextOf dc(surface.Get());
      SelectObject(dc, font);
      SetTextColor(dc, color);
      SetBkColor(dc, RGB(0, 0, 255));
      SetBkMode(dc, mode);
      EXPECT_EQ(TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text))), TRUE);
    }
    return Read(surface.Get());
  }

  SIZE Extent(HFONT font, const char* text, const Layout& layout = LayoutNamed("XRGB_8888")) {
    auto surface = Make(4, 4, layout);
    ContextOf dc(surface.Get());
    SelectObject(dc, font);
    SIZE size{-1, -1};
    EXPECT_EQ(GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size), TRUE);
    return size;
  }

  const Layout& colour = LayoutNamed("XRGB_8888");
  const Layout& indexed = LayoutNamed("Pal_8");
};

TEST_F(TextTest, TheGameFacesResolveToInstalledSansFaces) {
  FontHandle arial(Describe("Arial", -13));
  FontHandle msSansSerif(Describe("MS Sans Serif", -13));
  FontHandle arialBlack(Describe("Arial Black", -13));
  FontHandle unknown(Describe("No Such Face At All", -13));
  RecordProperty("Arial", arial.FaceName());
  RecordProperty("MS_Sans_Serif", msSansSerif.FaceName());
  RecordProperty("Arial_Black", arialBlack.FaceName());
  EXPECT_EQ(msSansSerif.FaceName(), arial.FaceName());  // both stand in for Windows' metric-compatible sans
  EXPECT_NE(arialBlack.FaceName(), arial.FaceName());
  const Image regular = Drawn(indexed, 200, 30, 0, arial, 2, 2, "Veltranzik");
  const Image black = Drawn(indexed, 200, 30, 0, arialBlack, 2, 2, "Veltranzik");
  EXPECT_GT(InkOf(black, 0).pixels, InkOf(regular, 0).pixels * 5 / 4);
  EXPECT_GT(InkOf(Drawn(colour, 200, 30, 0, unknown, 2, 2, "Veltranzik"), 0).pixels, 20u);
}

TEST_F(TextTest, TextAppearsInItsColourInsideItsCell) {
  FontHandle font(Describe("Arial", -13));
  const SIZE extent = Extent(font, "Veltranzik");
  const Image image = Drawn(colour, 200, 40, 0, font, 10, 5, "Veltranzik");
  const Ink ink = InkOf(image, 0);
  EXPECT_GT(ink.pixels, 30u);
  EXPECT_GE(ink.left, 10u);
  EXPECT_LE(ink.right, DWORD(10 + extent.cx + 1));
  EXPECT_GE(ink.top, 5u);
  EXPECT_LE(ink.bottom, DWORD(5 + extent.cy));
  // Anti-aliased edges are shades of the yellow over black: red equals green, no blue.
  std::size_t solid = 0;
  for (const std::uint32_t pixel : image.pixels) {
    if (pixel == 0) continue;
    EXPECT_EQ(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF) << std::hex << pixel;
    EXPECT_EQ(pixel & 0xFF, 0u) << std::hex << pixel;
    solid += pixel == 0xFFFF00;
  }
  EXPECT_GT(solid, 10u);
  EXPECT_LT(solid, ink.pixels);
}

TEST_F(TextTest, IndexedSurfacesGetWholePixelsInTheNearestEntry) {
  FontHandle font(Describe("Arial", -16));
  const SIZE extent = Extent(font, "Noch ein Spiel mit Eingabetaste", indexed);
  const Image image = Drawn(indexed, 500, 80, 0, font, 1, 1, "Noch ein Spiel mit Eingabetaste");
  const Ink ink = InkOf(image, 0);
  EXPECT_GT(ink.pixels, 100u);
  EXPECT_LE(ink.right, DWORD(1 + extent.cx + 1));
  EXPECT_LE(ink.bottom, DWORD(1 + extent.cy));
  for (const std::uint32_t pixel : image.pixels) ASSERT_TRUE(pixel == 0 || pixel == 77) << pixel;
}

TEST_F(TextTest, OpaqueFillsTheCellAndTransparentKeepsTheBackground) {
  FontHandle font(Describe("Arial", -13));
  const SIZE extent = Extent(font, "Hallo");
  constexpr std::uint32_t Background = 0x112233;
  const Image opaque = Drawn(colour, 80, 30, Background, font, 5, 4, "Hallo", OPAQUE);
  const Image transparent = Drawn(colour, 80, 30, Background, font, 5, 4, "Hallo", TRANSPARENT);
  std::size_t keptInCell = 0;
  for (DWORD y = 0; y < 30; ++y)
    for (DWORD x = 0; x < 80; ++x) {
      const bool inCell = x >= 5 && x < DWORD(5 + extent.cx) && y >= 4 && y < DWORD(4 + extent.cy);
      if (!inCell) {
        EXPECT_EQ(opaque.At(x, y), Background) << x << "," << y;
      } else {
        EXPECT_NE(opaque.At(x, y), Background) << x << "," << y;
        keptInCell += transparent.At(x, y) == Background;
      }
      EXPECT_NE(transparent.At(x, y), 0x0000FFu);
    }
  EXPECT_GT(keptInCell, std::size_t(extent.cx * extent.cy / 2));
  EXPECT_EQ(std::count(opaque.pixels.begin(), opaque.pixels.end(), 0x0000FFu) + InkOf(transparent, Background).pixels,
            std::size_t(extent.cx * extent.cy));

  // On an indexed surface the cell takes the entry nearest the background colour.
  const Image indexedOpaque = Drawn(indexed, 80, 30, 5, font, 5, 4, "Hallo", OPAQUE);
  EXPECT_EQ(indexedOpaque.At(5, 4), 78u);
  EXPECT_EQ(indexedOpaque.At(DWORD(5 + extent.cx - 1), DWORD(4 + extent.cy - 1)), 78u);
  EXPECT_EQ(indexedOpaque.At(DWORD(5 + extent.cx), 4), 5u);
}

TEST_F(TextTest, ExtentsGrowWithTheTextByAdvancesAndKerningAndCellsFollowTheRequestedHeight) {
  FontHandle font(Describe("Arial", -13));
  const SIZE empty = Extent(font, "");
  const SIZE one = Extent(font, "W");
  const SIZE two = Extent(font, "Wi");
  const SIZE three = Extent(font, "Wie");
  EXPECT_EQ(empty.cx, 0);
  EXPECT_LT(0, one.cx);
  EXPECT_LT(one.cx, two.cx);
  EXPECT_LT(two.cx, three.cx);
  EXPECT_EQ(one.cy, three.cy);
  EXPECT_GT(one.cy, 13);  // the character height plus room for accents and descenders
  EXPECT_LT(one.cy, 20);
  FontHandle large(Describe("Arial", -40));
  EXPECT_LT(Extent(large, "AV").cx, Extent(large, "A").cx + Extent(large, "V").cx);  // kerned
  EXPECT_EQ(Extent(large, "HH").cx, 2 * Extent(large, "H").cx);
  FontHandle cell(Describe("Arial", 20));
  EXPECT_EQ(Extent(cell, "x").cy, 20);
  FontHandle fallback(Describe("Arial", 0));
  EXPECT_EQ(Extent(fallback, "x").cy, 16);
}

TEST_F(TextTest, AbsurdHeightsAreCutToTheLargestSizeAndStillDraw) {
  FontHandle largest(Describe("Arial", -1024));
  const SIZE cut = Extent(largest, "W");
  for (const LONG height : {INT_MIN, -5000, INT_MAX}) {
    FontHandle absurd(Describe("Arial", height));
    EXPECT_EQ(Extent(absurd, "W").cy, cut.cy) << height;
    EXPECT_GT(InkOf(Drawn(indexed, 60, 60, 0, absurd, -100, -400, "H"), 0).pixels, 0u) << height;  // its left stem
  }
  FontHandle tiny(Describe("Arial", -1));
  EXPECT_GE(Extent(tiny, "W").cy, 1);
}

TEST_F(TextTest, BoldIsWiderAndHeavier) {
  FontHandle regular(Describe("Arial", -34));
  FontHandle bold(Describe("Arial", -34, FW_BOLD));
  FontHandle semibold(Describe("Arial", -34, 600));
  const char* text = "Sie haben gewonnen";
  EXPECT_GT(Extent(bold, text).cx, Extent(regular, text).cx);
  EXPECT_EQ(Extent(semibold, text).cx, Extent(bold, text).cx);
  const std::size_t regularInk = InkOf(Drawn(indexed, 600, 60, 0, regular, 0, 0, text), 0).pixels;
  const std::size_t boldInk = InkOf(Drawn(indexed, 600, 60, 0, bold, 0, 0, text), 0).pixels;
  EXPECT_GT(boldInk, regularInk * 5 / 4);
}

TEST_F(TextTest, WesternCodePageLettersHaveGlyphsOfTheirOwn) {
  FontHandle font(Describe("Arial", -24));
  platform::gdi::FontFace& face = *FontOfHandle(font)->Face();
  for (const unsigned char letter : {0xE4, 0xF6, 0xFC, 0xC4, 0xD6, 0xDC, 0xDF, 0x80})
    EXPECT_NE(face.GlyphFor(letter, platform::gdi::Rendering::Smooth).index, 0u) << int(letter);
  const Image umlaut = Drawn(indexed, 40, 40, 0, font, 5, 0, "\xE4");
  const Image plain = Drawn(indexed, 40, 40, 0, font, 5, 0, "a");
  const Image missing = Drawn(indexed, 40, 40, 0, font, 5, 0, "\x81");
  EXPECT_NE(umlaut.pixels, missing.pixels);
  // The umlaut is the letter with dots above it.
  EXPECT_LT(InkOf(umlaut, 0).top, InkOf(plain, 0).top);
  EXPECT_EQ(InkOf(umlaut, 0).bottom, InkOf(plain, 0).bottom);
}

TEST_F(TextTest, NothingIsWrittenOutsideTheSurface) {
  FontHandle font(Describe("Arial", -30));
  const Layout* layouts[] = {&indexed, &LayoutNamed("BGR_888")};
  struct Place {
    int x, y;
    bool visible;
  };
  const Place places[] = {{-15, -12, true},          {20, 2, true},       {INT_MAX - 5, INT_MAX - 5, false},
                          {INT_MIN, INT_MIN, false}, {INT_MIN, 0, false}, {0, INT_MAX, false},
                          {-1000, 0, false}};
  for (const Layout* each : layouts)
    for (const Place& place : places) {
      const Layout& layout = *each;
      SCOPED_TRACE(std::string(layout.name) + " at " + std::to_string(place.x) + "," + std::to_string(place.y));
      auto surface = Make(31, 9, layout);
      if (layout.Indexed()) SetColors(surface.Get(), GameLikePalette());
      DDSURFACEDESC d{};
      d.dwSize = sizeof d;
      ASSERT_EQ(surface->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
      auto* memory = static_cast<std::uint8_t*>(d.lpSurface);
      std::memset(memory, 0x5A, static_cast<std::size_t>(d.lPitch) * 9);
      ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
      {
        ContextOf dc(surface.Get());
        SelectObject(dc, font);
        SetBkMode(dc, OPAQUE);
        EXPECT_EQ(TextOutA(dc, place.x, place.y, "Wolkenkratzer", 13), TRUE);
      }
      ASSERT_EQ(surface->Lock(nullptr, &d, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
      bool changed = false;
      for (LONG y = 0; y < 9; ++y)
        for (LONG i = 0; i < d.lPitch; ++i) {
          const bool padding = i >= LONG(31 * layout.Bytes());
          const bool same = memory[y * d.lPitch + i] == 0x5A;
          if (padding) {
            EXPECT_TRUE(same) << "padding of row " << y << " byte " << i;
          }
          changed |= !same;
        }
      ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
      EXPECT_EQ(changed, place.visible);
    }
}

TEST_F(TextTest, ContextsStartWithBlackTextOnAnOpaqueWhiteCellInTheSystemFont) {
  auto surface = Make(120, 30, colour);
  Write(surface.Get(), Filled(120, 30, 0x808080));
  SIZE extent{};
  {
    ContextOf dc(surface.Get());
    ASSERT_EQ(TextOutA(dc, 0, 0, "Start", 5), TRUE);
    ASSERT_EQ(GetTextExtentPoint32A(dc, "Start", 5, &extent), TRUE);
    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(SetBkColor(dc, RGB(7, 8, 9)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
  }
  EXPECT_EQ(extent.cy, 16);
  const Image image = Read(surface.Get());
  EXPECT_EQ(image.At(0, 0), 0xFFFFFFu);
  EXPECT_GT(std::count(image.pixels.begin(), image.pixels.end(), 0u), 10);
  EXPECT_EQ(image.At(DWORD(extent.cx), 0), 0x808080u);
}

TEST_F(TextTest, FontHandlesLiveFromCreationToDeletionAndSelectedFontsStayUsable) {
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
  EXPECT_EQ(DeleteObject(nullptr), FALSE);
  const LOGFONTA description = Describe("Arial", -20, FW_BOLD);
  const Image reference = Drawn(colour, 100, 30, 0, FontHandle(description), 0, 0, "Ende");

  auto surface = Make(100, 30, colour);
  {
    ContextOf dc(surface.Get());
    HFONT font = CreateFontIndirectA(&description);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(SelectObject(dc, font), nullptr);  // the system font was selected
    EXPECT_EQ(DeleteObject(font), TRUE);         // the context keeps what it uses
    EXPECT_EQ(DeleteObject(font), FALSE);        // the handle is gone
    EXPECT_EQ(SelectObject(dc, font), nullptr);  // and cannot be selected again
    SetTextColor(dc, RGB(255, 255, 0));
    SetBkMode(dc, TRANSPARENT);
    EXPECT_EQ(TextOutA(dc, 0, 0, "Ende", 4), TRUE);
    EXPECT_EQ(TextOutA(dc, 0, 0, "Ende", -1), FALSE);
    EXPECT_EQ(TextOutA(dc, 0, 0, nullptr, 3), FALSE);
    EXPECT_EQ(TextOutA(dc, 0, 0, nullptr, 0), TRUE);
    SIZE size{};
    EXPECT_EQ(GetTextExtentPoint32A(dc, "Ende", 4, nullptr), FALSE);
    EXPECT_EQ(GetTextExtentPoint32A(dc, nullptr, 2, &size), FALSE);
  }
  EXPECT_EQ(Read(surface.Get()).pixels, reference.pixels);
  EXPECT_EQ(TextOutA(nullptr, 0, 0, "x", 1), FALSE);
  EXPECT_EQ(SetTextColor(nullptr, 0), CLR_INVALID);
  EXPECT_EQ(SelectObject(nullptr, nullptr), nullptr);
}

}  // namespace
}  // namespace gdi_test
