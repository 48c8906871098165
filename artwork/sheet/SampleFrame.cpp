// A frame composed with the game's own drawing rules, so that the layers, the targets and the
// display can be judged together, and the hit mask of the same scene beside it.

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

#include "Canvas.h"
#include "Fonts.h"
#include "ContactSheet.h"

namespace artwork::sheet {
namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

struct SceneryItem {
  int group, item, x, y;
};
constexpr SceneryItem kScenery[] = {
    {1, 1, 2900, -3}, {1, 2, 1330, 351}, {1, 3, 400, 147}, {1, 4, 2100, -3}, {1, 5, 900, -3},
    {2, 1, 0, 369},   {2, 2, 1590, 316}, {2, 3, 2280, 209}, {2, 4, 2929, 264}, {3, 1, 0, -3},
    {3, 2, 697, 260}, {3, 3, 1516, 365}, {3, 4, 2217, -3},  {4, 1, 0, 141},    {4, 2, 1307, 240},
    {4, 3, 2757, 200}, {5, 1, -200, -3}, {5, 2, 2962, -3}};

struct Stork {
  int kind;
  double x, y;
  int frame;  // shown frame 0..9, or 1..6 when falling
  bool left, falling;
  int points;
};
constexpr Stork kStorks[] = {{1, 2250, 92, 3, false, false, 0},
                             {2, 2250, 150, 7, true, false, 0},
                             {2, 1700, 205, 6, false, true, 10},
                             {3, 2200, 255, 0, false, false, 0}};

class Frame {
 public:
  explicit Frame(std::uint8_t fill) : pixels_(kScreenWidth * kScreenHeight, fill) {}

  // Draw as the game draws: clipped at the edges, the bottom-left colour left out.
  void Draw(const IndexedImage& picture, int x, int y) {
    const std::uint8_t key = picture.at(0, picture.height - 1);
    for (int py = 0; py < picture.height; ++py) {
      const int sy = y + py;
      if (sy < 0 || sy >= kScreenHeight) continue;
      for (int px = 0; px < picture.width; ++px) {
        const int sx = x + px;
        const std::uint8_t index = picture.at(px, py);
        if (sx >= 0 && sx < kScreenWidth && index != key) pixels_[sy * kScreenWidth + sx] = index;
      }
    }
  }

  void DrawOpaque(const IndexedImage& picture, int x, int y) {
    for (int py = 0; py < picture.height; ++py)
      for (int px = 0; px < picture.width; ++px) {
        const int sx = x + px, sy = y + py;
        if (sx >= 0 && sx < kScreenWidth && sy >= 0 && sy < kScreenHeight)
          pixels_[sy * kScreenWidth + sx] = picture.at(px, py);
      }
  }

  void Paint(cairo_t* cr, const Palette& palette, int at_x, int at_y) const {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kScreenWidth, kScreenHeight);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < kScreenHeight; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
      for (int x = 0; x < kScreenWidth; ++x) {
        const Rgb c = palette[pixels_[y * kScreenWidth + x]];
        row[x] = std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b;
      }
    }
    cairo_surface_mark_dirty(surface);
    cairo_set_source_surface(cr, surface, at_x, at_y);
    cairo_paint(cr);
    cairo_surface_destroy(surface);
  }

 private:
  std::vector<std::uint8_t> pixels_;
};

class Scene {
 public:
  explicit Scene(std::filesystem::path data) : data_(std::move(data)) {}

  const IndexedImage& Picture(const std::string& name) {
    auto found = cache_.find(name);
    if (found == cache_.end()) {
      std::string relative = name;
      for (char& c : relative)
        if (c == '\\') c = '/';
      found = cache_.emplace(name, ReadBmpFile(data_ / relative).image).first;
    }
    return found->second;
  }
  Palette GamePalette() { return ReadBmpFile(data_ / "cdu/tszs.bmp").palette; }

  void DrawNumber(Frame& frame, int x, int y, int value) {
    if (value < 0) {
      const int digits = -value >= 1000 ? 4 : -value >= 100 ? 3 : -value >= 10 ? 2 : 1;
      frame.Draw(Picture("cdu\\11.bmp"), x - 33 * digits, y);
      value = -value;
    }
    int place = 0;
    do {
      frame.Draw(Picture("cdu\\" + std::to_string(value % 10) + ".bmp"), x - 33 * place, y);
      value /= 10;
      ++place;
    } while (value > 0);
  }

  // The layers of the scene; with mask, as the hit test draws them.
  void Compose(Frame& frame, bool mask, int camera, bool targets) {
    const int plane_x = Round((2813 - camera) * 0.32), plane_y = 8;
    for (int layer = 1; layer <= 5; ++layer) {
      for (const SceneryItem& s : kScenery) {
        if (6 - s.group != layer) continue;
        // The farthest scenery hides nothing: every target is drawn over it. Left out, the mask
        // shows which scenery does hide targets.
        if (mask && s.group == 5) continue;
        const std::string name = std::to_string(s.group) + std::to_string(s.item) + ".bmp";
        frame.Draw(Picture((mask ? "ps\\ts" : "cdu\\ts") + name), Round(layer * (s.x - camera) / 5.0) - 2, s.y + 2);
      }
      if (!targets) continue;
      if (layer == 1) {
        frame.Draw(Picture("ani2\\flieger.bmp"), plane_x, plane_y);
        frame.Draw(Picture("ani2\\banner4.bmp"), plane_x - 200, plane_y);
      }
      if (layer == 4) frame.Draw(Picture("ani2\\g2_2.bmp"), Round((2056 - camera) * 0.9), 200);
      for (const Stork& s : kStorks) {
        if (s.kind != layer || (mask && s.falling)) continue;
        const std::string size = s.kind == 1 ? "s_" : s.kind == 2 ? "m_" : "b_";
        const std::string name =
            "animf\\" + std::string(s.falling ? "f" : "") + size + std::to_string(s.frame) + (s.left ? "r" : "") + ".bmp";
        const int screen_x = Round((s.x - camera) * s.kind / 5);
        frame.Draw(Picture(name), screen_x, Round(s.y));
        if (s.falling) DrawNumber(frame, screen_x + Round(Picture(name).width * 0.5), Round(s.y - 30), s.points);
      }
    }
  }

  void DrawDisplay(Frame& frame) {
    frame.Draw(Picture("cdu\\1.bmp"), 3, 7);
    frame.Draw(Picture("cdu\\10.bmp"), 30, 7);
    frame.Draw(Picture("cdu\\3.bmp"), 60, 7);
    frame.Draw(Picture("cdu\\0.bmp"), 93, 7);
    DrawNumber(frame, 580, 7, 125);
    for (int k = 1; k <= 3; ++k) {
      const int half[] = {8, 11, 25};
      frame.Draw(Picture("cdu\\akalib" + std::to_string(k) + ".bmp"), 250 - half[k - 1], 330 - half[k - 1]);
    }
    for (int u = 1; u <= 8; ++u)
      frame.Draw(Picture(u == 8 ? "cdu\\p_3.bmp" : "cdu\\patron.bmp"), 630 - 30 * u, 420);
    frame.Draw(Picture("cdu\\kalib.bmp"), 360 - 16, 230 - 16);
  }

 private:
  std::filesystem::path data_;
  std::map<std::string, IndexedImage> cache_;
};

}  // namespace

void WriteSampleFrame(const std::filesystem::path& data, const std::filesystem::path& png) {
  // The frame at the round's start with its hit mask beside it; below, the landscape alone at the
  // two ends of the scroll.
  Scene scene(data);
  const Palette palette = scene.GamePalette();
  Canvas sheet(2 * kScreenWidth + 10, 2 * kScreenHeight + 10);
  cairo_rectangle(sheet.cr(), 0, 0, sheet.width(), sheet.height());
  FillWith(sheet.cr(), {0x404040});
  Frame frame(0);
  scene.Compose(frame, false, 1500, true);
  scene.DrawDisplay(frame);
  frame.Paint(sheet.cr(), palette, 0, 0);
  // The hit mask with black where the game fills it with the mask colour too, so that the scenery
  // that hides targets (in the mask colour) stands out.
  Frame mask(0);
  scene.Compose(mask, true, 1500, true);
  mask.Paint(sheet.cr(), palette, kScreenWidth + 10, 0);
  TextPath(sheet.cr(), SansBold(), 12, kScreenWidth + 18, kScreenHeight - 8, "hit mask: scenery that hides targets, and the targets");
  FillWith(sheet.cr(), {0xFFFFFF});
  for (int side = 0; side < 2; ++side) {
    Frame landscape(0);
    scene.Compose(landscape, false, side == 0 ? 5 : 2560, false);
    landscape.Paint(sheet.cr(), palette, side * (kScreenWidth + 10), kScreenHeight + 10);
  }
  if (cairo_surface_write_to_png(sheet.surface(), png.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + png.string());
}

}  // namespace artwork::sheet
