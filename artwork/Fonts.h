#pragma once
// System fonts found through fontconfig. The family must be installed as asked for: a silent
// substitute would give other pictures on other machines.

#include <cairo.h>

#include <string>

namespace artwork {

enum class FontStyle { Regular, Bold, BoldItalic };

class Font {
 public:
  Font(const std::string& family, FontStyle style);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Makes this font at this size the context's font.
  void Use(cairo_t* cr, double size) const;

 private:
  cairo_font_face_t* face_;
};

// The two faces the artwork uses, loaded once.
const Font& SansBold();
const Font& SerifBoldItalic();

// Adds the path of text with its left end of the baseline at (x, y).
void TextPath(cairo_t* cr, const Font& font, double size, double x, double y, const char* utf8);
// The width of text and the height of its ink above the baseline.
cairo_text_extents_t MeasureText(cairo_t* cr, const Font& font, double size, const char* utf8);

}  // namespace artwork
