// The ground figure: a mole in a miner's helmet that pushes up out of its molehill, looks about,
// and when hit loses its helmet, sees stars and drops back into the ground.

#include <algorithm>
#include <cmath>
#include <string>

#include "Artwork.h"
#include "Random.h"

namespace artwork {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 110;
constexpr double kCentre = 32;
constexpr double kHoleY = 92;     // the rim of the hole; the mole is hidden below it
constexpr double kFullRise = 86;  // how far the mole travels from hidden to fully up

constexpr Colour kFurLight{0x7A6C60};
constexpr Colour kFurDark{0x241E1A};
constexpr Colour kPink{0xF0A0A0};
constexpr Colour kPinkDark{0xB85A60};
constexpr Colour kHelmet{0xF2C230};
constexpr Colour kHelmetDark{0x9A6A10};
constexpr Colour kEarth{0x7A5030};
constexpr Colour kEarthLight{0xA87A4A};
constexpr Colour kEarthDark{0x3A2414};
constexpr Colour kLine{0x1C1410};

enum class Eyes { Open, Shut, Wide, Crossed };

struct MolePose {
  double rise = 1;        // 0 hidden, 1 fully up
  double squash = 0;      // 0 normal, 1 flattened by the hit
  double look = 0;        // pupils from -1 (left) to 1 (right)
  double nose_lift = 0;   // sniffing
  double hands_up = 0.5;  // 0 down, 1 raised high
  double tilt = 0;        // lean of the head, radians
  Eyes eyes = Eyes::Open;
  bool mouth_open = false;
  bool helmet_on = true;
};

void DrawHelmet(cairo_t* cr, double cx, double cy, double lamp_glow) {
  // Dome, brim and the lamp in front.
  cairo_move_to(cr, cx - 17, cy + 4);
  cairo_curve_to(cr, cx - 17, cy - 14, cx + 17, cy - 14, cx + 17, cy + 4);
  cairo_close_path(cr);
  SetVerticalGradient(cr, cy - 11, {0xFFE890}, cy + 4, kHelmet);
  cairo_fill_preserve(cr);
  StrokeWith(cr, kLine, 1.2);
  RoundedRectangle(cr, cx - 20, cy + 2, 40, 5, 2.5);
  FillWith(cr, kHelmetDark);
  RoundedRectangle(cr, cx - 20, cy + 2, 40, 5, 2.5);
  StrokeWith(cr, kLine, 1.2);
  Ellipse(cr, cx, cy - 4, 5, 4.5);
  FillWith(cr, {0x505050});
  Ellipse(cr, cx, cy - 4, 3.4, 3);
  FillWith(cr, Mix({0xFFF4B0}, {0xFFFFFF}, lamp_glow));
}

void DrawHand(cairo_t* cr, double x, double y, double side) {
  // A broad digging paw with five pale claws.
  Ellipse(cr, x, y, 8, 6.5);
  SetColour(cr, kPink);
  cairo_fill_preserve(cr);
  StrokeWith(cr, kPinkDark, 1.2);
  for (int k = 0; k < 5; ++k) {
    const double a = -M_PI / 2 + side * (k - 2) * 0.38;
    const double bx = x + 6 * std::cos(a), by = y + 5.5 * std::sin(a);
    TaperedSegment(cr, bx, by, 3, bx + 5 * std::cos(a), by + 5 * std::sin(a), 1.2);
  }
  FillWith(cr, {0xF4EEDC});
}

void DrawEye(cairo_t* cr, double x, double y, Eyes eyes, double look) {
  switch (eyes) {
    case Eyes::Open:
      Ellipse(cr, x, y, 4, 4.5);
      FillWith(cr, {0xFFFFFF});
      Ellipse(cr, x + 1.6 * look, y + 0.5, 2.2, 2.6);
      FillWith(cr, {0x101010});
      break;
    case Eyes::Wide:
      Ellipse(cr, x, y, 5, 5.5);
      FillWith(cr, {0xFFFFFF});
      Ellipse(cr, x, y, 1.4, 1.4);
      FillWith(cr, {0x101010});
      break;
    case Eyes::Shut:
      cairo_move_to(cr, x - 4, y);
      cairo_curve_to(cr, x - 2, y + 2.5, x + 2, y + 2.5, x + 4, y);
      StrokeWith(cr, kLine, 1.6);
      break;
    case Eyes::Crossed:
      cairo_move_to(cr, x - 3.5, y - 3.5);
      cairo_line_to(cr, x + 3.5, y + 3.5);
      cairo_move_to(cr, x + 3.5, y - 3.5);
      cairo_line_to(cr, x - 3.5, y + 3.5);
      StrokeWith(cr, kLine, 2);
      break;
  }
  if (eyes == Eyes::Open || eyes == Eyes::Wide) {
    Ellipse(cr, x, y, eyes == Eyes::Wide ? 5 : 4, eyes == Eyes::Wide ? 5.5 : 4.5);
    StrokeWith(cr, kLine, 1);
  }
}

// The mole standing fully up with its hidden base at kHoleY + 14.
void DrawMole(cairo_t* cr, const MolePose& pose) {
  const double top = 30 + 10 * pose.squash;
  // Body: a soft pear of velvet fur.
  cairo_move_to(cr, kCentre - 12, top);
  cairo_curve_to(cr, kCentre - 24, top + 14, kCentre - 24 - 3 * pose.squash, 90, kCentre - 22, 110);
  cairo_line_to(cr, kCentre + 22, 110);
  cairo_curve_to(cr, kCentre + 24 + 3 * pose.squash, 90, kCentre + 24, top + 14, kCentre + 12, top);
  cairo_curve_to(cr, kCentre + 6, top - 6, kCentre - 6, top - 6, kCentre - 12, top);
  cairo_close_path(cr);
  SetVerticalGradient(cr, top - 6, kFurLight, 100, kFurDark);
  cairo_fill_preserve(cr);
  StrokeWith(cr, kLine, 1.4);
  // Paler belly.
  Ellipse(cr, kCentre, 86, 13, 16);
  FillWith(cr, {0x8E8074});

  SavedState head(cr);
  cairo_translate(cr, kCentre, top + 22);
  cairo_rotate(cr, pose.tilt);
  cairo_translate(cr, -kCentre, -(top + 22));
  const double eye_y = top + 15, nose_y = top + 25 - 2 * pose.nose_lift;
  DrawEye(cr, kCentre - 7.5, eye_y, pose.eyes, pose.look);
  DrawEye(cr, kCentre + 7.5, eye_y, pose.eyes, pose.look);
  // Whiskers, then the big pink nose over them.
  for (int side : {-1, 1})
    for (int k = 0; k < 3; ++k) {
      cairo_move_to(cr, kCentre + side * 5, nose_y + 2 + k * 1.5);
      cairo_line_to(cr, kCentre + side * 17, nose_y - 1 + k * 3.5);
    }
  StrokeWith(cr, {0x1A1A1A}, 0.9);
  const double mouth_y = nose_y + 7;
  if (pose.mouth_open) {
    Ellipse(cr, kCentre, mouth_y + 3, 5, 4.5);
    FillWith(cr, {0x5A1010});
  } else {
    cairo_move_to(cr, kCentre - 5, mouth_y);
    cairo_curve_to(cr, kCentre - 2, mouth_y + 3, kCentre + 2, mouth_y + 3, kCentre + 5, mouth_y);
    StrokeWith(cr, kLine, 1.2);
  }
  // Two buck teeth.
  cairo_rectangle(cr, kCentre - 3, mouth_y + 0.5, 2.8, 4);
  cairo_rectangle(cr, kCentre + 0.2, mouth_y + 0.5, 2.8, 4);
  SetColour(cr, {0xFFFFF4});
  cairo_fill_preserve(cr);
  StrokeWith(cr, kLine, 0.8);
  Ellipse(cr, kCentre, nose_y, 6.5, 5.2);
  SetColour(cr, kPink);
  cairo_fill_preserve(cr);
  StrokeWith(cr, kPinkDark, 1.2);
  Ellipse(cr, kCentre - 2, nose_y - 2, 2, 1.4);
  FillWith(cr, {0xFFE0E0});
  if (pose.helmet_on) DrawHelmet(cr, kCentre, top - 1, 0.5);
}

void DrawHands(cairo_t* cr, const MolePose& pose) {
  const double y = 74 - 16 * pose.hands_up + 6 * pose.squash;
  DrawHand(cr, kCentre - 22, y, -1);
  DrawHand(cr, kCentre + 22, y, 1);
}

// The molehill: its dark hole behind the mole, its front lip in front of it.
void DrawHoleBack(cairo_t* cr, double size) {
  Ellipse(cr, kCentre, kHoleY + 1, 20 * size, 5 * size);
  FillWith(cr, kEarthDark);
}

void DrawHillFront(cairo_t* cr, double size, int crumbs_seed) {
  const double half = 30 * size, rise = 16 * size;
  cairo_move_to(cr, kCentre - half, kHeight - 3);
  cairo_curve_to(cr, kCentre - half * 0.75, kHeight - 3 - rise, kCentre - half * 0.6, kHoleY + 1, kCentre - half * 0.55,
                 kHoleY + 1);
  cairo_curve_to(cr, kCentre - half * 0.2, kHoleY + 7 * size, kCentre + half * 0.2, kHoleY + 7 * size,
                 kCentre + half * 0.55, kHoleY + 1);
  cairo_curve_to(cr, kCentre + half * 0.6, kHoleY + 1, kCentre + half * 0.75, kHeight - 3 - rise, kCentre + half,
                 kHeight - 3);
  cairo_close_path(cr);
  SetVerticalGradient(cr, kHoleY, kEarthLight, kHeight - 3, kEarth);
  cairo_fill_preserve(cr);
  StrokeWith(cr, kEarthDark, 1.2);
  // Clods and a few blades of grass on the slopes.
  Random random(static_cast<std::uint64_t>(crumbs_seed));
  for (int i = 0; i < 14; ++i) {
    const double x = kCentre + random.Range(-0.7, 0.7) * half;
    const double y = random.Range(kHoleY + 6 * size, kHeight - 5);
    const double rx = random.Range(1, 2.2) * size;
    Ellipse(cr, x, y, rx, random.Range(0.8, 1.6) * size);
    FillWith(cr, i % 2 ? kEarthDark : Colour{0xC49A66});
  }
  for (int side : {-1, 1})
    for (int k = 0; k < 4; ++k) {
      const double x = kCentre + side * (half - 2 - 2.5 * k);
      cairo_move_to(cr, x, kHeight - 3);
      cairo_line_to(cr, x + side * 2.5, kHeight - 10 - 2 * (k % 2));
    }
  StrokeWith(cr, {0x4C8A22}, 1.6);
}

void DrawStars(cairo_t* cr, double cx, double cy, double radius, double phase, int count) {
  for (int k = 0; k < count; ++k) {
    const double a = phase + 2 * M_PI * k / count;
    const double x = cx + radius * std::cos(a), y = cy + radius * 0.35 * std::sin(a);
    cairo_move_to(cr, x, y - 4.5);
    for (int p = 1; p < 10; ++p) {
      const double r = p % 2 ? 1.8 : 4.5;
      cairo_line_to(cr, x + r * std::sin(p * M_PI / 5), y - r * std::cos(p * M_PI / 5));
    }
    cairo_close_path(cr);
    SetColour(cr, {0xFFE040});
    cairo_fill_preserve(cr);
    StrokeWith(cr, kHelmetDark, 1);
  }
}

// One picture: the hill (grown by hill_size), the mole clipped at the rim, and extras.
Canvas DrawScene(const MolePose& pose, double hill_size, int seed) {
  Canvas canvas(kWidth, kHeight);
  cairo_t* cr = canvas.cr();
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  DrawHoleBack(cr, hill_size);
  if (pose.rise > 0) {
    SavedState clip(cr);
    cairo_rectangle(cr, 0, 0, kWidth, kHoleY + 2);
    cairo_clip(cr);
    cairo_translate(cr, 0, (1 - pose.rise) * kFullRise);
    DrawMole(cr, pose);
    DrawHands(cr, pose);
  }
  DrawHillFront(cr, hill_size, seed);
  return canvas;
}

IndexedImage Rising(DataWriter& out, int frame) {
  MolePose pose;
  // First the earth heaves, then the mole pushes up, slowing as it arrives.
  const double hill = frame >= 3 ? 1.0 : 0.55 + 0.2 * frame;
  const double t = frame <= 3 ? 0 : (frame - 3) / 10.0;
  pose.rise = 1 - (1 - t) * (1 - t);
  pose.hands_up = 0.2 + 0.3 * t;
  pose.eyes = frame < 10 ? Eyes::Shut : Eyes::Open;
  Canvas canvas = DrawScene(pose, hill, frame);
  if (frame <= 4) {
    // Clods thrown up by the digging.
    cairo_t* cr = canvas.cr();
    Random random(static_cast<std::uint64_t>(100 + frame));
    for (int i = 0; i < 7; ++i) {
      const double x = kCentre + random.Range(-18, 18), y = kHoleY - random.Range(4, 10 + 7 * frame);
      const double rx = random.Range(1.2, 2.4);
      Ellipse(cr, x, y, rx, random.Range(1.0, 2.0));
      FillWith(cr, i % 2 ? kEarthDark : kEarth);
    }
  }
  return out.Sprite(canvas, "ground figure rising " + std::to_string(frame));
}

IndexedImage Idle(DataWriter& out, int frame) {
  MolePose pose;
  pose.hands_up = frame % 2 ? 0.5 : 0.65;
  pose.nose_lift = frame % 2 ? 0 : 1;
  pose.look = frame == 2 ? -1 : frame == 4 ? 1 : 0;
  pose.eyes = frame == 3 ? Eyes::Shut : Eyes::Open;
  pose.tilt = frame == 2 ? -0.06 : frame == 4 ? 0.06 : 0;
  return out.Sprite(DrawScene(pose, 1, 1), "ground figure idle " + std::to_string(frame));
}

IndexedImage Hit(DataWriter& out, int frame) {
  MolePose pose;
  pose.helmet_on = false;
  pose.mouth_open = true;
  pose.hands_up = 1;
  pose.eyes = frame <= 2 ? Eyes::Wide : Eyes::Crossed;
  pose.squash = frame == 1 ? 1 : frame == 2 ? 0.5 : 0;
  pose.tilt = frame >= 3 ? (frame % 2 ? 0.12 : -0.12) : 0;
  // From frame 5 on it sinks dizzily back into its hole.
  pose.rise = frame <= 4 ? 1 : 1 - (frame - 4) / 5.0;
  if (frame >= 5) pose.hands_up = 1 - 0.15 * (frame - 4);
  Canvas canvas = DrawScene(pose, 1, 1);
  cairo_t* cr = canvas.cr();
  const double head_y = 30 + (1 - pose.rise) * kFullRise;
  if (frame <= 4) {
    // The helmet flies off, turning over.
    SavedState saved(cr);
    cairo_translate(cr, kCentre + 3 * frame, std::max(19.0, head_y - 6 - 6 * frame));
    cairo_rotate(cr, 0.3 * frame);
    cairo_scale(cr, 0.8, 0.8);
    DrawHelmet(cr, 0, 0, 0);
  } else {
    // It has landed on the hill.
    SavedState saved(cr);
    cairo_translate(cr, kCentre + 16, kHeight - 12);
    cairo_rotate(cr, 0.35);
    cairo_scale(cr, 0.55, 0.55);
    DrawHelmet(cr, 0, 0, 0);
  }
  if (frame == 1) {
    // The flash of the hit.
    cairo_move_to(cr, kCentre, 20);
    for (int p = 1; p < 16; ++p) {
      const double r = p % 2 ? 7 : 16;
      cairo_line_to(cr, kCentre + r * std::sin(p * M_PI / 8), 36 - r * std::cos(p * M_PI / 8));
    }
    cairo_close_path(cr);
    SetColour(cr, {0xFFFFFF});
    cairo_fill_preserve(cr);
    StrokeWith(cr, {0xE08020}, 1.5);
  }
  if (frame >= 3) DrawStars(cr, kCentre, std::min(head_y - 4, kHoleY - 8), 17, frame * 0.9, 3);
  return out.Sprite(canvas, "ground figure hit " + std::to_string(frame));
}

}  // namespace

void MakeGroundFigure(DataWriter& out) {
  for (int frame = 1; frame <= 13; ++frame) out.Picture("ani2\\g1_" + std::to_string(frame) + ".bmp", Rising(out, frame));
  for (int frame = 1; frame <= 4; ++frame) out.Picture("ani2\\g2_" + std::to_string(frame) + ".bmp", Idle(out, frame));
  for (int frame = 1; frame <= 9; ++frame) out.Picture("ani2\\g3_" + std::to_string(frame) + ".bmp", Hit(out, frame));
}

}  // namespace artwork
