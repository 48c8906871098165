#pragma once
// The landscape, drawn layer by layer. A scenery item g j ("cdu\tsGJ.bmp") stands with its top-left
// corner at screen x = Round(L * (world x - camera) / 5) - 2 and screen y = world y + 2 in layer
// L = 6 - g. The far layers are painted as one wide panorama each and cut into their items, so
// that neighbouring items join without a seam.

#include <vector>

#include "Canvas.h"

namespace artwork {

struct SceneryPicture {
  int group;
  int item;
  Canvas canvas;
};

std::vector<SceneryPicture> DrawFarScenery();     // groups 5 and 4: sky, far hills, hills and woods
std::vector<SceneryPicture> DrawMiddleScenery();  // groups 3 and 2: trees, hedges, fields, reeds and posts
std::vector<SceneryPicture> DrawFrontScenery();   // group 1: branches from above, bushes below

// The sky over the far hills, 1272 columns of screen rows -1 to 481, and the wooded hills over the
// valley fields, 1713 columns of screen rows kHillsTop to 481; the title pictures show them too.
Canvas DrawSkyPanorama();
Canvas DrawHillsPanorama();
inline constexpr int kHillsTop = 143;

// A window of a panorama as a picture of its own.
Canvas Cut(const Canvas& panorama, int x, int y, int width, int height);

// The screen row of the top edge of a scenery item placed at world y.
constexpr int ScreenTop(int world_y) { return world_y + 2; }
// Scenery reaching the bottom of the screen ends one row below it, where the colour key hides.
constexpr int kGroundBottom = 482;

}  // namespace artwork
