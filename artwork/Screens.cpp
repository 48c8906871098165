// The full-screen and caption pictures: the title picture and its ready prompt, the waiting
// prompt of a two-player game, the high-score heading and the palette source.

#include <string>

#include "Artwork.h"
#include "Fonts.h"
#include "Lettering.h"
#include "Nature.h"
#include "SceneryParts.h"
#include "StorkDrawing.h"

namespace artwork {
namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
// The prompts stand at (9, 440) and are drawn opaque.
constexpr int kPromptX = 9;
constexpr int kPromptY = 440;
constexpr int kPromptWidth = 622;
constexpr int kPromptHeight = 32;
constexpr double kBandTop = 432;

// The landscape of the game with the title over the sky and a dark band at the foot.
Canvas DrawTitle() {
  Canvas canvas(kScreenWidth, kScreenHeight);
  cairo_t* cr = canvas.cr();
  const Canvas sky = DrawSkyPanorama();
  cairo_set_source_surface(cr, sky.surface(), -150, -1);
  cairo_paint(cr);
  const Canvas hills = DrawHillsPanorama();
  cairo_set_source_surface(cr, hills.surface(), -60, kHillsTop);
  cairo_paint(cr);
  // A few things of the nearer meadow: the fence, the poppies and the nesting box.
  for (const SceneryPicture& p : DrawMiddleScenery()) {
    const struct {
      int group, item, x, y;
    } placed[] = {{2, 2, -250, ScreenTop(316)}, {3, 3, 150, ScreenTop(365)}, {2, 3, 470, ScreenTop(209)}};
    for (const auto& at : placed) {
      if (p.group != at.group || p.item != at.item) continue;
      cairo_set_source_surface(cr, p.canvas.surface(), at.x, at.y);
      cairo_paint(cr);
    }
  }
  // Three storks passing, the nearest one large.
  const struct {
    double x, y, scale, wing;
  } storks[] = {{470, 214, 0.45, 60}, {120, 250, 0.7, -20}, {380, 300, 1.35, 20}};
  for (const auto& s : storks) {
    SavedState saved(cr);
    cairo_translate(cr, s.x, s.y);
    cairo_scale(cr, s.scale, s.scale);
    StorkPose pose;
    pose.near_wing = pose.far_wing = s.wing;
    DrawStork(cr, pose, 1 / s.scale);
  }
  HeadlineText(cr, SerifBoldItalic(), 104, 320, 128, "Veltranzik", 4);
  HeadlineText(cr, SansBold(), 26, 320, 170, "Die gro\u00DFe Storchenjagd", 2.5);
  // The band that carries the prompts.
  cairo_rectangle(cr, 0, kBandTop, kScreenWidth, kScreenHeight - kBandTop);
  SetVerticalGradient(cr, kBandTop, {0x26341C}, kScreenHeight, {0x0E160A});
  cairo_fill(cr);
  cairo_move_to(cr, 0, kBandTop + 1);
  cairo_line_to(cr, kScreenWidth, kBandTop + 1);
  StrokeWith(cr, {0xD8B040}, 2);
  return canvas;
}

IndexedImage Crop(const IndexedImage& image, int x, int y, int width, int height) {
  IndexedImage part(width, height, 0);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) part.at(column, row) = image.at(x + column, y + row);
  return part;
}

IndexedImage DrawWaiting(DataWriter& out) {
  Canvas canvas(kPromptWidth, kPromptHeight);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, kPromptWidth, kPromptHeight);
  SetVerticalGradient(cr, 0, {0x26341C}, kPromptHeight, {0x0E160A});
  cairo_fill(cr);
  cairo_rectangle(cr, 1, 1, kPromptWidth - 2, kPromptHeight - 2);
  StrokeWith(cr, {0xD8B040}, 2);
  PromptText(cr, kPromptWidth / 2.0, 22, "Warte auf den anderen Spieler \u2026");
  return out.Opaque(canvas);
}

IndexedImage DrawHighscoreHeading(DataWriter& out) {
  Canvas canvas(340, 64);
  HeadlineText(canvas.cr(), SerifBoldItalic(), 50, 170, 48, "Highscores", 3);
  return out.Sprite(canvas, "high-score heading");
}

// The palette source: every colour of the game as a swatch, apart from the two special indices.
IndexedImage DrawPaletteChart() {
  IndexedImage chart(128, 128, kBlack);
  for (int index = 0; index < 256; ++index) {
    if (index == kMaskBackground || index == kTransparent) continue;
    for (int y = 1; y < 8; ++y)
      for (int x = 1; x < 8; ++x) chart.at(index % 16 * 8 + x, index / 16 * 8 + y) = static_cast<std::uint8_t>(index);
  }
  return chart;
}

}  // namespace

void MakeScreens(DataWriter& out) {
  Canvas title = DrawTitle();
  out.Picture("cdu\\bpwb.bmp", out.Opaque(title, 8));
  // The ready prompt is cut from the title with its lettering, so that it joins the title exactly.
  PromptText(title.cr(), kPromptX + kPromptWidth / 2.0, kPromptY + 22, "Weiter mit Leertaste, Eingabetaste oder Esc");
  out.Picture("cdu\\weitr.bmp", Crop(out.Opaque(title, 8), kPromptX, kPromptY, kPromptWidth, kPromptHeight));
  out.Picture("cdu\\wartn.bmp", DrawWaiting(out));
  out.Picture("cdu\\high.bmp", DrawHighscoreHeading(out));
  out.Picture("cdu\\tszs.bmp", DrawPaletteChart());
}

}  // namespace artwork
