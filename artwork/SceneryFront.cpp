// The nearest layer (group 1, layer 5): branches hanging into the view from above and bushes
// rising from below. Near and in shade, their greens are deeper than the rest of the landscape.

#include <array>
#include <cmath>
#include <vector>

#include "Nature.h"
#include "SceneryParts.h"

namespace artwork {
namespace {

constexpr Colour kBark{0x3A2C22};

// A bough entering at the top edge, its twigs ending in leafy clusters.
struct Twig {
  double x0, y0, x1, y1, width;
};

void Bough(cairo_t* cr, Random& random, const std::vector<Twig>& twigs, const std::vector<std::array<double, 4>>& leaves,
           const FoliageColours& colours, double leaf) {
  for (const Twig& t : twigs) {
    const double mx = (t.x0 + t.x1) / 2 + (t.y1 - t.y0) * 0.12, my = (t.y0 + t.y1) / 2;
    TaperedSegment(cr, t.x0, t.y0, t.width, mx, my, t.width * 0.75);
    TaperedSegment(cr, mx, my, t.width * 0.75, t.x1, t.y1, t.width * 0.45);
  }
  FillWith(cr, kBark);
  for (const auto& l : leaves) {
    Crown(cr, random, l[0], l[1], l[2] * 0.75, l[3] * 0.7, colours, leaf * 0.8);
    Leaves(cr, random, l[0], l[1], l[2], l[3], colours, leaf * 1.6);
  }
}

Canvas HangingCanvas(int width, int height) {
  Canvas canvas(width, height);
  cairo_translate(canvas.cr(), 0, -ScreenTop(-3));
  return canvas;
}

// Group 1 item 1: an oak bough.
Canvas DrawOakBough() {
  Canvas canvas = HangingCanvas(340, 190);
  cairo_t* cr = canvas.cr();
  Random random(11);
  Bough(cr, random,
        {{300, -4, 160, 60, 16}, {230, 28, 100, 110, 8}, {180, 50, 220, 128, 7}, {270, 12, 290, 84, 7}, {130, 80, 60, 96, 5}},
        {{165, 40, 90, 34}, {100, 104, 48, 32}, {218, 116, 44, 30}, {282, 74, 24, 38}, {60, 90, 28, 22}, {240, 18, 70, 20}},
        NearFoliage(), 11);
  return canvas;
}

// Group 1 item 4: a willow whose thin twigs hang far down.
Canvas DrawWillow() {
  Canvas canvas = HangingCanvas(340, 215);
  cairo_t* cr = canvas.cr();
  Random random(14);
  TaperedSegment(cr, 40, -6, 18, 320, 30, 6);
  FillWith(cr, kBark);
  for (int i = 0; i < 46; ++i) {
    const double x = random.Range(40, 310), y = 2 + (x - 10) * 0.1 + random.Range(-3, 3);
    const double length = random.Range(60, 180), sway = random.Range(-16, 10);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + sway * 0.2, y + length * 0.4, x + sway, y + length * 0.7, x + sway * 1.2, y + length);
    StrokeWith(cr, {0x4A5A2A}, 1.1);
    // Narrow leaves along the twig.
    for (double t = 0.15; t < 1.0; t += random.Range(0.07, 0.12)) {
      const double lx = x + sway * (t < 0.5 ? 0.4 * t : 1.2 * t), ly = y + length * t;
      const double side = (static_cast<int>(t * 20) % 2 ? 1 : -1) * random.Range(3, 6);
      TaperedSegment(cr, lx, ly, 2.6, lx + side, ly + random.Range(6, 10), 0.8);
    }
    const Colour tone = i % 3 == 0 ? Colour{0x6E9A3A} : i % 3 == 1 ? Colour{0x4E7A2C} : Colour{0x8CB04A};
    FillWith(cr, tone);
  }
  Crown(cr, random, 80, 10, 50, 18, NearFoliage(), 7);
  Crown(cr, random, 230, 28, 70, 20, NearFoliage(), 7);
  return canvas;
}

// Group 1 item 5: a beech bough.
Canvas DrawBeechBough() {
  Canvas canvas = HangingCanvas(300, 175);
  cairo_t* cr = canvas.cr();
  Random random(15);
  Bough(cr, random, {{40, -4, 150, 70, 13}, {100, 30, 60, 108, 6}, {150, 70, 240, 104, 6}, {130, 50, 170, 126, 5}},
        {{140, 44, 74, 30}, {62, 100, 30, 28}, {234, 102, 30, 26}, {170, 120, 32, 22}, {66, 22, 30, 18}},
        NearFoliage(), 9);
  return canvas;
}

// Group 1 item 2: a round bush of dog roses at the bottom edge.
Canvas DrawRoseBush() {
  const int top = ScreenTop(351);
  Canvas canvas(250, kGroundBottom - top);
  cairo_t* cr = canvas.cr();
  cairo_translate(cr, 0, -top);
  Random random(12);
  Crown(cr, random, 125, 452, 112, 74, NearFoliage(), 11);
  Crown(cr, random, 70, 470, 60, 50, NearFoliage(), 10);
  Crown(cr, random, 186, 466, 56, 50, NearFoliage(), 10);
  Leaves(cr, random, 125, 440, 96, 56, NearFoliage(), 12);
  for (int i = 0; i < 16; ++i) {
    const double a = random.Range(M_PI * 1.05, M_PI * 1.95), r = random.Range(0.45, 0.9);
    const double x = 125 + 106 * r * std::cos(a), y = 456 + 70 * r * std::sin(a);
    for (int p = 0; p < 5; ++p) Ellipse(cr, x + 3 * std::cos(p * 1.2566), y + 3 * std::sin(p * 1.2566), 2.6, 2.6);
    FillWith(cr, {0xF2A6C4});
    Ellipse(cr, x, y, 1.4, 1.4);
    FillWith(cr, {0xF8E060});
  }
  return canvas;
}

// Group 1 item 3: a tall elder bush in flower at the left.
Canvas DrawElder() {
  const int top = ScreenTop(147);
  Canvas canvas(330, kGroundBottom - top);
  cairo_t* cr = canvas.cr();
  cairo_translate(cr, 30, -top);
  Random random(13);
  const double stems[][4] = {{120, 482, 90, 230}, {140, 482, 170, 210}, {150, 482, 220, 290}, {110, 482, 50, 300}};
  for (const auto& s : stems) TaperedSegment(cr, s[0], s[1], 10, s[2], s[3], 4);
  FillWith(cr, {0x5A4A3A});
  const double crowns[][4] = {{90, 238, 62, 56}, {170, 222, 62, 50}, {224, 300, 48, 52}, {60, 318, 48, 58},
                              {140, 304, 86, 78}, {130, 420, 118, 78}, {40, 430, 34, 60}};
  for (const auto& c : crowns) {
    Crown(cr, random, c[0], c[1], c[2] * 0.9, c[3] * 0.9, NearFoliage(), 9);
    Leaves(cr, random, c[0], c[1] - c[3] * 0.15, c[2] * 0.85, c[3] * 0.75, NearFoliage(), 13);
  }
  // Flat umbels of cream flowers.
  for (int i = 0; i < 14; ++i) {
    const auto& c = crowns[random.Below(5)];
    double x, y;
    do {
      x = random.Range(-1, 1);
      y = random.Range(-1, 1);
    } while (x * x + y * y > 0.7);
    const double cx = c[0] + x * c[2], cy = c[1] + y * c[3];
    for (int k = 0; k < 9; ++k) {
      const double fx = cx + random.Range(-7, 7);
      Ellipse(cr, fx, cy + random.Range(-3, 3), 2.4, 2);
    }
    FillWith(cr, {0xF4F0D8});
  }
  return canvas;
}

}  // namespace

std::vector<SceneryPicture> DrawFrontScenery() {
  std::vector<SceneryPicture> pictures;
  pictures.push_back({1, 1, DrawOakBough()});
  pictures.push_back({1, 2, DrawRoseBush()});
  pictures.push_back({1, 3, DrawElder()});
  pictures.push_back({1, 4, DrawWillow()});
  pictures.push_back({1, 5, DrawBeechBough()});
  for (SceneryPicture& p : pictures) ClearCornerPixel(p.canvas);
  return pictures;
}

}  // namespace artwork
