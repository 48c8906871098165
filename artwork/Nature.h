#pragma once
// Drawing helpers for the landscape: foliage, grass, reeds, posts, flowers and clouds. Light
// comes from the upper left everywhere.

#include <cairo.h>

#include <vector>

#include "Canvas.h"
#include "Random.h"

namespace artwork {

struct FoliageColours {
  Colour shadow, dark, mid, light;
};

// The greens of near, middle and far foliage.
FoliageColours NearFoliage();
FoliageColours MiddleFoliage();
FoliageColours FarFoliage();

// A leafy crown filling roughly the ellipse, built of blobs of about leaf size.
void Crown(cairo_t* cr, Random& random, double cx, double cy, double rx, double ry, const FoliageColours& colours,
           double leaf);

// Single leaves, pointed and turned every way, filling roughly the ellipse: foliage near enough
// to the viewer that its leaves can be told apart.
void Leaves(cairo_t* cr, Random& random, double cx, double cy, double rx, double ry, const FoliageColours& colours,
            double leaf);

// A tapering trunk from its foot up to where the crown hides it, with a root flare.
void Trunk(cairo_t* cr, double x, double foot, double top, double width, Colour bark);

// Blades of grass standing on the line y = base between x0 and x1.
void Grass(cairo_t* cr, Random& random, double x0, double x1, double base, double height, int blades,
           const FoliageColours& colours);

// Reeds and bulrushes: stems, blades and brown seed heads, standing on y = base.
void Reeds(cairo_t* cr, Random& random, double x0, double x1, double base, double height, int stems);

// A weathered wooden post whose foot stands at (x, foot).
void Post(cairo_t* cr, double x, double foot, double height, double width);

// Small blossoms scattered over a band.
void Flowers(cairo_t* cr, Random& random, double x0, double x1, double y0, double y1, int count,
             const std::vector<Colour>& colours, double size);

// A fair-weather cloud with a flat, shaded base.
void Cloud(cairo_t* cr, Random& random, double cx, double base, double width, double height);

// Clears the bottom-left pixel, which is off the screen, so that the picture gets its colour key.
void ClearCornerPixel(Canvas& canvas);

}  // namespace artwork
