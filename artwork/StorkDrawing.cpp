#include "StorkDrawing.h"

#include <algorithm>
#include <cmath>

#include "Canvas.h"

namespace artwork {
namespace {

constexpr double kWingLength = 47;
constexpr double kArmShare = 0.42;
// The bird is seen a little from above: the near wing dips towards the viewer, the far one rises.
constexpr double kViewElevation = 26;

constexpr Colour kPlumage{0xFAFAF6};
constexpr Colour kPlumageShade{0xD4D7DE};
constexpr Colour kFarPlumage{0xD6D8DE};
constexpr Colour kFlightFeathers{0x141414};
constexpr Colour kFarFlightFeathers{0x2A2A2E};
constexpr Colour kOutline{0x5C626C};
constexpr Colour kBill{0xE0321E};
constexpr Colour kBillDark{0x8A120C};

struct Point {
  double x, y;
};

double Radians(double degrees) { return degrees * M_PI / 180; }

// The vertical share of the wing's span as it appears, never quite edge-on.
double ApparentLift(double angle, bool near) {
  const double lift = std::sin(Radians(near ? angle - kViewElevation : angle + kViewElevation));
  return std::copysign(std::sqrt(lift * lift + 0.3 * 0.3), lift);
}

class Wing {
 public:
  Wing(Point shoulder, double arm_angle, double hand_angle, bool near) : shoulder_(shoulder) {
    const double arm = kArmShare * kWingLength, hand = (1 - kArmShare) * kWingLength;
    elbow_ = {shoulder.x - 0.10 * arm, shoulder.y - ApparentLift(arm_angle, near) * arm};
    tip_ = {elbow_.x - 0.45 * hand, elbow_.y - ApparentLift(hand_angle, near) * hand};
  }

  // u runs along the span (0 shoulder, 1 tip), v along the chord (forwards positive).
  Point Map(double u, double v) const {
    Point p;
    if (u <= kArmShare) {
      const double t = u / kArmShare;
      p = {shoulder_.x + (elbow_.x - shoulder_.x) * t, shoulder_.y + (elbow_.y - shoulder_.y) * t};
    } else {
      const double t = (u - kArmShare) / (1 - kArmShare);
      p = {elbow_.x + (tip_.x - elbow_.x) * t, elbow_.y + (tip_.y - elbow_.y) * t};
    }
    return {p.x + v, p.y};
  }

  void Draw(cairo_t* cr, Colour coverts, Colour feathers, double pixel) const {
    // Leading edge out to the hand, then the ragged trailing edge of the secondaries back in.
    constexpr int kLead = 6;
    const double lead_u[kLead] = {0, 0.22, 0.45, 0.62, 0.78, 0.9};
    const double lead[kLead] = {Leading(0), Leading(0.22), Leading(0.45), Leading(0.62), Leading(0.78), 2.5};
    MoveTo(cr, 0, lead[0]);
    for (int i = 1; i < kLead; ++i) LineTo(cr, lead_u[i], lead[i]);
    for (int i = 0; i <= 12; ++i) {
      const double u = 0.78 - i * 0.78 / 12;
      LineTo(cr, u, Trailing(u) + (i % 2 ? 2.2 : 0));
    }
    cairo_close_path(cr);
    // Six separate primaries fan out at the tip.
    for (int k = 0; k < 6; ++k) {
      const Point base = Map(0.62 + 0.02 * k, 3 - 4.2 * k);
      const Point end = Map(1.16 - 0.055 * k, 2.5 - 4.6 * k);
      TaperedSegment(cr, base.x, base.y, std::max(5.5, 1.5 * pixel), end.x, end.y, std::max(2.2, pixel));
    }
    SetColour(cr, feathers);
    cairo_fill(cr);
    // The white coverts along the front half of the wing.
    MoveTo(cr, 0, lead[0]);
    for (int i = 1; i < kLead - 1; ++i) LineTo(cr, lead_u[i], lead[i]);
    for (int i = 0; i <= 8; ++i) {
      const double u = 0.78 - i * 0.78 / 8;
      LineTo(cr, u, 0.45 * Trailing(u) + 0.55 * Leading(u) - 4);
    }
    cairo_close_path(cr);
    const Point root = Map(0, 0), hand = Map(0.7, 0);
    SetVerticalGradient(cr, root.y, coverts, hand.y, Mix(coverts, {0xB8BCC6}, 0.35));
    cairo_fill(cr);
    // Only the leading edge gets an outline, where the white meets the sky.
    MoveTo(cr, 0.3, Leading(0.3));
    for (int i = 2; i < kLead; ++i) LineTo(cr, lead_u[i], lead[i]);
    StrokeWith(cr, kOutline, pixel);
  }

 private:
  static double Leading(double u) { return 8 + 6 * u - 12 * u * u; }
  static double Trailing(double u) { return -12 - 40 * u + 45 * u * u; }

  void MoveTo(cairo_t* cr, double u, double v) const {
    const Point p = Map(u, v);
    cairo_move_to(cr, p.x, p.y);
  }
  void LineTo(cairo_t* cr, double u, double v) const {
    const Point p = Map(u, v);
    cairo_line_to(cr, p.x, p.y);
  }

  Point shoulder_, elbow_{}, tip_{};
};

void LegPath(cairo_t* cr, double hang, double offset, double pixel) {
  const double w = std::max(2.6, 1.2 * pixel);
  TaperedSegment(cr, -4, 3 + offset, w * 1.4, -37, 7 + hang + offset, w);
  TaperedSegment(cr, -37, 7 + hang + offset, w, -47, 8.5 + hang * 1.2 + offset, w * 0.8);
  TaperedSegment(cr, -42, 7.8 + hang + offset, w * 0.7, -46, 11 + hang * 1.2 + offset, w * 0.6);
}

// Tail, body, neck and head: every part is outlined first and filled after, so that one outline
// goes round the whole bird and none crosses it.
void BodyPart(cairo_t* cr, const StorkPose& pose, int part) {
  const double hx = 35, hy = -5 + pose.neck_droop;
  switch (part) {
    case 0:
      cairo_move_to(cr, -13, -5);
      cairo_line_to(cr, -29, -3);
      cairo_line_to(cr, -30, 2);
      cairo_line_to(cr, -13, 6);
      cairo_close_path(cr);
      break;
    case 1: {
      SavedState saved(cr);
      cairo_rotate(cr, Radians(-4));
      Ellipse(cr, 0, 0, 19, 9.5);
      break;
    }
    case 2:
      TaperedSegment(cr, 12, -2.5, 12, 23, -3.5 + pose.neck_droop * 0.45, 9);
      break;
    case 3:
      TaperedSegment(cr, 23, -3.5 + pose.neck_droop * 0.45, 9, hx, hy, 7.5);
      break;
    default:
      Ellipse(cr, hx, hy, 6.3, 5.4);
  }
}
constexpr int kBodyParts = 5;

void DrawBill(cairo_t* cr, const StorkPose& pose, double pixel) {
  const double hx = 35, hy = -5 + pose.neck_droop;
  const double droop = pose.neck_droop * 0.25;
  const double gape = pose.beak_open ? 4.5 : 0;
  cairo_move_to(cr, hx + 3, hy - 2.4);
  cairo_curve_to(cr, hx + 12, hy - 1.6, hx + 20, hy + 1 + droop, hx + 25, hy + 4 + droop - gape);
  cairo_curve_to(cr, hx + 19, hy + 3.2 + droop, hx + 11, hy + 2.6, hx + 3.5, hy + 2.2);
  cairo_close_path(cr);
  if (pose.beak_open) {
    cairo_move_to(cr, hx + 3.5, hy + 1);
    cairo_curve_to(cr, hx + 12, hy + 3, hx + 19, hy + 5 + droop, hx + 23, hy + 8 + droop);
    cairo_curve_to(cr, hx + 18, hy + 6 + droop, hx + 11, hy + 4.5, hx + 3.5, hy + 2.8);
    cairo_close_path(cr);
  }
  SetColour(cr, kBill);
  cairo_fill_preserve(cr);
  StrokeWith(cr, kBillDark, std::max(0.7, 0.6 * pixel));
  // The eye in its dark ring of bare skin.
  Ellipse(cr, hx + 1.4, hy - 1.2, std::max(1.6, 0.7 * pixel), std::max(1.4, 0.7 * pixel));
  FillWith(cr, {0x101010});
}

}  // namespace

void DrawStork(cairo_t* cr, const StorkPose& pose, double pixel) {
  SavedState saved(cr);
  cairo_translate(cr, 0, pose.bob);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const Point shoulder{3, -5};
  // The far shoulder shows a little higher and further forward: the bird is seen from above.
  const Wing far_wing({shoulder.x + 5, shoulder.y - 1}, pose.far_wing, pose.far_wing + pose.hand_bend, false);
  far_wing.Draw(cr, kFarPlumage, kFarFlightFeathers, pixel);

  LegPath(cr, pose.leg_hang, -1.2, pixel);
  FillWith(cr, {0xB0281A});
  LegPath(cr, pose.leg_hang * 1.1, 0.6, pixel);
  FillWith(cr, kBill);

  for (int part = 0; part < kBodyParts; ++part) {
    BodyPart(cr, pose, part);
    StrokeWith(cr, kOutline, 2 * pixel);
  }
  for (int part = 0; part < kBodyParts; ++part) {
    BodyPart(cr, pose, part);
    SetVerticalGradient(cr, -8, kPlumage, 9, kPlumageShade);
    cairo_fill(cr);
  }
  DrawBill(cr, pose, pixel);

  const Wing near_wing(shoulder, pose.near_wing, pose.near_wing + pose.hand_bend, true);
  near_wing.Draw(cr, kPlumage, kFlightFeathers, pixel);
}

}  // namespace artwork
