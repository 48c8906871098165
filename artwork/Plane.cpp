// The plane: a small biplane towing an advertising banner that waves in nine pictures. Flying
// right the banner trails 200 pixels behind the plane's left edge; flying left it hangs on the
// plane's right edge, so the tow rope reaches the edge of the banner picture on the plane's side.

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "Artwork.h"
#include "Fonts.h"

namespace artwork {
namespace {

constexpr int kPlaneWidth = 120;
constexpr int kPlaneHeight = 48;
constexpr int kBannerWidth = 190;
constexpr int kBannerHeight = 40;
constexpr double kRopeY = 30;  // the tow hook under the tail, shared by plane and banner pictures
constexpr const char* kSlogan = "Spielt Veltranzik!";

constexpr Colour kLine{0x1C1C24};
constexpr Colour kFuselage{0xD8301E};
constexpr Colour kWing{0xF4C838};

// The biplane flying right, nose at the right edge.
void DrawBiplane(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Tow rope stub from the hook.
  cairo_move_to(cr, 1, kRopeY);
  cairo_line_to(cr, 12, 27.5);
  StrokeWith(cr, {0x5A5048}, 1.2);
  // Lower wing behind the fuselage, with the far wheel.
  Ellipse(cr, 70, 44, 3.5, 3.5);
  FillWith(cr, {0x303030});
  // Tail fin and stabiliser.
  cairo_move_to(cr, 10, 24);
  cairo_line_to(cr, 8, 9);
  cairo_curve_to(cr, 12, 6, 16, 7, 18, 10);
  cairo_line_to(cr, 26, 22);
  cairo_close_path(cr);
  SetColour(cr, kFuselage);
  cairo_fill_preserve(cr);
  StrokeWith(cr, kLine, 1.2);
  // Fuselage, tapering to the tail.
  cairo_move_to(cr, 9, 24);
  cairo_curve_to(cr, 30, 21, 60, 15, 92, 16);
  cairo_line_to(cr, 98, 18);
  cairo_line_to(cr, 98, 32);
  cairo_line_to(cr, 92, 34);
  cairo_curve_to(cr, 60, 35, 30, 30, 9, 28);
  cairo_close_path(cr);
  SetVerticalGradient(cr, 15, {0xF06A50}, 34, {0x981810});
  cairo_fill_preserve(cr);
  StrokeWith(cr, kLine, 1.2);
  // A white cheat line along the side.
  cairo_move_to(cr, 14, 26);
  cairo_curve_to(cr, 40, 26, 70, 25, 96, 25);
  StrokeWith(cr, {0xFFFFFF}, 2);
  cairo_move_to(cr, 10, 26);
  cairo_line_to(cr, 30, 26);
  StrokeWith(cr, kLine, 1);
  // Stabiliser.
  cairo_move_to(cr, 4, 25);
  cairo_line_to(cr, 22, 25);
  StrokeWith(cr, kLine, 2.5);
  // Engine cowling and spinner.
  RoundedRectangle(cr, 92, 15, 10, 20, 3);
  SetVerticalGradient(cr, 15, {0xE0E4EA}, 35, {0x70747C});
  cairo_fill_preserve(cr);
  StrokeWith(cr, kLine, 1.2);
  Ellipse(cr, 105, 25, 4, 3.5);
  FillWith(cr, {0xB0B4BC});
  // The spinning propeller: a pale disc edge and one blurred blade.
  Ellipse(cr, 107, 25, 2.2, 19);
  StrokeWith(cr, {0xC8CCD4}, 1.3);
  cairo_move_to(cr, 107, 9);
  cairo_line_to(cr, 107, 16);
  cairo_move_to(cr, 107, 34);
  cairo_line_to(cr, 107, 41);
  StrokeWith(cr, {0x484C54}, 2.2);
  // Pilot in leather cap and goggles, scarf streaming back.
  cairo_move_to(cr, 66, 12);
  cairo_curve_to(cr, 58, 9, 52, 13, 44, 10);
  cairo_curve_to(cr, 50, 15, 58, 14, 66, 16);
  cairo_close_path(cr);
  FillWith(cr, {0xFFFFFF});
  Ellipse(cr, 70, 10, 5, 5.5);
  FillWith(cr, {0x6A4020});
  Ellipse(cr, 73, 10, 2.6, 2.2);
  FillWith(cr, {0x9AD8F0});
  Ellipse(cr, 73, 10, 2.6, 2.2);
  StrokeWith(cr, kLine, 0.9);
  // Windscreen.
  cairo_move_to(cr, 77, 16);
  cairo_line_to(cr, 80, 9);
  cairo_line_to(cr, 82, 16);
  FillWith(cr, {0xB8E4F4});
  // Upper wing above, lower wing below, struts between, landing gear.
  for (double x : {62.0, 84.0}) {
    cairo_move_to(cr, x, 7);
    cairo_line_to(cr, x - 3, 36);
  }
  StrokeWith(cr, kLine, 1.5);
  cairo_move_to(cr, 74, 33);
  cairo_line_to(cr, 72, 42);
  cairo_move_to(cr, 80, 33);
  cairo_line_to(cr, 74, 42);
  StrokeWith(cr, kLine, 1.5);
  for (double y : {5.0, 34.0}) {
    cairo_move_to(cr, 54, y + 2);
    cairo_curve_to(cr, 60, y - 1, 84, y - 1.5, 91, y + 1);
    cairo_curve_to(cr, 84, y + 3.5, 62, y + 4, 54, y + 2);
    cairo_close_path(cr);
    SetColour(cr, kWing);
    cairo_fill_preserve(cr);
    StrokeWith(cr, kLine, 1.2);
  }
  Ellipse(cr, 74, 43, 4, 4);
  FillWith(cr, {0x202020});
  Ellipse(cr, 74, 43, 1.6, 1.6);
  FillWith(cr, {0xC0C0C0});
}

IndexedImage DrawPlanePicture(DataWriter& out) {
  Canvas canvas(kPlaneWidth, kPlaneHeight);
  DrawBiplane(canvas.cr());
  return out.Keyed(canvas);
}

constexpr double kClothLeft = 3;
constexpr double kClothRight = 150;
constexpr double kClothTop = 7;
constexpr double kClothBottom = 33;

// The flat cloth with its lettering, the pole on the right (the plane's side when flying right).
Canvas DrawFlatCloth() {
  Canvas canvas(kBannerWidth, kBannerHeight);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, kClothLeft, kClothTop, kClothRight - kClothLeft, kClothBottom - kClothTop);
  FillWith(cr, {0xFBF8EC});
  for (double y : {kClothTop + 1.5, kClothBottom - 1.5}) {
    cairo_move_to(cr, kClothLeft, y);
    cairo_line_to(cr, kClothRight, y);
  }
  StrokeWith(cr, {0xD02818}, 2.2);
  const double room = kClothRight - kClothLeft - 10;
  double size = 16;
  while (MeasureText(cr, SansBold(), size, kSlogan).x_advance > room) size -= 0.5;
  const cairo_text_extents_t ink = MeasureText(cr, SansBold(), size, kSlogan);
  const double x = (kClothLeft + kClothRight) / 2 - ink.width / 2 - ink.x_bearing;
  const double y = (kClothTop + kClothBottom) / 2 - ink.height / 2 - ink.y_bearing;
  TextPath(cr, SansBold(), size, x, y, kSlogan);
  FillWith(cr, {0x1A3A9C});
  cairo_rectangle(cr, kClothLeft + 0.5, kClothTop + 0.5, kClothRight - kClothLeft - 1, kClothBottom - kClothTop - 1);
  StrokeWith(cr, {0x505058}, 1);
  return canvas;
}

// Copies the cloth with every column shifted by a travelling wave that grows towards the free
// end and darkened where the cloth turns away from the light.
void Wave(const Canvas& flat, Canvas& waved, int frame, bool pole_right) {
  cairo_surface_flush(flat.surface());
  cairo_surface_flush(waved.surface());
  const int stride = cairo_image_surface_get_stride(flat.surface());
  const unsigned char* source = cairo_image_surface_get_data(flat.surface());
  unsigned char* target = cairo_image_surface_get_data(waved.surface());
  const double length = kClothRight - kClothLeft;
  // With the pole on the left the cloth moves right as a whole; its lettering still reads forwards.
  const int offset = pole_right ? 0 : static_cast<int>(kBannerWidth - kClothRight - kClothLeft);
  for (int column = 0; column < kBannerWidth; ++column) {
    const int source_column = column - offset;
    if (source_column < kClothLeft || source_column >= kClothRight) continue;
    const double from_pole = pole_right ? kClothRight - source_column : source_column - kClothLeft;
    const double amplitude = 0.6 + 3.4 * from_pole / length;
    const double phase = 2 * M_PI * (from_pole / 52.0 - frame / 9.0);
    const double shift = amplitude * std::sin(phase);
    const double slope = std::cos(phase) * amplitude * 2 * M_PI / 52.0;
    const double light = std::clamp(1.0 - 0.45 * slope, 0.6, 1.1);
    for (int row = 0; row < kBannerHeight; ++row) {
      const double from = row - shift;
      const int r0 = static_cast<int>(std::floor(from));
      const double t = from - r0;
      double mixed[4] = {0, 0, 0, 0};
      for (int k = 0; k < 2; ++k) {
        const int r = r0 + k;
        if (r < 0 || r >= kBannerHeight) continue;
        const auto pixel = *reinterpret_cast<const std::uint32_t*>(source + r * stride + 4 * source_column);
        for (int c = 0; c < 4; ++c) mixed[c] += (k == 0 ? 1 - t : t) * ((pixel >> (8 * c)) & 0xFF);
      }
      std::uint32_t out = 0;
      for (int c = 0; c < 4; ++c) {
        const double v = c == 3 ? mixed[c] : std::min(mixed[c] * light, mixed[3]);
        out |= static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0) + 0.5) << (8 * c);
      }
      *reinterpret_cast<std::uint32_t*>(target + row * stride + 4 * column) = out;
    }
  }
  cairo_surface_mark_dirty(waved.surface());
}

IndexedImage DrawBanner(DataWriter& out, const Canvas& flat, int frame, bool pole_right) {
  Canvas canvas(kBannerWidth, kBannerHeight);
  Wave(flat, canvas, frame, pole_right);
  cairo_t* cr = canvas.cr();
  // The pole at the plane's end of the cloth, its bridle and the tow rope to the picture's edge.
  const double pole = pole_right ? kClothRight + 1 : kBannerWidth - kClothRight - 1;
  const double edge = pole_right ? kBannerWidth - 1 : 1;
  const double knot = pole_right ? pole + 14 : pole - 14;
  cairo_move_to(cr, pole, kClothTop - 2);
  cairo_line_to(cr, pole, kClothBottom + 2);
  StrokeWith(cr, {0x6A4A2A}, 2.2);
  cairo_move_to(cr, pole, kClothTop - 1);
  cairo_line_to(cr, knot, 21);
  cairo_line_to(cr, pole, kClothBottom + 1);
  cairo_move_to(cr, knot, 21);
  cairo_curve_to(cr, knot + (edge - knot) * 0.4, 27, knot + (edge - knot) * 0.7, kRopeY, edge, kRopeY);
  StrokeWith(cr, {0x5A5048}, 1.2);
  return out.Keyed(canvas);
}

}  // namespace

void MakePlane(DataWriter& out) {
  const IndexedImage plane = DrawPlanePicture(out);
  out.Picture("ani2\\flieger.bmp", plane);
  out.Picture("ani2\\rflieger.bmp", plane.Mirrored());
  const Canvas flat = DrawFlatCloth();
  for (int frame = 1; frame <= 9; ++frame) {
    out.Picture("ani2\\banner" + std::to_string(frame) + ".bmp", DrawBanner(out, flat, frame, true));
    out.Picture("ani2\\rbanner" + std::to_string(frame) + ".bmp", DrawBanner(out, flat, frame, false));
  }
}

}  // namespace artwork
