// The heads-up pictures: digits, cartridges, the own crosshair and the opponent's aim marks.

#include <algorithm>
#include <cmath>
#include <string>

#include "Artwork.h"
#include "Fonts.h"

namespace artwork {
namespace {

constexpr int kDigitWidth = 30;
constexpr int kDigitHeight = 40;
constexpr double kDigitBaseline = 36.5;
constexpr Colour kDigitOutline{0x1A1208};

// A warm white-to-gold fill that reads on sky and on grass alike.
void SetDigitFill(cairo_t* cr) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 5, 0, kDigitBaseline);
  cairo_pattern_add_color_stop_rgb(gradient, 0.0, 1.0, 0.99, 0.86);
  cairo_pattern_add_color_stop_rgb(gradient, 0.45, 1.0, 0.90, 0.42);
  cairo_pattern_add_color_stop_rgb(gradient, 1.0, 0.96, 0.62, 0.10);
  cairo_set_source(cr, gradient);
  cairo_pattern_destroy(gradient);
}

// Strokes the current path thick and dark, then fills it with the digit gradient.
void OutlineAndFill(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, kDigitOutline);
  cairo_set_line_width(cr, 5);
  cairo_stroke_preserve(cr);
  SetDigitFill(cr);
  cairo_fill(cr);
}

IndexedImage DrawDigit(DataWriter& out, int digit) {
  Canvas canvas(kDigitWidth, kDigitHeight);
  cairo_t* cr = canvas.cr();
  const std::string text = std::to_string(digit);
  const double size = 44;
  const cairo_text_extents_t ink = MeasureText(cr, SansBold(), size, text.c_str());
  const double x = (kDigitWidth - ink.width) / 2 - ink.x_bearing;
  // A soft drop shadow lifts the digit off busy backgrounds.
  TextPath(cr, SansBold(), size, x + 1.5, kDigitBaseline + 1.5, text.c_str());
  SetColour(cr, {0x000000, 0.55});
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);
  TextPath(cr, SansBold(), size, x, kDigitBaseline, text.c_str());
  OutlineAndFill(cr);
  return out.Keyed(canvas);
}

IndexedImage DrawColon(DataWriter& out) {
  Canvas canvas(kDigitWidth, kDigitHeight);
  cairo_t* cr = canvas.cr();
  for (double y : {14.0, 29.0}) RoundedRectangle(cr, 11.5, y - 3.5, 7, 7, 2);
  OutlineAndFill(cr);
  return out.Keyed(canvas);
}

IndexedImage DrawMinus(DataWriter& out) {
  Canvas canvas(kDigitWidth, kDigitHeight);
  cairo_t* cr = canvas.cr();
  RoundedRectangle(cr, 6, 18, 18, 6, 2);
  OutlineAndFill(cr);
  return out.Keyed(canvas);
}

constexpr int kCartridgeWidth = 30;
constexpr int kCartridgeHeight = 56;

// A shotgun shell standing upright, centred on the origin, 14 wide and 44 tall.
void DrawShell(cairo_t* cr, bool spent) {
  const double w = 14, hull = 31, head = 13, top = -22;
  // Red plastic hull with a round crimp, lit from the left.
  cairo_pattern_t* hull_shade = cairo_pattern_create_linear(-w / 2, 0, w / 2, 0);
  const double dim = spent ? 0.55 : 1.0;
  cairo_pattern_add_color_stop_rgb(hull_shade, 0.0, 0.55 * dim, 0.05, 0.04);
  cairo_pattern_add_color_stop_rgb(hull_shade, 0.3, 0.98 * dim, 0.32 * dim, 0.22 * dim);
  cairo_pattern_add_color_stop_rgb(hull_shade, 0.55, 0.85 * dim, 0.12, 0.08);
  cairo_pattern_add_color_stop_rgb(hull_shade, 1.0, 0.40 * dim, 0.03, 0.03);
  RoundedRectangle(cr, -w / 2, top, w, hull + 2, 3);
  cairo_set_source(cr, hull_shade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(hull_shade);
  StrokeWith(cr, {0x2A0806}, 1.2);
  // Crimp lines at the top.
  for (double x : {-3.5, 0.0, 3.5}) {
    cairo_move_to(cr, x, top + 1);
    cairo_line_to(cr, x * 0.6, top + 4);
  }
  StrokeWith(cr, {0x5A0C08}, 1);
  // Brass head with its rim.
  cairo_pattern_t* brass = cairo_pattern_create_linear(-w / 2 - 1, 0, w / 2 + 1, 0);
  cairo_pattern_add_color_stop_rgb(brass, 0.0, 0.45, 0.32, 0.08);
  cairo_pattern_add_color_stop_rgb(brass, 0.3, 1.0, 0.92, 0.55);
  cairo_pattern_add_color_stop_rgb(brass, 0.6, 0.86, 0.66, 0.20);
  cairo_pattern_add_color_stop_rgb(brass, 1.0, 0.40, 0.28, 0.06);
  cairo_rectangle(cr, -w / 2, top + hull, w, head - 2);
  cairo_rectangle(cr, -w / 2 - 1, top + hull + head - 3, w + 2, 3);
  cairo_set_source(cr, brass);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(brass);
  StrokeWith(cr, {0x3A2A06}, 1);
}

IndexedImage DrawCartridgeStep(DataWriter& out, int step) {
  Canvas canvas(kCartridgeWidth, kCartridgeHeight);
  cairo_t* cr = canvas.cr();
  const double t = step / 8.0;
  if (step <= 6) {
    // The spent shell jumps out of its place, spinning and shrinking into the distance.
    SavedState saved(cr);
    cairo_translate(cr, 15 + 3 * std::sin(t * M_PI), 31 - 17 * std::sin(t * M_PI * 0.9));
    cairo_rotate(cr, t * 2 * M_PI * 0.85);
    const double scale = 1.0 - 0.62 * t;
    cairo_scale(cr, scale, scale);
    DrawShell(cr, step > 0);
  }
  if (step >= 3) {
    // A puff of smoke that grows and thins out.
    const double puff = (step - 2) / 6.0;
    for (int i = 0; i < 4; ++i) {
      const double a = i * M_PI / 2 + puff;
      Ellipse(cr, 15 + 6 * puff * std::cos(a), 16 - 8 * puff + 5 * puff * std::sin(a), 3 + 5 * puff, 3 + 4 * puff);
    }
    SetColour(cr, {0xD8D8D8, 0.9 - 0.5 * puff});
    cairo_fill(cr);
  }
  return out.Keyed(canvas);
}

// Crosshair: a two-tone ring with four ticks, sharp pixels, centre pixel (16, 16).
IndexedImage DrawCrosshair(DataWriter& out) {
  Canvas canvas(32, 32);
  cairo_t* cr = canvas.cr();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  const double c = 16.5;
  auto ticks = [&](double inner, double outer) {
    for (int k = 0; k < 4; ++k) {
      const double dx = k == 0 ? 1 : k == 1 ? -1 : 0, dy = k == 2 ? 1 : k == 3 ? -1 : 0;
      cairo_move_to(cr, c + dx * inner, c + dy * inner);
      cairo_line_to(cr, c + dx * outer, c + dy * outer);
    }
  };
  cairo_arc(cr, c, c, 10, 0, 2 * M_PI);
  StrokeWith(cr, {0x101010}, 3);
  ticks(4, 15.5);
  StrokeWith(cr, {0x101010}, 3);
  cairo_arc(cr, c, c, 10, 0, 2 * M_PI);
  StrokeWith(cr, {0xFFFFFF}, 1);
  ticks(5, 14.5);
  StrokeWith(cr, {0xF03C28}, 1);
  cairo_rectangle(cr, 16, 16, 1, 1);
  FillWith(cr, {0xF03C28});
  return out.Keyed(canvas);
}

// The opponent's aim: teal corner brackets around a small diamond, unlike the own round sight.
IndexedImage DrawAimMark(DataWriter& out, int size) {
  Canvas canvas(size, size);
  cairo_t* cr = canvas.cr();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  const double c = size / 2 + 0.5;
  const double reach = size / 2 - 2.0;
  const double arm = std::max(3.0, size * 0.28);
  auto brackets = [&]() {
    for (int sx : {-1, 1})
      for (int sy : {-1, 1}) {
        cairo_move_to(cr, c + sx * reach, c + sy * (reach - arm));
        cairo_line_to(cr, c + sx * reach, c + sy * reach);
        cairo_line_to(cr, c + sx * (reach - arm), c + sy * reach);
      }
  };
  auto diamond = [&](double r) {
    cairo_move_to(cr, c, c - r);
    cairo_line_to(cr, c + r, c);
    cairo_line_to(cr, c, c + r);
    cairo_line_to(cr, c - r, c);
    cairo_close_path(cr);
  };
  const double r = size >= 40 ? 4 : 2;
  brackets();
  StrokeWith(cr, {0x081036}, 3);
  diamond(r);
  StrokeWith(cr, {0x081036}, 3);
  brackets();
  StrokeWith(cr, {0x6EC4C8}, 1);
  diamond(r);
  StrokeWith(cr, {0xFFD23C}, 1);
  return out.Keyed(canvas);
}

}  // namespace

void MakeNumbers(DataWriter& out) {
  for (int n = 0; n <= 9; ++n) out.Picture("cdu\\" + std::to_string(n) + ".bmp", DrawDigit(out, n));
  out.Picture("cdu\\10.bmp", DrawColon(out));
  out.Picture("cdu\\11.bmp", DrawMinus(out));
}

void MakeCartridges(DataWriter& out) {
  out.Picture("cdu\\patron.bmp", DrawCartridgeStep(out, 0));
  for (int step = 1; step <= 8; ++step) out.Picture("cdu\\p_" + std::to_string(step) + ".bmp", DrawCartridgeStep(out, step));
}

void MakeSights(DataWriter& out) {
  out.Picture("cdu\\kalib.bmp", DrawCrosshair(out));
  const int sizes[] = {16, 22, 50};
  for (int k = 1; k <= 3; ++k) out.Picture("cdu\\akalib" + std::to_string(k) + ".bmp", DrawAimMark(out, sizes[k - 1]));
}

}  // namespace artwork
