// The start screen's pictures, written beside the game data in "start\": the title logo, a round
// emblem and the background artwork of the start panel (641 x 477). All three are keyed by their
// bottom-left pixel, like every picture the game lays over something else.

#include <cmath>

#include "Artwork.h"
#include "Lettering.h"
#include "Nature.h"
#include "SceneryParts.h"
#include "StorkDrawing.h"

namespace artwork {
namespace {

constexpr int kPanelWidth = 641;
constexpr int kPanelHeight = 477;

IndexedImage DrawLogo(DataWriter& out) {
  Canvas canvas(330, 96);
  cairo_t* cr = canvas.cr();
  HeadlineText(cr, SerifBoldItalic(), 70, 158, 78, "Veltranzik", 3);
  SavedState saved(cr);
  cairo_translate(cr, 290, 24);
  cairo_scale(cr, 0.3, 0.3);
  StorkPose pose;
  pose.near_wing = pose.far_wing = 50;
  DrawStork(cr, pose, 1 / 0.3);
  return out.Sprite(canvas, "start logo");
}

// A blue badge with a gold rim and a stork's head in profile.
IndexedImage DrawEmblem(DataWriter& out) {
  Canvas canvas(64, 64);
  cairo_t* cr = canvas.cr();
  Ellipse(cr, 32, 32, 29, 29);
  FillWith(cr, {0xD8B040});
  Ellipse(cr, 32, 32, 25.5, 25.5);
  SetVerticalGradient(cr, 6, {0x5C9AE0}, 58, {0x1E4A9C});
  cairo_fill(cr);
  // Neck and head, the long red bill reaching out to the rim.
  cairo_move_to(cr, 14, 58);
  cairo_curve_to(cr, 16, 44, 18, 32, 26, 24);
  cairo_curve_to(cr, 32, 18, 40, 20, 40, 27);
  cairo_curve_to(cr, 36, 30, 32, 34, 30, 42);
  cairo_curve_to(cr, 29, 48, 30, 54, 32, 58);
  cairo_close_path(cr);
  SetColour(cr, {0xFAFAF6});
  cairo_fill_preserve(cr);
  StrokeWith(cr, {0x5C626C}, 1);
  cairo_move_to(cr, 38, 22.5);
  cairo_line_to(cr, 56, 33);
  cairo_line_to(cr, 39, 28);
  cairo_close_path(cr);
  SetColour(cr, {0xE0321E});
  cairo_fill_preserve(cr);
  StrokeWith(cr, {0x8A120C}, 0.8);
  Ellipse(cr, 33.5, 24, 1.8, 1.8);
  FillWith(cr, {0x101010});
  Ellipse(cr, 32, 32, 29, 29);
  StrokeWith(cr, {0x5A4010}, 1.2);
  return out.Sprite(canvas, "start emblem");
}

// The landscape behind the start panel, with rounded corners.
IndexedImage DrawBackground(DataWriter& out) {
  Canvas canvas(kPanelWidth, kPanelHeight);
  cairo_t* cr = canvas.cr();
  RoundedRectangle(cr, 0, 0, kPanelWidth, kPanelHeight, 14);
  cairo_clip(cr);
  const Canvas sky = DrawSkyPanorama();
  cairo_set_source_surface(cr, sky.surface(), -560, -20);
  cairo_paint(cr);
  const Canvas hills = DrawHillsPanorama();
  cairo_set_source_surface(cr, hills.surface(), -1050, kHillsTop - 10);
  cairo_paint(cr);
  for (const SceneryPicture& p : DrawMiddleScenery()) {
    if (p.group == 3 && p.item == 1) cairo_set_source_surface(cr, p.canvas.surface(), -20, -8);
    else if (p.group == 2 && p.item == 4) cairo_set_source_surface(cr, p.canvas.surface(), 300, ScreenTop(264) - 8);
    else continue;
    cairo_paint(cr);
  }
  const struct {
    double x, y, scale, wing;
  } storks[] = {{520, 90, 0.5, 40}, {420, 150, 0.35, -10}};
  for (const auto& s : storks) {
    SavedState saved(cr);
    cairo_translate(cr, s.x, s.y);
    cairo_scale(cr, -s.scale, s.scale);  // flying left, towards the oak
    StorkPose pose;
    pose.near_wing = pose.far_wing = s.wing;
    DrawStork(cr, pose, 1 / s.scale);
  }
  IndexedImage image = out.Keyed(canvas, 8);
  return image;
}

}  // namespace

void MakeStartScreen(DataWriter& out) {
  out.Picture("start\\logo.bmp", DrawLogo(out));
  out.Picture("start\\emblem.bmp", DrawEmblem(out));
  out.Picture("start\\back.bmp", DrawBackground(out));
}

}  // namespace artwork
