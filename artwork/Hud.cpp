// The heads-up pictures: digits, cartridges, the own crosshair and the opponent's aim marks.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

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
  if (step == 0) {
    SavedState saved(cr);
    cairo_translate(cr, 15, 31);
    DrawShell(cr, false);
    return out.Sprite(canvas, "cartridge");
  }
  // A puff of smoke where the shell leaves, growing and then breaking up.
  if (step >= 2) {
    const double grow = std::min(1.0, (step - 1) / 4.0);
    const int puffs = step <= 6 ? 5 : 9 - step;
    for (int i = 0; i < puffs; ++i) {
      const double a = i * 1.257 + step * 0.4;
      const double spread = 3 + 5 * grow + (step > 6 ? 2 : 0);
      const double r = (2 + 3 * grow) * (step > 6 ? 0.6 : 1.0);
      Ellipse(cr, 15 + spread * std::cos(a), 40 - 6 * grow + spread * 0.7 * std::sin(a), r, r * 0.85);
    }
    // Outlined first and filled after, so that only the outer rim of the puff shows a line.
    SetColour(cr, {0x9A9A9A});
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    FillWith(cr, {0xDCDCDC});
  }
  if (step <= 6) {
    // The spent shell jumps out, spinning and dwindling into the distance.
    const double t = step / 6.0;
    SavedState saved(cr);
    cairo_translate(cr, 15 + std::sin(t * M_PI), 30 - 18 * std::pow(t, 0.8));
    cairo_rotate(cr, step * 55 * M_PI / 180);
    const double scale = 0.56 - 0.06 * step;
    cairo_scale(cr, scale, scale);
    DrawShell(cr, true);
  }
  return out.Sprite(canvas, "cartridge ejection " + std::to_string(step));
}

// Draws the pixels a shape picks, each in its colour, edged in black like the crosshair.
template <typename Pick>
void EdgedPixels(cairo_t* cr, int size, Pick pick, const std::vector<Colour>& colours) {
  for (int y = 1; y < size - 1; ++y)
    for (int x = 1; x < size - 1; ++x) {
      bool near_line = false;
      for (int ny = -1; ny <= 1; ++ny)
        for (int nx = -1; nx <= 1; ++nx) near_line |= pick(x + nx, y + ny) > 0;
      if (near_line && pick(x, y) == 0) cairo_rectangle(cr, x, y, 1, 1);
    }
  FillWith(cr, {0x081036});
  for (std::size_t c = 0; c < colours.size(); ++c) {
    for (int y = 1; y < size - 1; ++y)
      for (int x = 1; x < size - 1; ++x)
        if (pick(x, y) == static_cast<int>(c) + 1) cairo_rectangle(cr, x, y, 1, 1);
    FillWith(cr, colours[c]);
  }
}

// The opponent's aim: teal corner brackets round a small gold diamond, unlike the own round sight.
IndexedImage DrawAimMark(DataWriter& out, int size) {
  Canvas canvas(size, size);
  const int c = size / 2, reach = c - 3, arm = std::max(2, size / 5), r = size >= 40 ? 4 : 2;
  auto pick = [=](int x, int y) {
    const int dx = std::abs(x - c), dy = std::abs(y - c);
    if (dx + dy == r) return 2;
    const bool vertical = dx == reach && dy >= reach - arm && dy <= reach;
    const bool horizontal = dy == reach && dx >= reach - arm && dx <= reach;
    return vertical || horizontal ? 1 : 0;
  };
  EdgedPixels(canvas.cr(), size, pick, {{0x6EC4C8}, {0xFFD23C}});
  return out.Sprite(canvas, "aim mark");
}

// Crosshair: a white ring and red ticks, each edged in black so that it shows on sky and grass,
// set pixel by pixel round the centre pixel (16, 16).
IndexedImage DrawCrosshair(DataWriter& out) {
  Canvas canvas(32, 32);
  constexpr int kCentre = 16;
  auto pick = [](int x, int y) {
    const int dx = std::abs(x - kCentre), dy = std::abs(y - kCentre);
    if ((dx == 0 && dy <= 13 && (dy >= 5 || dy == 0)) || (dy == 0 && dx >= 5 && dx <= 13)) return 2;
    return std::abs(std::hypot(dx, dy) - 10) < 0.6 ? 1 : 0;
  };
  EdgedPixels(canvas.cr(), 32, pick, {{0xFFFFFF}, {0xF03C28}});
  return out.Sprite(canvas, "crosshair");
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
