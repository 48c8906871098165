// The storks: three sizes, a ten-picture wing stroke flying right and the same mirrored for
// flying left, and six pictures of a hit stork tumbling down.

#include <cmath>
#include <string>

#include "Artwork.h"
#include "StorkDrawing.h"

namespace artwork {
namespace {

struct StorkSize {
  const char* prefix;  // "s_", "m_", "b_"
  int kind;            // 1 small, 2 medium, 3 big; the scale against the big drawing is kind / 3
};
constexpr StorkSize kSizes[] = {{"s_", 1}, {"m_", 2}, {"b_", 3}};

constexpr int kFlyingWidth = 36;   // per size step
constexpr int kFlyingHeight = 30;  // per size step
constexpr int kFallingSize = 36;   // per size step, square
constexpr double kDrawingScale = 0.8;

// Wings from high up (frame 0) to low down (frame 9), slow at both turns; the game plays the
// pictures forwards and back.
StorkPose FlyingPose(int frame) {
  const double s = (1 - std::cos(M_PI * frame / 9.0)) / 2;
  StorkPose pose;
  pose.near_wing = 80 - 110 * s;
  pose.far_wing = pose.near_wing;
  pose.hand_bend = 8 * std::cos(M_PI * s);
  pose.bob = 2.5 - 5 * s;  // the body rises as the wings beat down
  return pose;
}

IndexedImage DrawFlying(DataWriter& out, const StorkSize& size, int frame) {
  const int k = size.kind;
  Canvas canvas(kFlyingWidth * k, kFlyingHeight * k);
  cairo_t* cr = canvas.cr();
  const double scale = kDrawingScale * k / 3.0;
  cairo_translate(cr, 0.46 * kFlyingWidth * k, 0.58 * kFlyingHeight * k);
  cairo_scale(cr, scale, scale);
  DrawStork(cr, FlyingPose(frame), 1 / scale);
  return out.Sprite(canvas, std::string("stork ") + size.prefix + std::to_string(frame));
}

// A hit stork turns over head first, wings flung about, beak open; the last picture is held
// while it falls.
IndexedImage DrawFalling(DataWriter& out, const StorkSize& size, int frame) {
  const int k = size.kind;
  const int side = kFallingSize * k;
  Canvas canvas(side, side);
  cairo_t* cr = canvas.cr();
  const double scale = 0.78 * k / 3.0;
  const double turn[] = {40, 130, 220, 310, 400, 470};
  const double near[] = {70, 20, -30, 40, 80, 75};
  const double far[] = {-20, 50, 10, -30, 0, 60};
  cairo_translate(cr, side / 2.0, side / 2.0);
  cairo_scale(cr, scale, scale);
  if (frame <= 3) {
    // Loose feathers burst away from the hit.
    const double spread = 14 + 12 * frame;
    for (int i = 0; i < 5; ++i) {
      const double a = i * 1.3 + frame * 0.7;
      SavedState saved(cr);
      cairo_translate(cr, spread * std::cos(a), spread * 0.8 * std::sin(a));
      cairo_rotate(cr, a * 2);
      Ellipse(cr, 0, 0, 4.5, 1.8);
      SetColour(cr, {0xF4F4F0});
      cairo_fill_preserve(cr);
      SetColour(cr, {0x5C626C});
      cairo_set_line_width(cr, 1 / scale);
      cairo_stroke(cr);
    }
  }
  cairo_rotate(cr, turn[frame - 1] * M_PI / 180);
  cairo_translate(cr, -5, 2);
  StorkPose pose;
  pose.near_wing = near[frame - 1];
  pose.far_wing = far[frame - 1];
  pose.neck_droop = 7;
  pose.leg_hang = 8;
  pose.beak_open = true;
  DrawStork(cr, pose, 1 / scale);
  return out.Sprite(canvas, std::string("falling stork ") + size.prefix + std::to_string(frame));
}

}  // namespace

void MakeStorks(DataWriter& out) {
  for (const StorkSize& size : kSizes) {
    for (int frame = 0; frame <= 9; ++frame) {
      const IndexedImage right = DrawFlying(out, size, frame);
      const std::string name = std::string("animf\\") + size.prefix + std::to_string(frame);
      out.Picture(name + ".bmp", right);
      out.Picture(name + "r.bmp", right.Mirrored());
    }
    for (int frame = 1; frame <= 6; ++frame) {
      const IndexedImage right = DrawFalling(out, size, frame);
      const std::string name = std::string("animf\\f") + size.prefix + std::to_string(frame);
      out.Picture(name + ".bmp", right);
      out.Picture(name + "r.bmp", right.Mirrored());
    }
  }
}

}  // namespace artwork
