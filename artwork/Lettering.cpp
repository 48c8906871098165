#include "Lettering.h"

namespace artwork {
namespace {

constexpr Colour kTextOutline{0x14100A};

}  // namespace

void HeadlineText(cairo_t* cr, const Font& font, double size, double centre_x, double baseline, const char* text,
                  double outline) {
  const cairo_text_extents_t ink = MeasureText(cr, font, size, text);
  const double x = centre_x - ink.width / 2 - ink.x_bearing;
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  TextPath(cr, font, size, x + outline * 0.8, baseline + outline * 0.8, text);
  SetColour(cr, {0x000000, 0.45});
  cairo_set_line_width(cr, outline * 2);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  TextPath(cr, font, size, x, baseline, text);
  SetColour(cr, kTextOutline);
  cairo_set_line_width(cr, outline * 2);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* gold = cairo_pattern_create_linear(0, baseline + ink.y_bearing, 0, baseline);
  cairo_pattern_add_color_stop_rgb(gold, 0.0, 1.0, 1.0, 0.92);
  cairo_pattern_add_color_stop_rgb(gold, 0.5, 1.0, 0.86, 0.36);
  cairo_pattern_add_color_stop_rgb(gold, 1.0, 0.90, 0.52, 0.08);
  cairo_set_source(cr, gold);
  cairo_fill(cr);
  cairo_pattern_destroy(gold);
}

void PromptText(cairo_t* cr, double centre_x, double baseline, const char* text) {
  const double size = 17;
  const cairo_text_extents_t ink = MeasureText(cr, SansBold(), size, text);
  const double x = centre_x - ink.width / 2 - ink.x_bearing;
  TextPath(cr, SansBold(), size, x + 1.5, baseline + 1.5, text);
  FillWith(cr, {0x000000});
  TextPath(cr, SansBold(), size, x, baseline, text);
  FillWith(cr, {0xFFF0B0});
}

}  // namespace artwork
