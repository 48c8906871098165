#include "Nature.h"

#include <algorithm>
#include <cmath>

namespace artwork {

FoliageColours NearFoliage() { return {{0x163A1C}, {0x1E4A22}, {0x36702E}, {0x6A9E3E}}; }
FoliageColours MiddleFoliage() { return {{0x183818}, {0x2C5C2A}, {0x4A8236}, {0x86B04E}}; }
FoliageColours FarFoliage() { return {{0x2E5234}, {0x3E6A40}, {0x5A844C}, {0x8AAA66}}; }

namespace {

// A point inside the unit disc, evenly spread.
void InsideDisc(Random& random, double& x, double& y) {
  do {
    x = random.Range(-1, 1);
    y = random.Range(-1, 1);
  } while (x * x + y * y > 1);
}

void Blob(cairo_t* cr, Random& random, double x, double y, double size) {
  const double rx = size * random.Range(0.8, 1.2);
  const double ry = size * random.Range(0.65, 0.95);
  Ellipse(cr, x, y, rx, ry);
}

}  // namespace

void Crown(cairo_t* cr, Random& random, double cx, double cy, double rx, double ry, const FoliageColours& colours,
           double leaf) {
  // The dark mass: a lumpy outline of overlapping blobs round a solid core.
  Ellipse(cr, cx, cy, rx * 0.82, ry * 0.82);
  const int rim = static_cast<int>(2 * M_PI * std::max(rx, ry) / leaf) + 6;
  for (int i = 0; i < rim; ++i) {
    const double a = 2 * M_PI * i / rim + random.Range(-0.1, 0.1);
    const double r = random.Range(0.72, 0.9);
    Blob(cr, random, cx + rx * r * std::cos(a), cy + ry * r * std::sin(a), leaf * random.Range(1.0, 1.6));
  }
  FillWith(cr, colours.dark);
  // Shadowed hollows, then lit clumps that favour the upper left, then the brightest leaves, and
  // last small dark gaps that break the clumps up into leaves.
  const int clumps = static_cast<int>(rx * ry / (leaf * leaf) * 0.9) + 4;
  for (int pass = 0; pass < 4; ++pass) {
    for (int i = 0; i < clumps; ++i) {
      double x, y;
      InsideDisc(random, x, y);
      const double lit = -0.65 * x - 0.8 * y + random.Range(-0.35, 0.35);
      const bool take = pass == 0 ? lit < -0.3 : pass == 1 ? lit > -0.1 : pass == 2 ? lit > 0.6 : i % 2 == 0;
      if (!take) continue;
      const double size = leaf * (pass == 1   ? random.Range(0.7, 1.1)
                                  : pass == 0 ? random.Range(0.6, 1.0)
                                  : pass == 2 ? random.Range(0.3, 0.55)
                                              : random.Range(0.18, 0.32));
      Blob(cr, random, cx + x * rx * 0.85, cy + y * ry * 0.85, size);
    }
    FillWith(cr, pass == 0 ? colours.shadow : pass == 1 ? colours.mid : pass == 2 ? colours.light : colours.dark);
  }
}

void Leaves(cairo_t* cr, Random& random, double cx, double cy, double rx, double ry, const FoliageColours& colours,
            double leaf) {
  struct Leaf {
    double x, y, angle, length, width;
    int tone;
  };
  std::vector<Leaf> leaves;
  const int count = static_cast<int>(14 * rx * ry / (leaf * leaf)) + 6;
  for (int i = 0; i < count; ++i) {
    double x, y;
    InsideDisc(random, x, y);
    const double lit = -0.6 * x - 0.8 * y + random.Range(-0.5, 0.5);
    // Leaves hang outwards and down from the middle of the cluster.
    const double angle = std::atan2(y + 0.6, x) + random.Range(-0.6, 0.6);
    const double length = leaf * random.Range(0.75, 1.2);
    const double width = length * random.Range(0.38, 0.5);
    leaves.push_back({cx + x * rx, cy + y * ry, angle, length, width, lit < -0.45 ? 0 : lit < 0.05 ? 1 : lit < 0.55 ? 2 : 3});
  }
  // Back leaves in shade first, lit ones on top.
  const Colour tones[] = {colours.shadow, colours.dark, colours.mid, colours.light};
  for (int tone = 0; tone < 4; ++tone) {
    for (const Leaf& l : leaves) {
      if (l.tone != tone) continue;
      SavedState saved(cr);
      cairo_translate(cr, l.x, l.y);
      cairo_rotate(cr, l.angle);
      cairo_move_to(cr, 0, 0);
      cairo_curve_to(cr, l.length * 0.3, -l.width, l.length * 0.7, -l.width * 0.8, l.length, 0);
      cairo_curve_to(cr, l.length * 0.7, l.width * 0.8, l.length * 0.3, l.width, 0, 0);
      cairo_close_path(cr);
    }
    FillWith(cr, tones[tone]);
  }
}

void Trunk(cairo_t* cr, double x, double foot, double top, double width, Colour bark) {
  cairo_move_to(cr, x - width * 0.9, foot);
  cairo_curve_to(cr, x - width * 0.5, foot - width * 0.3, x - width * 0.5, foot - width, x - width * 0.42, top);
  cairo_line_to(cr, x + width * 0.42, top);
  cairo_curve_to(cr, x + width * 0.5, foot - width, x + width * 0.5, foot - width * 0.3, x + width * 0.95, foot);
  cairo_close_path(cr);
  cairo_pattern_t* shade = cairo_pattern_create_linear(x - width, 0, x + width, 0);
  const Colour light = Mix(bark, {0xFFFFFF}, 0.25), dark = Mix(bark, {0x000000}, 0.55);
  auto stop = [shade](double at, Colour c) {
    cairo_pattern_add_color_stop_rgb(shade, at, (c.rgb >> 16 & 0xFF) / 255.0, (c.rgb >> 8 & 0xFF) / 255.0,
                                     (c.rgb & 0xFF) / 255.0);
  };
  stop(0.0, bark);
  stop(0.3, light);
  stop(0.6, bark);
  stop(1.0, dark);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
  // Furrows in the bark.
  for (int k = -1; k <= 1; ++k) {
    cairo_move_to(cr, x + k * width * 0.25, foot - width * 0.4);
    cairo_curve_to(cr, x + k * width * 0.3, foot - (foot - top) * 0.4, x + k * width * 0.18, foot - (foot - top) * 0.7,
                   x + k * width * 0.2, top);
  }
  StrokeWith(cr, dark, std::max(1.0, width * 0.06));
}

void Grass(cairo_t* cr, Random& random, double x0, double x1, double base, double height, int blades,
           const FoliageColours& colours) {
  const Colour tones[] = {colours.shadow, colours.dark, colours.mid, colours.light};
  for (int tone = 0; tone < 4; ++tone) {
    for (int i = 0; i < blades / 4; ++i) {
      const double x = random.Range(x0, x1);
      const double h = height * random.Range(0.45, 1.0) * (tone == 0 ? 0.8 : 1.0);
      const double lean = random.Range(-0.45, 0.45) * h;
      const double w = std::max(1.2, height * 0.09) * random.Range(0.8, 1.3);
      TaperedSegment(cr, x, base + 1, w, x + lean, base - h, 0.6);
    }
    FillWith(cr, tones[tone]);
  }
}

void Reeds(cairo_t* cr, Random& random, double x0, double x1, double base, double height, int stems) {
  // Long leaves first, then the stems with their seed heads.
  for (int i = 0; i < stems * 2; ++i) {
    const double x = random.Range(x0, x1);
    const double h = height * random.Range(0.4, 0.8);
    const double lean = random.Range(-0.35, 0.35) * h;
    cairo_move_to(cr, x - 1.5, base + 1);
    cairo_curve_to(cr, x, base - h * 0.5, x + lean * 0.6, base - h * 0.8, x + lean, base - h);
    cairo_curve_to(cr, x + lean * 0.5, base - h * 0.8, x + 1, base - h * 0.5, x + 2.2, base + 1);
    cairo_close_path(cr);
    FillWith(cr, i % 3 == 0 ? Colour{0x5E7A2A} : i % 3 == 1 ? Colour{0x7C9438} : Colour{0x46622A});
  }
  for (int i = 0; i < stems; ++i) {
    const double x = random.Range(x0, x1);
    const double h = height * random.Range(0.7, 1.0);
    const double lean = random.Range(-0.12, 0.12) * h;
    cairo_move_to(cr, x, base + 1);
    cairo_curve_to(cr, x, base - h * 0.5, x + lean * 0.5, base - h * 0.8, x + lean, base - h);
    StrokeWith(cr, {0x6A7A34}, std::max(1.4, height * 0.012));
    const double hx = x + lean * 0.93, hy = base - h * 0.86;
    const double len = std::max(6.0, height * 0.1);
    RoundedRectangle(cr, hx - len * 0.16, hy - len / 2, len * 0.32, len, len * 0.15);
    SetVerticalGradient(cr, hy - len / 2, {0x8A5A32}, hy + len / 2, {0x4A2C16});
    cairo_fill(cr);
  }
}

void Post(cairo_t* cr, double x, double foot, double height, double width) {
  cairo_rectangle(cr, x - width / 2, foot - height, width, height);
  cairo_pattern_t* shade = cairo_pattern_create_linear(x - width / 2, 0, x + width / 2, 0);
  cairo_pattern_add_color_stop_rgb(shade, 0, 0.62, 0.50, 0.38);
  cairo_pattern_add_color_stop_rgb(shade, 0.35, 0.52, 0.40, 0.29);
  cairo_pattern_add_color_stop_rgb(shade, 1, 0.26, 0.19, 0.13);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
  // Weathered grain and the sawn top.
  for (double k : {-0.2, 0.15}) {
    cairo_move_to(cr, x + k * width, foot - height * 0.9);
    cairo_line_to(cr, x + k * width * 1.2, foot - height * 0.15);
  }
  StrokeWith(cr, {0x3A2A1C}, std::max(0.8, width * 0.08));
  Ellipse(cr, x, foot - height, width / 2, std::max(1.0, width * 0.18));
  FillWith(cr, {0xB49A78});
  cairo_rectangle(cr, x - width / 2, foot - height, width, height);
  StrokeWith(cr, {0x2A1E14}, 1);
}

void Flowers(cairo_t* cr, Random& random, double x0, double x1, double y0, double y1, int count,
             const std::vector<Colour>& colours, double size) {
  for (size_t c = 0; c < colours.size(); ++c) {
    for (int i = 0; i < count / static_cast<int>(colours.size()); ++i) {
      const double y = random.Range(y0, y1);
      // Blossoms further down are nearer, so a little larger.
      const double s = size * (0.7 + 0.6 * (y - y0) / std::max(1.0, y1 - y0)) * random.Range(0.8, 1.2);
      Ellipse(cr, random.Range(x0, x1), y, s, s * 0.8);
    }
    FillWith(cr, colours[c]);
  }
}

void Cloud(cairo_t* cr, Random& random, double cx, double base, double width, double height) {
  struct Puff {
    double x, y, r;
  };
  std::vector<Puff> puffs;
  const int count = 9;
  for (int i = 0; i < count; ++i) {
    const double t = (i + 0.5) / count;
    const double bulge = std::sin(t * M_PI);
    const double r = height * (0.3 + 0.5 * bulge) * random.Range(0.8, 1.1);
    puffs.push_back({cx - width / 2 + t * width, base - r * 0.85, r});
  }
  // The shaded underside, the sunlit body offset up and to the left, and its brightest rims.
  const struct {
    double shrink, dx, dy;
    Colour colour;
  } passes[] = {{1.0, 0, 0, {0xBCC8DA}}, {0.86, -0.1, -0.16, {0xE8EEF6}}, {0.55, -0.22, -0.34, {0xFFFFFF}}};
  for (const auto& pass : passes) {
    for (const Puff& p : puffs) Ellipse(cr, p.x + pass.dx * height, p.y + pass.dy * height, p.r * 1.2 * pass.shrink,
                                         p.r * pass.shrink);
    if (pass.shrink == 1.0) cairo_rectangle(cr, cx - width / 2 + height * 0.3, base - height * 0.4, width - height * 0.6,
                                            height * 0.4);
    FillWith(cr, pass.colour);
  }
}

void ClearCornerPixel(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  SavedState saved(cr);
  cairo_identity_matrix(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(cr, 0, canvas.height() - 1, 1, 1);
  cairo_fill(cr);
}

}  // namespace artwork
