// Writes every scenery item with its hit mask: the mask has the item's outline, 132 wherever the
// scenery hides what lies behind it and the transparent colour elsewhere.

#include <stdexcept>
#include <string>

#include "Artwork.h"
#include "SceneryParts.h"

namespace artwork {
namespace {

// An edge of a picture that shows on the screen must not cut through the drawing. Hanging items
// start above the screen, standing ones end below it, and the far layers join each other.
void CheckEdges(const SceneryPicture& p, const IndexedImage& image) {
  if (p.group >= 4) return;
  const bool hanging = p.group == 1 && (p.item == 1 || p.item == 4 || p.item == 5);
  auto clear = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (image.at(x, y) != kTransparent)
          throw std::logic_error("scenery " + std::to_string(p.group) + std::to_string(p.item) + " is cut at (" +
                                 std::to_string(x) + ", " + std::to_string(y) + ")");
  };
  const int w = image.width - 1, h = image.height - 1;
  clear(0, 0, 0, h - 1);
  clear(w, 0, w, h - 1);
  if (hanging) clear(0, h, w, h);
  else if (p.group != 3 || (p.item != 1 && p.item != 4)) clear(0, 0, w, 0);
}

IndexedImage HitMask(const IndexedImage& scenery) {
  IndexedImage mask = scenery;
  for (std::uint8_t& pixel : mask.pixels) pixel = pixel == kTransparent ? kTransparent : kMaskBackground;
  return mask;
}

void Write(DataWriter& out, const std::vector<SceneryPicture>& pictures) {
  for (const SceneryPicture& p : pictures) {
    const std::string name = "ts" + std::to_string(p.group) + std::to_string(p.item) + ".bmp";
    const IndexedImage scenery = out.Keyed(p.canvas, 10);
    CheckEdges(p, scenery);
    out.Picture("cdu\\" + name, scenery);
    out.Picture("ps\\" + name, HitMask(scenery));
  }
}

}  // namespace

void MakeScenery(DataWriter& out) {
  Write(out, DrawFarScenery());
  Write(out, DrawMiddleScenery());
  Write(out, DrawFrontScenery());
}

}  // namespace artwork
