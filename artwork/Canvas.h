#pragma once
// A cairo ARGB32 picture with its drawing context, and the small drawing helpers the artwork uses.

#include <cairo.h>

#include "Palette.h"

namespace artwork {

class Canvas {
 public:
  // A fully transparent picture.
  Canvas(int width, int height);
  ~Canvas();
  Canvas(Canvas&& other) noexcept;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// A colour as 0xRRGGBB with an opacity.
struct Colour {
  unsigned rgb;
  double alpha = 1.0;
};

// Mixes two colours; t = 0 gives a, t = 1 gives b.
Colour Mix(Colour a, Colour b, double t);

void SetColour(cairo_t* cr, Colour colour);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius);
// A vertical gradient from colour a at y0 to colour b at y1, set as the source.
void SetVerticalGradient(cairo_t* cr, double y0, Colour a, double y1, Colour b);
// A segment that narrows from width w0 at (x0, y0) to w1 at (x1, y1), with round ends.
void TaperedSegment(cairo_t* cr, double x0, double y0, double w0, double x1, double y1, double w1);
void FillWith(cairo_t* cr, Colour colour);
void StrokeWith(cairo_t* cr, Colour colour, double width);

// Saves the context state for the lifetime of the object.
class SavedState {
 public:
  explicit SavedState(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
  ~SavedState() { cairo_restore(cr_); }
  SavedState(const SavedState&) = delete;
  SavedState& operator=(const SavedState&) = delete;

 private:
  cairo_t* cr_;
};

}  // namespace artwork
