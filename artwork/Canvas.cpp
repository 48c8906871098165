#include "Canvas.h"

#include <cmath>
#include <stdexcept>

namespace artwork {

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface_);
    throw std::runtime_error("cannot create a picture surface");
  }
  cr_ = cairo_create(surface_);
  cairo_font_options_t* options = cairo_font_options_create();
  // Fixed text rendering, whatever the machine's font settings say.
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
}

Canvas::Canvas(Canvas&& other) noexcept
    : width_(other.width_), height_(other.height_), surface_(other.surface_), cr_(other.cr_) {
  other.surface_ = nullptr;
  other.cr_ = nullptr;
}

Canvas::~Canvas() {
  if (cr_ != nullptr) cairo_destroy(cr_);
  if (surface_ != nullptr) cairo_surface_destroy(surface_);
}

Colour Mix(Colour a, Colour b, double t) {
  auto channel = [t](unsigned x, unsigned y) {
    return static_cast<unsigned>(std::lround(x + (static_cast<double>(y) - x) * t)) & 0xFF;
  };
  const unsigned r = channel(a.rgb >> 16 & 0xFF, b.rgb >> 16 & 0xFF);
  const unsigned g = channel(a.rgb >> 8 & 0xFF, b.rgb >> 8 & 0xFF);
  const unsigned bl = channel(a.rgb & 0xFF, b.rgb & 0xFF);
  return {r << 16 | g << 8 | bl, a.alpha + (b.alpha - a.alpha) * t};
}

void SetColour(cairo_t* cr, Colour colour) {
  cairo_set_source_rgba(cr, (colour.rgb >> 16 & 0xFF) / 255.0, (colour.rgb >> 8 & 0xFF) / 255.0,
                        (colour.rgb & 0xFF) / 255.0, colour.alpha);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  SavedState saved(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr);
}

void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void SetVerticalGradient(cairo_t* cr, double y0, Colour a, double y1, Colour b) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
  auto stop = [gradient](double at, Colour c) {
    cairo_pattern_add_color_stop_rgba(gradient, at, (c.rgb >> 16 & 0xFF) / 255.0, (c.rgb >> 8 & 0xFF) / 255.0,
                                      (c.rgb & 0xFF) / 255.0, c.alpha);
  };
  stop(0, a);
  stop(1, b);
  cairo_set_source(cr, gradient);
  cairo_pattern_destroy(gradient);
}

void TaperedSegment(cairo_t* cr, double x0, double y0, double w0, double x1, double y1, double w1) {
  const double dx = x1 - x0, dy = y1 - y0;
  const double length = std::hypot(dx, dy);
  if (length <= 0) return;
  const double angle = std::atan2(dy, dx);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x1, y1, w1 / 2, angle - M_PI / 2, angle + M_PI / 2);
  cairo_arc(cr, x0, y0, w0 / 2, angle + M_PI / 2, angle + 3 * M_PI / 2);
  cairo_close_path(cr);
}

void FillWith(cairo_t* cr, Colour colour) {
  SetColour(cr, colour);
  cairo_fill(cr);
}

void StrokeWith(cairo_t* cr, Colour colour, double width) {
  SetColour(cr, colour);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

}  // namespace artwork
