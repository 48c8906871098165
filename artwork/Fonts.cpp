#include "Fonts.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <memory>
#include <stdexcept>

namespace artwork {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// The file of the installed face, refusing any substitute family.
Pattern FindFace(const std::string& family, FontStyle style) {
  Pattern wanted(FcPatternCreate());
  FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(wanted.get(), FC_WEIGHT, style == FontStyle::Regular ? FC_WEIGHT_REGULAR : FC_WEIGHT_BOLD);
  FcPatternAddInteger(wanted.get(), FC_SLANT, style == FontStyle::BoldItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
  FcDefaultSubstitute(wanted.get());
  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, wanted.get(), &result));
  FcChar8* found_family = nullptr;
  FcChar8* file = nullptr;
  int index = 0;
  if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &found_family) != FcResultMatch ||
      family != reinterpret_cast<const char*>(found_family) ||
      FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    throw std::runtime_error("the font \"" + family + "\" is not installed (Debian package fonts-liberation)");
  }
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
  // Only the file goes on: the machine's hinting and anti-aliasing settings must not reach the pictures.
  Pattern face(FcPatternCreate());
  FcPatternAddString(face.get(), FC_FILE, file);
  FcPatternAddInteger(face.get(), FC_INDEX, index);
  return face;
}

}  // namespace

Font::Font(const std::string& family, FontStyle style) {
  const Pattern pattern = FindFace(family, style);
  face_ = cairo_ft_font_face_create_for_pattern(pattern.get());
  if (cairo_font_face_status(face_) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(face_);
    throw std::runtime_error("cannot load the font \"" + family + "\"");
  }
}

Font::~Font() { cairo_font_face_destroy(face_); }

void Font::Use(cairo_t* cr, double size) const {
  cairo_set_font_face(cr, face_);
  cairo_set_font_size(cr, size);
}

const Font& SansBold() {
  static const Font font("Liberation Sans", FontStyle::Bold);
  return font;
}

const Font& SerifBoldItalic() {
  static const Font font("Liberation Serif", FontStyle::BoldItalic);
  return font;
}

void TextPath(cairo_t* cr, const Font& font, double size, double x, double y, const char* utf8) {
  font.Use(cr, size);
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, utf8);
}

cairo_text_extents_t MeasureText(cairo_t* cr, const Font& font, double size, const char* utf8) {
  font.Use(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, utf8, &extents);
  return extents;
}

}  // namespace artwork
