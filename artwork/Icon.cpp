#include "Icon.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "StorkDrawing.h"

namespace artwork {
namespace {

constexpr Colour kSkyTop{0x9CD4F8};
constexpr Colour kSkyBottom{0x2C78C8};
constexpr Colour kRim{0x123A70};
constexpr Colour kSight{0xE01A1A};
constexpr Colour kSightEdge{0x4A0606};

// The stork climbs towards the upper right, its bill between two ticks of the crosshair.
constexpr double kClimb = -30 * M_PI / 180;

// Line widths in pixels: a share of the icon, with a floor that still reads at 48 px.
struct Widths {
  double rim;   // the disc's dark rim
  double ring;  // the crosshair's ring and ticks
  double edge;  // the dark edge on either side of the crosshair
};

Widths WidthsFor(double size) {
  return {std::max(1.5, 0.014 * size), std::max(2.2, 0.034 * size), std::max(0.75, 0.008 * size)};
}

// The disc with a dark rim, so that it stands out on light panels and on dark ones alike.
void DrawDisc(cairo_t* cr, double centre, double radius, const Widths& widths) {
  Ellipse(cr, centre, centre, radius, radius);
  SetVerticalGradient(cr, centre - radius, kSkyTop, centre + radius, kSkyBottom);
  cairo_fill_preserve(cr);
  StrokeWith(cr, kRim, widths.rim);
}

StorkPose IconPose() {
  StorkPose pose;
  pose.near_wing = pose.far_wing = 50;
  pose.hand_bend = 8;
  pose.leg_hang = 2;
  return pose;
}

// Where the turned stork leaves ink, in its own units. Measured with its thinnest lines: the
// thicker ones of a small icon reach less than a pixel further.
struct Extents {
  double x, y, width, height;
};

Extents InkExtents(const StorkPose& pose) {
  const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> recording(
      cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr), cairo_surface_destroy);
  {
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(recording.get()), cairo_destroy);
    cairo_rotate(cr.get(), kClimb);
    DrawStork(cr.get(), pose, 1);
  }
  Extents ink;
  cairo_recording_surface_ink_extents(recording.get(), &ink.x, &ink.y, &ink.width, &ink.height);
  return ink;
}

// The stork as big as a square of the given side allows, its ink centred on (x, y).
void DrawBird(cairo_t* cr, double x, double y, double side) {
  const StorkPose pose = IconPose();
  const Extents ink = InkExtents(pose);
  const double scale = side / std::max(ink.width, ink.height);
  SavedState saved(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -(ink.x + ink.width / 2), -(ink.y + ink.height / 2));
  cairo_rotate(cr, kClimb);
  DrawStork(cr, pose, 1 / scale);
}

// The ring and four ticks pointing at the centre.
void CrosshairPath(cairo_t* cr, double centre, double ring, double tick_inner, double tick_outer) {
  Ellipse(cr, centre, centre, ring, ring);
  for (int k = 0; k < 4; ++k) {
    const double dx = std::cos(k * M_PI / 2), dy = std::sin(k * M_PI / 2);
    cairo_move_to(cr, centre + dx * tick_inner, centre + dy * tick_inner);
    cairo_line_to(cr, centre + dx * tick_outer, centre + dy * tick_outer);
  }
}

// Red on a dark edge, which keeps it apart from the white bird and the blue sky.
void DrawCrosshair(cairo_t* cr, double centre, double ring, const Widths& widths) {
  const double inner = 0.72 * ring, outer = ring + 0.5 * widths.ring;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  CrosshairPath(cr, centre, ring, inner, outer);
  StrokeWith(cr, kSightEdge, widths.ring + 2 * widths.edge);
  CrosshairPath(cr, centre, ring, inner, outer);
  StrokeWith(cr, kSight, widths.ring);
}

}  // namespace

Canvas DrawIcon(int size) {
  Canvas canvas(size, size);
  cairo_t* cr = canvas.cr();
  const Widths widths = WidthsFor(size);
  const double centre = size / 2.0;
  const double radius = centre - widths.rim;
  const double ring = 0.84 * radius;
  DrawDisc(cr, centre, radius, widths);
  DrawCrosshair(cr, centre, ring, widths);
  // The legs may trail out over the ring; the bill and the wings keep inside it when the bird
  // sits a little below and right of the centre, where its belly leaves room.
  DrawBird(cr, centre + 0.05 * ring, centre + 0.1 * ring, 1.75 * ring);
  return canvas;
}

}  // namespace artwork
