#pragma once
// A white stork seen from the side, facing right, drawn around the middle of its body. One unit
// is one pixel of the big stork; smaller storks scale the context.

#include <cairo.h>

namespace artwork {

struct StorkPose {
  double near_wing = 0;   // angle of the near wing above the horizontal, degrees
  double far_wing = 0;    // the same for the wing on the far side
  double hand_bend = 0;   // extra angle of the outer wing, degrees
  double neck_droop = 0;  // how far the head hangs below the straight neck, units
  double leg_hang = 0;    // how far the feet hang below trailing straight back, units
  double bob = 0;         // vertical shift of the whole bird, units
  bool beak_open = false;
};

// pixel: the size of one picture pixel in units, so that fine lines never vanish.
void DrawStork(cairo_t* cr, const StorkPose& pose, double pixel);

}  // namespace artwork
