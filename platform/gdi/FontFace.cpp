#include "FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

#include "platform/win/CodePage.h"

namespace platform::gdi {
namespace {

constexpr std::int32_t DefaultCellHeight = 16;
// Larger requests are cut to this, which keeps glyph bitmaps within reason.
constexpr std::int32_t LargestEm = 1024;

std::shared_ptr<FT_LibraryRec_> SharedLibrary() {
  static const std::shared_ptr<FT_LibraryRec_> library = [] {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) != 0) return std::shared_ptr<FT_LibraryRec_>();
    return std::shared_ptr<FT_LibraryRec_>(made, FT_Done_FreeType);
  }();
  return library;
}

// Where the cell ends above and below the baseline, in font units: Windows uses the OS/2 table's
// values, which the fonts made to stand in for Windows faces share with them.
struct CellUnits {
  double ascent;
  double descent;
};

CellUnits CellOf(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
    return {double(os2->usWinAscent), double(os2->usWinDescent)};
  if (face->ascender - face->descender > 0) return {double(face->ascender), double(-face->descender)};
  return {double(face->units_per_EM) * 0.8, double(face->units_per_EM) * 0.2};
}

// Row `row` (0 at the top) of a FreeType bitmap, whichever way its rows run.
const unsigned char* BitmapRow(const FT_Bitmap& bitmap, unsigned row) {
  if (bitmap.pitch >= 0) return bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
  return bitmap.buffer + static_cast<std::ptrdiff_t>(bitmap.rows - 1 - row) * -bitmap.pitch;
}

std::vector<std::uint8_t> CoverageOf(const FT_Bitmap& bitmap) {
  std::vector<std::uint8_t> coverage(static_cast<std::size_t>(bitmap.width) * bitmap.rows);
  for (unsigned y = 0; y < bitmap.rows; ++y) {
    const unsigned char* in = BitmapRow(bitmap, y);
    std::uint8_t* out = coverage.data() + static_cast<std::size_t>(y) * bitmap.width;
    for (unsigned x = 0; x < bitmap.width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        out[x] = (in[x / 8] >> (7 - x % 8) & 1) ? 255 : 0;
      else
        out[x] = in[x];
    }
  }
  return coverage;
}

}  // namespace

std::shared_ptr<FontFace> FontFace::Open(const FaceFile& file, std::int32_t height) {
  std::shared_ptr<FT_LibraryRec_> library = SharedLibrary();
  if (!library) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library.get(), file.path.c_str(), file.index, &face) != 0) return nullptr;
  std::shared_ptr<FontFace> opened(new FontFace(std::move(library), face, file));
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return nullptr;
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  opened->SetHeight(height);
  return opened;
}

FontFace::FontFace(std::shared_ptr<FT_LibraryRec_> library, FT_FaceRec_* face, const FaceFile& file)
    : library_(std::move(library)),
      face_(face),
      embolden_(file.embolden),
      oblique_(file.oblique),
      kerning_(FT_HAS_KERNING(face)) {}

FontFace::~FontFace() { FT_Done_Face(face_); }

void FontFace::SetHeight(std::int32_t height) {
  const CellUnits cell = CellOf(face_);
  const double unitsPerEm = face_->units_per_EM;
  const double cellUnits = cell.ascent + cell.descent;
  const double largestCell = LargestEm * cellUnits / unitsPerEm;
  double em = 0;
  if (height < 0) {
    em = std::min<double>(-static_cast<double>(height), LargestEm);
    ascent_ = static_cast<std::int32_t>(std::ceil(cell.ascent * em / unitsPerEm - 1e-6));
    descent_ = static_cast<std::int32_t>(std::ceil(cell.descent * em / unitsPerEm - 1e-6));
  } else {
    const double cellHeight = std::min<double>(height > 0 ? height : DefaultCellHeight, std::floor(largestCell));
    em = cellHeight * unitsPerEm / cellUnits;
    ascent_ = static_cast<std::int32_t>(std::lround(cellHeight * cell.ascent / cellUnits));
    descent_ = static_cast<std::int32_t>(cellHeight) - ascent_;
  }
  FT_Set_Char_Size(face_, 0, std::max<FT_F26Dot6>(64, std::lround(em * 64)), 72, 72);
}

std::string FontFace::Name() const {
  std::string name = face_->family_name ? face_->family_name : "";
  if (face_->style_name) name += std::string(" ") + face_->style_name;
  return name;
}

const Glyph& FontFace::GlyphFor(unsigned char character, Rendering rendering) {
  std::optional<Glyph>& kept = glyphs_[static_cast<std::size_t>(rendering)][character];
  if (!kept) kept = Render(character, rendering);
  return *kept;
}

Glyph FontFace::Render(unsigned char character, Rendering rendering) const {
  Glyph glyph;
  glyph.index = FT_Get_Char_Index(face_, Cp1252ToUnicode(character));
  const bool monochrome = rendering == Rendering::Monochrome;
  if (FT_Load_Glyph(face_, glyph.index, monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL) != 0) return glyph;
  FT_GlyphSlot slot = face_->glyph;
  if (oblique_) FT_GlyphSlot_Oblique(slot);
  if (embolden_) FT_GlyphSlot_Embolden(slot);
  glyph.advance = static_cast<std::int32_t>((slot->advance.x + 32) >> 6);
  if (FT_Render_Glyph(slot, monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return glyph;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<std::int32_t>(bitmap.width);
  glyph.height = static_cast<std::int32_t>(bitmap.rows);
  glyph.coverage = CoverageOf(bitmap);
  return glyph;
}

std::int32_t FontFace::Kerning(std::uint32_t left, std::uint32_t right) const {
  if (!kerning_ || left == 0 || right == 0) return 0;
  FT_Vector delta{};
  if (FT_Get_Kerning(face_, left, right, FT_KERNING_DEFAULT, &delta) != 0) return 0;
  return static_cast<std::int32_t>((delta.x + 32) >> 6);
}

}  // namespace platform::gdi
