#include "ContactSheet.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "Canvas.h"
#include "Fonts.h"

namespace artwork::sheet {
namespace {

constexpr int kSheetWidth = 2000;
constexpr int kMargin = 14;
constexpr int kGap = 12;
constexpr int kLabelHeight = 16;
constexpr double kLabelSize = 11;

// Pictures the game copies without a colour key show whole.
bool DrawnOpaque(const std::string& name) {
  for (const char* opaque : {"cdu\\bpwb.bmp", "cdu\\tszs.bmp", "cdu\\weitr.bmp", "cdu\\wartn.bmp"})
    if (name == opaque) return true;
  return false;
}

// Pictures of one kind share a row: the name up to its first digit.
std::string Family(const std::string& name) {
  const auto digit = std::find_if(name.begin(), name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  return std::string(name.begin(), digit);
}

struct Placed {
  const NamedPicture* picture;
  int x, y, width, height;
};

}  // namespace

void WriteContactSheet(const std::vector<NamedPicture>& pictures, const std::string& filter, int scale,
                       const std::filesystem::path& png) {
  std::vector<Placed> placed;
  int x = kMargin, y = kMargin, row_height = 0, sheet_width = kSheetWidth;
  std::string family;
  for (const NamedPicture& p : pictures) {
    if (p.name.find(filter) == std::string::npos) continue;
    const int w = p.picture.image.width * scale, h = p.picture.image.height * scale;
    const int cell = std::max(w, 110);
    // A new kind of picture starts a new row unless it is small and the row has room.
    const bool new_family = !placed.empty() && Family(p.name) != family && (h > 120 || row_height > 120);
    if (!placed.empty() && (new_family || x + cell > kSheetWidth - kMargin)) {
      x = kMargin;
      y += row_height + kLabelHeight + kGap;
      row_height = 0;
    }
    family = Family(p.name);
    placed.push_back({&p, x, y, w, h});
    x += cell + kGap;
    row_height = std::max(row_height, h);
    sheet_width = std::max(sheet_width, x + kMargin);
  }
  if (placed.empty()) throw std::runtime_error("no picture matches \"" + filter + "\"");
  const int sheet_height = y + row_height + kLabelHeight + kMargin;

  Canvas sheet(sheet_width, sheet_height);
  cairo_t* cr = sheet.cr();
  cairo_rectangle(cr, 0, 0, sheet_width, sheet_height);
  FillWith(cr, {0x8C8C8C});
  for (const Placed& p : placed) {
    cairo_surface_t* picture = ToCairo(p.picture->picture, !DrawnOpaque(p.picture->name));
    {
      SavedState saved(cr);
      cairo_translate(cr, p.x, p.y);
      cairo_scale(cr, scale, scale);
      cairo_set_source_surface(cr, picture, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
      cairo_paint(cr);
    }
    cairo_surface_destroy(picture);
    // A thin frame shows each picture's own size.
    cairo_rectangle(cr, p.x - 0.5, p.y - 0.5, p.width + 1, p.height + 1);
    StrokeWith(cr, {0x6A6A6A}, 1);
    TextPath(cr, SansBold(), kLabelSize, p.x, p.y + p.height + 12, p.picture->name.c_str());
    FillWith(cr, {0x101010});
  }
  if (cairo_surface_write_to_png(sheet.surface(), png.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + png.string());
}

}  // namespace artwork::sheet
