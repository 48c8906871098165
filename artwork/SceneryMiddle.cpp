// The middle layers: trees, hedges and a poppy meadow (group 3, layer 3), and the near strip of
// grass, reeds, fence posts and a pond where the moles come up (group 2, layer 4).

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "Nature.h"
#include "SceneryParts.h"

namespace artwork {
namespace {

// A picture drawn in screen rows: its top edge is the item's screen row.
Canvas ItemCanvas(int width, int top) {
  Canvas canvas(width, kGroundBottom - top);
  cairo_translate(canvas.cr(), 0, -top);
  return canvas;
}

// A patch of ground with a lumpy top edge that runs into the bottom of the screen.
// A patch of ground with a lumpy, grassy top edge that runs into the bottom of the screen.
void GroundPatch(cairo_t* cr, Random& random, double x0, double x1, double top, double lumps, Colour colour,
                 double blades, const FoliageColours& grass) {
  std::vector<std::pair<double, double>> edge;
  const int steps = static_cast<int>((x1 - x0) / 10) + 2;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    // Long, gentle ends, so the patch runs out into the meadow instead of ending in a mound.
    const double end = std::min(1.0, std::min(t, 1 - t) / 0.22);
    const double ease = end * end * (3 - 2 * end);
    const double y = top + random.Range(-lumps, lumps);
    edge.emplace_back(x0 + t * (x1 - x0), kGroundBottom - (kGroundBottom - y) * ease);
  }
  cairo_move_to(cr, x0, kGroundBottom);
  for (const auto& [x, y] : edge) cairo_line_to(cr, x, y);
  cairo_line_to(cr, x1, kGroundBottom);
  cairo_close_path(cr);
  SetVerticalGradient(cr, top, Mix(colour, {0xFFFFFF}, 0.06), kGroundBottom, Mix(colour, {0x000000}, 0.12));
  cairo_fill(cr);
  // Grass along the whole edge hides its line.
  for (size_t i = 0; i + 1 < edge.size(); ++i) {
    const auto [xa, ya] = edge[i];
    const auto [xb, yb] = edge[i + 1];
    if (kGroundBottom - ya < 3 && kGroundBottom - yb < 3) continue;
    Grass(cr, random, xa, xb, (ya + yb) / 2 + 2, blades, 8, grass);
  }
}

void Hedge(cairo_t* cr, Random& random, double x0, double x1, double top, double bottom, const FoliageColours& colours) {
  const double height = bottom - top;
  for (double x = x0 + height * 0.4; x < x1 - height * 0.3; x += height * random.Range(0.45, 0.7)) {
    const double r = height * random.Range(0.4, 0.55);
    Crown(cr, random, x, bottom - r, r * random.Range(1.0, 1.3), r, colours, std::max(3.0, height / 7));
  }
}

// Group 3 item 1: an old oak with a hedge running off to the right.
Canvas DrawOak() {
  const int top = ScreenTop(-3);
  Canvas canvas = ItemCanvas(400, top);
  cairo_t* cr = canvas.cr();
  Random random(31);
  GroundPatch(cr, random, 16, 384, 372, 4, {0x62A03C}, 14, MiddleFoliage());
  Hedge(cr, random, 220, 372, 318, 380, MiddleFoliage());
  Trunk(cr, 172, 384, 150, 32, {0x5E4634});
  const double limbs[][4] = {{168, 230, 96, 170}, {176, 220, 262, 160}, {172, 200, 150, 90}, {174, 190, 220, 96}};
  for (const auto& l : limbs) TaperedSegment(cr, l[0], l[1], 14, l[2], l[3], 5);
  FillWith(cr, {0x4E3A2A});
  Crown(cr, random, 96, 170, 72, 52, MiddleFoliage(), 9);
  Crown(cr, random, 262, 168, 84, 56, MiddleFoliage(), 9);
  Crown(cr, random, 176, 92, 118, 74, MiddleFoliage(), 10);
  Crown(cr, random, 130, 112, 70, 48, MiddleFoliage(), 9);
  Crown(cr, random, 236, 118, 74, 50, MiddleFoliage(), 9);
  Grass(cr, random, 30, 370, 384, 14, 240, MiddleFoliage());
  Flowers(cr, random, 30, 370, 392, 470, 60, {{0xFFFFFF}, {0xF4D84A}, {0xD83A2A}}, 1.6);
  return canvas;
}

// Group 3 item 2: a long hedgerow with two young trees.
Canvas DrawHedgerow() {
  const int top = ScreenTop(260);
  Canvas canvas(460, 122);
  cairo_t* cr = canvas.cr();
  cairo_translate(cr, 0, -top);
  Random random(32);
  for (double x : {120.0, 330.0}) {
    Trunk(cr, x, 350, 300, 6, {0x5A4434});
    Crown(cr, random, x, 292, 24, 26, MiddleFoliage(), 6);
  }
  Hedge(cr, random, 24, 440, 318, 372, MiddleFoliage());
  // Its shadow on the grass and the tufts along its foot.
  Ellipse(cr, 230, 374, 214, 6);
  FillWith(cr, {0x2E5A24});
  Grass(cr, random, 26, 434, 378, 9, 200, MiddleFoliage());
  Flowers(cr, random, 20, 440, 366, 376, 30, {{0xFFFFFF}, {0xE8C8F0}}, 1.3);
  return canvas;
}

// Group 3 item 3: a meadow bright with poppies, daisies and cornflowers.
Canvas DrawPoppyMeadow() {
  const int top = ScreenTop(365);
  Canvas canvas = ItemCanvas(420, top);
  cairo_t* cr = canvas.cr();
  Random random(33);
  GroundPatch(cr, random, 16, 404, 392, 4, {0x6AA63E}, 14, MiddleFoliage());
  Grass(cr, random, 30, 390, 398, 16, 300, MiddleFoliage());
  Flowers(cr, random, 16, 404, 380, 476, 180, {{0xD8281C}, {0xE84A2C}, {0xFFFFFF}, {0x4A6AD8}}, 2.2);
  Flowers(cr, random, 30, 390, 384, 470, 40, {{0x1A1A1A}}, 0.7);
  return canvas;
}

// Group 3 item 4: three poplars over a hedge, and a field gate.
Canvas DrawPoplars() {
  const int top = ScreenTop(-3);
  Canvas canvas = ItemCanvas(430, top);
  cairo_t* cr = canvas.cr();
  Random random(34);
  GroundPatch(cr, random, 16, 414, 366, 4, {0x62A03C}, 14, MiddleFoliage());
  Hedge(cr, random, 40, 280, 322, 376, MiddleFoliage());
  const double poplars[][3] = {{108, 52, 330}, {168, 22, 340}, {232, 70, 335}};
  for (const auto& p : poplars) {
    Trunk(cr, p[0], p[2] + 30, p[2] - 40, 9, {0x6A5644});
    const double height = p[2] - p[1];
    Crown(cr, random, p[0], p[1] + height * 0.5, 21, height * 0.5, MiddleFoliage(), 5);
  }
  // The gate: two posts and three rails.
  Post(cr, 310, 398, 56, 8);
  Post(cr, 404, 398, 56, 8);
  for (double y : {352.0, 366.0, 380.0}) {
    cairo_rectangle(cr, 312, y, 90, 4);
    FillWith(cr, {0x8A6E50});
  }
  cairo_move_to(cr, 314, 384);
  cairo_line_to(cr, 400, 354);
  StrokeWith(cr, {0x7A5E42}, 4);
  Grass(cr, random, 30, 400, 390, 16, 280, MiddleFoliage());
  Flowers(cr, random, 30, 400, 396, 476, 50, {{0xFFFFFF}, {0xF4D84A}}, 1.7);
  return canvas;
}

// Group 2 item 1: a grassy bank with reeds and two old posts.
Canvas DrawBank() {
  const int top = ScreenTop(369);
  Canvas canvas = ItemCanvas(700, top);
  cairo_t* cr = canvas.cr();
  Random random(21);
  GroundPatch(cr, random, 16, 684, 410, 5, {0x70AA40}, 20, NearFoliage());
  Reeds(cr, random, 70, 160, 428, 50, 10);
  Post(cr, 260, 436, 58, 11);
  Post(cr, 560, 438, 54, 11);
  Reeds(cr, random, 420, 500, 430, 50, 9);
  Grass(cr, random, 10, 690, 430, 22, 420, NearFoliage());
  Flowers(cr, random, 20, 680, 436, 478, 50, {{0xFFFFFF}, {0xF4D84A}}, 2.2);
  return canvas;
}

// Group 2 item 2: a pasture fence with sagging wires.
Canvas DrawFence() {
  const int top = ScreenTop(316);
  Canvas canvas = ItemCanvas(520, top);
  cairo_t* cr = canvas.cr();
  Random random(22);
  GroundPatch(cr, random, 16, 504, 412, 5, {0x70AA40}, 20, NearFoliage());
  const double posts[] = {40, 170, 300, 430};
  for (double wire : {350.0, 382.0}) {
    for (int i = 0; i + 1 < 4; ++i) {
      cairo_move_to(cr, posts[i], wire);
      cairo_curve_to(cr, posts[i] + 40, wire + 6, posts[i + 1] - 40, wire + 6, posts[i + 1], wire);
    }
    StrokeWith(cr, {0x3A3A3A}, 1.2);
  }
  for (double x : posts) Post(cr, x, 436, 106, 12);
  Reeds(cr, random, 450, 510, 432, 90, 8);
  Grass(cr, random, 10, 510, 432, 22, 320, NearFoliage());
  Flowers(cr, random, 20, 500, 438, 478, 40, {{0xFFFFFF}, {0xC878D8}}, 2.2);
  return canvas;
}

// Group 2 item 3: bulrushes round a tall post with a nesting box.
Canvas DrawNestingBox() {
  const int top = ScreenTop(209);
  Canvas canvas = ItemCanvas(300, top);
  cairo_t* cr = canvas.cr();
  Random random(23);
  GroundPatch(cr, random, 16, 284, 428, 5, {0x70AA40}, 20, NearFoliage());
  Post(cr, 150, 446, 200, 10);
  // The box with its roof and hole.
  cairo_rectangle(cr, 134, 224, 32, 30);
  SetVerticalGradient(cr, 224, {0xA07A52}, 254, {0x6A4C30});
  cairo_fill(cr);
  cairo_move_to(cr, 128, 226);
  cairo_line_to(cr, 150, 213);
  cairo_line_to(cr, 172, 226);
  cairo_close_path(cr);
  FillWith(cr, {0x7A3A26});
  Ellipse(cr, 150, 238, 5, 5);
  FillWith(cr, {0x1E140C});
  Reeds(cr, random, 20, 130, 440, 170, 14);
  Reeds(cr, random, 172, 284, 440, 150, 12);
  Grass(cr, random, 10, 290, 446, 22, 220, NearFoliage());
  return canvas;
}

// Group 2 item 4: the edge of a pond with water lilies and reeds.
Canvas DrawPond() {
  const int top = ScreenTop(264);
  Canvas canvas = ItemCanvas(400, top);
  cairo_t* cr = canvas.cr();
  Random random(24);
  Ellipse(cr, 200, 430, 190, 40);
  SetVerticalGradient(cr, 390, {0x9ACCE8}, 470, {0x3E7AA8});
  cairo_fill(cr);
  for (double y = 398; y < 466; y += 7) {
    const double half = 180 * std::sqrt(std::max(0.0, 1 - std::pow((y - 430) / 40, 2)));
    cairo_move_to(cr, 200 - half * 0.8 + random.Range(0, 20), y);
    cairo_line_to(cr, 200 + half * 0.8 - random.Range(0, 20), y);
  }
  StrokeWith(cr, {0xD8ECF6}, 1);
  for (int i = 0; i < 6; ++i) {
    const double x = random.Range(90, 310), y = random.Range(410, 455);
    cairo_move_to(cr, x, y);
    cairo_arc(cr, x, y, 7, 0.3, 2 * M_PI - 0.3);
    cairo_close_path(cr);
    FillWith(cr, {0x3E8A34});
    if (i % 2 == 0) {
      Ellipse(cr, x - 2, y - 2, 3, 2.4);
      FillWith(cr, {0xF6D6E8});
    }
  }
  Reeds(cr, random, 10, 110, 420, 150, 14);
  Reeds(cr, random, 300, 370, 424, 130, 12);
  GroundPatch(cr, random, 16, 384, 462, 4, {0x70AA40}, 20, NearFoliage());
  Grass(cr, random, 10, 390, 466, 20, 260, NearFoliage());
  return canvas;
}

}  // namespace

std::vector<SceneryPicture> DrawMiddleScenery() {
  std::vector<SceneryPicture> pictures;
  pictures.push_back({3, 1, DrawOak()});
  pictures.push_back({3, 2, DrawHedgerow()});
  pictures.push_back({3, 3, DrawPoppyMeadow()});
  pictures.push_back({3, 4, DrawPoplars()});
  pictures.push_back({2, 1, DrawBank()});
  pictures.push_back({2, 2, DrawFence()});
  pictures.push_back({2, 3, DrawNestingBox()});
  pictures.push_back({2, 4, DrawPond()});
  for (SceneryPicture& p : pictures) ClearCornerPixel(p.canvas);
  return pictures;
}

}  // namespace artwork
