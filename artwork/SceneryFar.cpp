// The far layers: the sky with the far blue hills (group 5, layer 1) and the wooded hills over
// the valley fields (group 4, layer 2).

#include <cmath>
#include <vector>

#include "Nature.h"
#include "SceneryParts.h"

namespace artwork {
namespace {

// Group 5: two items at world x -200 and 2962 move at a fifth of the scroll; they stand 632 or 633
// pixels apart on the screen, so a panorama of 632 + 640 columns covers every view.
constexpr int kSkyWidth = 1272;
constexpr int kSkyItemWidth = 640;
constexpr int kSkySecondItem = 632;
constexpr int kSkyHeight = 483;  // screen rows -1 to 481

double FarRidge(double x) {
  return 214 + 12 * std::sin(2 * M_PI * x / 420 + 0.5) + 7 * std::sin(2 * M_PI * x / 150 + 1.3) +
         3 * std::sin(2 * M_PI * x / 53);
}
double NearRidge(double x) { return 240 + 10 * std::sin(2 * M_PI * x / 310 + 2) + 5 * std::sin(2 * M_PI * x / 97 + 0.4); }

void FillBelow(cairo_t* cr, double (*skyline)(double), double x0, double x1, double bottom) {
  cairo_move_to(cr, x0, bottom);
  for (double x = x0; x <= x1; x += 2) cairo_line_to(cr, x, skyline(x));
  cairo_line_to(cr, x1, bottom);
  cairo_close_path(cr);
}

void DrawVillage(cairo_t* cr, double x, double ground) {
  // A church with its spire and a few houses, small with distance.
  const double houses[][3] = {{-26, 7, 6}, {-16, 9, 7}, {14, 8, 6}, {24, 6, 5}, {33, 8, 6}};
  for (const auto& h : houses) {
    cairo_rectangle(cr, x + h[0], ground - h[2], h[1], h[2]);
    FillWith(cr, {0xE8E2D4});
    cairo_move_to(cr, x + h[0] - 1, ground - h[2]);
    cairo_line_to(cr, x + h[0] + h[1] / 2, ground - h[2] - 4);
    cairo_line_to(cr, x + h[0] + h[1] + 1, ground - h[2]);
    FillWith(cr, {0xB45A3E});
  }
  cairo_rectangle(cr, x - 4, ground - 14, 8, 14);
  cairo_rectangle(cr, x + 4, ground - 8, 9, 8);
  FillWith(cr, {0xF0EADC});
  cairo_move_to(cr, x - 5, ground - 14);
  cairo_line_to(cr, x, ground - 27);
  cairo_line_to(cr, x + 5, ground - 14);
  FillWith(cr, {0x5A7468});
  cairo_move_to(cr, x + 3, ground - 8);
  cairo_line_to(cr, x + 8, ground - 12);
  cairo_line_to(cr, x + 14, ground - 8);
  FillWith(cr, {0xA05038});
}

// Field bands in rows parallel to the horizon: a sideways shift of a pixel never shows in them.
struct Band {
  double top;
  Colour colour;
  bool hedge_above;
  bool crop_rows = false;
};

void DrawBands(cairo_t* cr, Random& random, double x0, double x1, const std::vector<Band>& bands, double bottom,
               const FoliageColours& hedges) {
  for (size_t i = 0; i < bands.size(); ++i) {
    const double top = bands[i].top, end = i + 1 < bands.size() ? bands[i + 1].top : bottom;
    cairo_rectangle(cr, x0, top, x1 - x0, end - top);
    SetVerticalGradient(cr, top, Mix(bands[i].colour, {0xFFFFFF}, 0.08), end, Mix(bands[i].colour, {0x000000}, 0.1));
    cairo_fill(cr);
    if (!bands[i].crop_rows) continue;
    // Crop rows: faint lines along the band, further apart as they come nearer.
    const double spacing = 2 + (top - 240) / 30;
    for (double y = top + spacing; y < end - 1; y += spacing) {
      cairo_move_to(cr, x0, y);
      cairo_line_to(cr, x1, y);
    }
    StrokeWith(cr, Mix(bands[i].colour, {0x000000}, 0.1), 0.8);
  }
  for (const Band& band : bands) {
    if (!band.hedge_above) continue;
    const double size = 1.5 + (band.top - 240) / 26;
    for (double x = x0; x < x1; x += size * random.Range(0.9, 1.6)) {
      const double rx = size * random.Range(0.9, 1.5);
      Ellipse(cr, x, band.top - size * 0.3, rx, size * random.Range(0.6, 1.0));
    }
    FillWith(cr, hedges.dark);
    for (double x = x0; x < x1; x += size * random.Range(1.5, 3)) {
      Ellipse(cr, x - size * 0.3, band.top - size * 0.6, size * random.Range(0.5, 0.9), size * 0.45);
    }
    FillWith(cr, hedges.mid);
  }
}

}  // namespace

Canvas DrawSkyPanorama() {
  Canvas panorama(kSkyWidth, kSkyHeight);
  cairo_t* cr = panorama.cr();
  cairo_translate(cr, 0, 1);  // draw in screen rows
  Random random(5);
  cairo_rectangle(cr, 0, -1, kSkyWidth, kSkyHeight);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 250);
  cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.22, 0.45, 0.77);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.52, 0.73, 0.90);
  cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.83, 0.92, 0.96);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  // The afternoon sun, high on the left, with its glow.
  cairo_pattern_t* glow = cairo_pattern_create_radial(250, 62, 0, 250, 62, 110);
  cairo_pattern_add_color_stop_rgba(glow, 0.0, 0.96, 0.98, 1.0, 1.0);
  cairo_pattern_add_color_stop_rgba(glow, 0.25, 0.90, 0.95, 0.99, 0.7);
  cairo_pattern_add_color_stop_rgba(glow, 1.0, 0.85, 0.92, 0.98, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  Ellipse(cr, 250, 62, 15, 15);
  FillWith(cr, {0xFFFBE6});
  // Clouds, none across the join of the two items.
  const double clouds[][4] = {{110, 70, 130, 30}, {430, 128, 170, 34}, {560, 42, 90, 20},
                              {790, 88, 150, 36}, {1000, 52, 110, 24}, {1180, 132, 140, 30}};
  for (const auto& c : clouds) Cloud(cr, random, c[0], c[1], c[2], c[3]);
  // Far blue hills, then a nearer green ridge with a village and rows of trees.
  FillBelow(cr, FarRidge, 0, kSkyWidth, 300);
  SetVerticalGradient(cr, 200, {0x98AEC4}, 260, {0xA6BAC2});
  cairo_fill(cr);
  DrawVillage(cr, 905, NearRidge(905) + 2);
  FillBelow(cr, NearRidge, 0, kSkyWidth, 300);
  SetVerticalGradient(cr, 228, {0x82A08C}, 262, {0x74966A});
  cairo_fill(cr);
  for (double x = 4; x < kSkyWidth; x += random.Range(5, 16)) {
    if (std::abs(x - 905) < 45) continue;
    const double rx = random.Range(2.5, 4.5);
    Ellipse(cr, x, NearRidge(x) + 1, rx, random.Range(2, 3.5));
  }
  FillWith(cr, {0x5E8268});
  DrawBands(cr, random, 0, kSkyWidth,
            {{250, {0x8CAA6A}, true}, {257, {0xB8BC78}, false, true}, {266, {0x7CA25A}, true}, {280, {0xC2B46C}, false, true},
             {298, {0x6C9A48}, true}, {330, {0x8AAE52}, false}, {380, {0x64923E}, true}, {430, {0x76A044}, false}},
            kGroundBottom, FarFoliage());
  return panorama;
}

namespace {

// Group 4: items at world x 0, 1307 and 2757 move at two fifths of the scroll, so they stand
// 523 and 1103 pixels into one panorama; their tops are at screen rows 143, 242 and 202.
constexpr int kHillsWidth = 1713;
static_assert(kHillsTop == ScreenTop(141));
constexpr int kHillsItemX[] = {0, 523, 1103};
constexpr int kHillsItemWidth[] = {563, 620, 610};
constexpr int kHillsItemTop[] = {ScreenTop(141), ScreenTop(240), ScreenTop(200)};
constexpr double kMeadowLine = 298;

// The skyline of the hills through its key points, smoothly.
double HillsSkyline(double x) {
  static constexpr double kKeys[][2] = {{-100, 300}, {0, 262}, {70, 222}, {170, 192}, {260, 186}, {350, 200},
                                        {440, 240}, {523, 266}, {610, 258}, {700, 270}, {800, 254}, {900, 262},
                                        {1000, 276}, {1103, 266}, {1190, 246}, {1290, 228}, {1360, 226},
                                        {1450, 236}, {1560, 256}, {1713, 270}, {1850, 280}};
  constexpr int n = sizeof(kKeys) / sizeof(kKeys[0]);
  int i = 1;
  while (i < n - 2 && kKeys[i + 1][0] < x) ++i;
  const double t = (x - kKeys[i][0]) / (kKeys[i + 1][0] - kKeys[i][0]);
  const double p0 = kKeys[i - 1][1], p1 = kKeys[i][1], p2 = kKeys[i + 1][1], p3 = kKeys[i + 2][1];
  return 0.5 * (2 * p1 + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t + (-p0 + 3 * p1 - 3 * p2 + p3) * t * t * t);
}

void DrawFarmhouse(cairo_t* cr, double x, double ground) {
  cairo_rectangle(cr, x, ground - 12, 24, 12);
  SetVerticalGradient(cr, ground - 12, {0xF2EEE2}, ground, {0xC8C0AC});
  cairo_fill(cr);
  cairo_move_to(cr, x - 3, ground - 12);
  cairo_line_to(cr, x + 8, ground - 21);
  cairo_line_to(cr, x + 22, ground - 21);
  cairo_line_to(cr, x + 27, ground - 12);
  cairo_close_path(cr);
  FillWith(cr, {0xB8462E});
  cairo_rectangle(cr, x + 4, ground - 9, 3, 4);
  cairo_rectangle(cr, x + 16, ground - 9, 3, 4);
  FillWith(cr, {0x3A3A44});
  cairo_rectangle(cr, x + 30, ground - 10, 14, 10);
  FillWith(cr, {0x8A5A34});
  cairo_move_to(cr, x + 29, ground - 10);
  cairo_line_to(cr, x + 37, ground - 16);
  cairo_line_to(cr, x + 45, ground - 10);
  FillWith(cr, {0x6A4A34});
}

void DrawChapel(cairo_t* cr, double x, double ground) {
  cairo_rectangle(cr, x, ground - 14, 22, 14);
  cairo_rectangle(cr, x - 8, ground - 26, 9, 26);
  SetVerticalGradient(cr, ground - 26, {0xF6F2E8}, ground, {0xCCC4B0});
  cairo_fill(cr);
  cairo_move_to(cr, x - 10, ground - 26);
  cairo_line_to(cr, x - 3.5, ground - 36);
  cairo_line_to(cr, x + 3, ground - 26);
  FillWith(cr, {0x5C4A44});
  cairo_move_to(cr, x - 1, ground - 14);
  cairo_line_to(cr, x + 11, ground - 21);
  cairo_line_to(cr, x + 24, ground - 14);
  FillWith(cr, {0xA8442E});
  Ellipse(cr, x - 3.5, ground - 20, 1.6, 2.2);
  FillWith(cr, {0x3A3440});
}

}  // namespace

Canvas DrawHillsPanorama() {
  Canvas panorama(kHillsWidth, kGroundBottom - kHillsTop);
  cairo_t* cr = panorama.cr();
  cairo_translate(cr, 0, -kHillsTop);
  Random random(4);
  // The hills, lit from the left: slopes that fall to the right lie in shade.
  cairo_move_to(cr, 0, kGroundBottom);
  for (double x = 0; x <= kHillsWidth; x += 1) cairo_line_to(cr, x, HillsSkyline(x));
  cairo_line_to(cr, kHillsWidth, kGroundBottom);
  cairo_close_path(cr);
  SetVerticalGradient(cr, 180, {0x86AE52}, kMeadowLine, {0x5A8A3A});
  cairo_fill(cr);
  for (int x = 0; x < kHillsWidth; ++x) {
    const double slope = HillsSkyline(x + 2) - HillsSkyline(x - 2);
    if (std::abs(slope) < 0.2) continue;
    const double top = HillsSkyline(x);
    cairo_rectangle(cr, x, top, 1, kMeadowLine - top);
    SetVerticalGradient(cr, top, slope > 0 ? Colour{0x2E5A24, std::min(0.45, slope * 0.12)} : Colour{0xE8F0A0, std::min(0.3, -slope * 0.08)},
                        kMeadowLine, {0x2E5A24, 0});
    cairo_fill(cr);
  }
  // Pale meadows and dark bushes on the slopes, kept off the columns where the items join.
  auto near_join = [](double x) {
    for (double join : {523.0, 563.0, 1103.0, 1143.0})
      if (std::abs(x - join) < 10) return true;
    return false;
  };
  for (int i = 0; i < 40; ++i) {
    const double x = random.Range(20, kHillsWidth - 20);
    const double y = random.Range(HillsSkyline(x) + 12, kMeadowLine - 8);
    if (near_join(x) || y > kMeadowLine - 8) continue;
    const double rx = random.Range(14, 30);
    Ellipse(cr, x, y, rx, random.Range(3, 6));
    FillWith(cr, {0x94B85A, 0.35});
  }
  for (int i = 0; i < 140; ++i) {
    const double x = random.Range(10, kHillsWidth - 10);
    const double y = random.Range(HillsSkyline(x) + 8, kMeadowLine - 4);
    if (near_join(x) || y > kMeadowLine - 4) continue;
    const double r = 1.8 + 3.5 * (y - 200) / 100;
    Ellipse(cr, x, y, r * 1.3, r);
    FillWith(cr, {0x3C6A30});
    Ellipse(cr, x - r * 0.3, y - r * 0.35, r * 0.7, r * 0.5);
    FillWith(cr, {0x6E9A44});
  }
  // A beech wood on the big hill, solitary trees and a farm in the dip, a chapel on the far hill.
  for (double x = 60; x < 470; x += random.Range(9, 15)) {
    const double top = HillsSkyline(x);
    const double r = random.Range(11, 17) * (top < 215 ? 1.0 : 0.75);
    Crown(cr, random, x, top + r * 0.35, r, r * 0.9, FarFoliage(), 4.5);
  }
  for (double x : {640.0, 700.0, 980.0, 1030.0, 1190.0, 1470.0, 1610.0}) {
    const double ground = HillsSkyline(x) + 8;
    Trunk(cr, x, ground + 2, ground - 6, 2.6, {0x5A4030});
    Crown(cr, random, x, ground - 11, 8, 7, FarFoliage(), 3.2);
  }
  DrawFarmhouse(cr, 840, HillsSkyline(850) + 20);
  DrawChapel(cr, 1330, HillsSkyline(1330) + 6);
  for (double x : {1300.0, 1372.0, 1388.0}) Crown(cr, random, x, HillsSkyline(x) + 2, 9, 8, FarFoliage(), 3.2);
  // The valley floor: fields and meadows in bands, hedgerows between them.
  DrawBands(cr, random, 0, kHillsWidth,
            {{kMeadowLine, {0x74A040}, true}, {312, {0xCDB866}, false, true}, {330, {0x86AE4A}, true},
             {354, {0x64963A}, false}, {382, {0xBCC274}, true, true}, {414, {0x6CA03E}, false}, {448, {0x76A844}, true}},
            kGroundBottom, MiddleFoliage());
  return panorama;
}

Canvas Cut(const Canvas& panorama, int x, int y, int width, int height) {
  Canvas picture(width, height);
  cairo_set_source_surface(picture.cr(), panorama.surface(), -x, -y);
  cairo_paint(picture.cr());
  return picture;
}

std::vector<SceneryPicture> DrawFarScenery() {
  std::vector<SceneryPicture> pictures;
  const Canvas sky = DrawSkyPanorama();
  pictures.push_back({5, 1, Cut(sky, 0, 0, kSkyItemWidth, kSkyHeight)});
  pictures.push_back({5, 2, Cut(sky, kSkySecondItem, 0, kSkyItemWidth, kSkyHeight)});
  const Canvas hills = DrawHillsPanorama();
  for (int i = 0; i < 3; ++i) {
    const int top = kHillsItemTop[i] - kHillsTop;
    pictures.push_back({4, i + 1, Cut(hills, kHillsItemX[i], top, kHillsItemWidth[i], kGroundBottom - kHillsItemTop[i])});
  }
  for (SceneryPicture& p : pictures) ClearCornerPixel(p.canvas);
  return pictures;
}

}  // namespace artwork
