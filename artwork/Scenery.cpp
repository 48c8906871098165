// Writes every scenery item with its hit mask: the mask has the item's outline, 132 wherever the
// scenery hides what lies behind it and the transparent colour elsewhere.

#include <string>

#include "Artwork.h"
#include "SceneryParts.h"

namespace artwork {
namespace {

IndexedImage HitMask(const IndexedImage& scenery) {
  IndexedImage mask = scenery;
  for (std::uint8_t& pixel : mask.pixels) pixel = pixel == kTransparent ? kTransparent : kMaskBackground;
  return mask;
}

void Write(DataWriter& out, const std::vector<SceneryPicture>& pictures) {
  for (const SceneryPicture& p : pictures) {
    const std::string name = "ts" + std::to_string(p.group) + std::to_string(p.item) + ".bmp";
    const IndexedImage scenery = out.Keyed(p.canvas, 10);
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
