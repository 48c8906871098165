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
  for (const auto& l : leaves) Crown(cr, random, l[0], l[1], l[2], l[3], colours, leaf);
}

Canvas HangingCanvas(int width, int height) {
  Canvas canvas(width, height);
  cairo_translate(canvas.cr(), 0, -ScreenTop(-3));
  return canvas;
}

// Group 1 item 1: an oak bough.
Canvas DrawOakBough() {
  Canvas canvas = HangingCanvas(320, 160);
  cairo_t* cr = canvas.cr();
  Random random(11);
  Bough(cr, random,
        {{300, -4, 150, 60, 16}, {220, 28, 90, 110, 8}, {170, 50, 210, 128, 7}, {260, 12, 300, 84, 7}, {120, 80, 40, 96, 5}},
        {{150, 40, 90, 38}, {86, 100, 54, 36}, {212, 112, 48, 34}, {292, 70, 28, 44}, {40, 92, 36, 26}, {230, 20, 80, 22}},
        NearFoliage(), 11);
  return canvas;
}

// Group 1 item 4: a willow whose thin twigs hang far down.
Canvas DrawWillow() {
  Canvas canvas = HangingCanvas(340, 200);
  cairo_t* cr = canvas.cr();
  Random random(14);
  TaperedSegment(cr, 10, -4, 18, 320, 30, 6);
  FillWith(cr, kBark);
  for (int i = 0; i < 46; ++i) {
    const double x = random.Range(20, 320), y = 2 + (x - 10) * 0.1 + random.Range(-3, 3);
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
  Crown(cr, random, 60, 10, 60, 18, NearFoliage(), 7);
  Crown(cr, random, 230, 28, 70, 20, NearFoliage(), 7);
  return canvas;
}

// Group 1 item 5: a beech bough.
Canvas DrawBeechBough() {
  Canvas canvas = HangingCanvas(280, 150);
  cairo_t* cr = canvas.cr();
  Random random(15);
  Bough(cr, random, {{20, -4, 150, 70, 13}, {90, 30, 40, 108, 6}, {150, 70, 250, 104, 6}, {120, 50, 160, 126, 5}},
        {{130, 48, 80, 34}, {52, 98, 42, 34}, {236, 100, 40, 30}, {160, 116, 40, 26}, {40, 20, 46, 22}},
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
  Canvas canvas(280, kGroundBottom - top);
  cairo_t* cr = canvas.cr();
  cairo_translate(cr, 0, -top);
  Random random(13);
  const double stems[][4] = {{120, 482, 90, 220}, {140, 482, 170, 190}, {150, 482, 220, 280}, {110, 482, 50, 300}};
  for (const auto& s : stems) TaperedSegment(cr, s[0], s[1], 10, s[2], s[3], 4);
  FillWith(cr, {0x5A4A3A});
  const double crowns[][4] = {{90, 230, 70, 60}, {176, 206, 70, 54}, {224, 296, 52, 56}, {60, 318, 56, 60},
                              {140, 300, 90, 80}, {130, 420, 124, 78}, {40, 430, 40, 60}};
  for (const auto& c : crowns) Crown(cr, random, c[0], c[1], c[2], c[3], NearFoliage(), 10);
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
