// The high-score table over the last frame of a one-player round: the title, six rows of names
// and points in glowing letters, and the prompt for the next round.

#include <array>

#include "Haupt.h"
#include "TextFont.h"

namespace {

constexpr std::int32_t ShownRows = 6;
constexpr std::size_t NameColumnWidth = 17;
constexpr std::size_t PointsColumnWidth = 12;

struct GlowPass {
  std::int32_t Offset;
  TColor Color;
};
// From a wide dark halo to a narrow bright one.
constexpr std::array<GlowPass, 3> GlowPasses{{{3, 0x111111}, {2, 0x005555}, {1, 0x00AAAA}}};
constexpr TColor TextColor = 0x77FFFF;
constexpr TColor TextShadowColor = 0xBBFFFF;

void WriteScratch(TVXGSprite& Scratch, TColor Color, TColor ShadowColor, const std::string& Text) {
  Scratch.ColorFill(nullptr, 0);
  TVXGCanvas canvas(&Scratch);
  UseTextFont(canvas, 34);
  canvas.ShadowText(0, 0, Color, ShadowColor, Text);
}

}  // namespace

void TForm1::ShowHighScores() {
  Assets.HighScoreScratch->ColorFill(nullptr, 0);
  Assets.BackBuffer->Draw(150, 30, *Assets.HighScoreTitle, nullptr, true);
  for (std::int32_t row = 1; row <= ShownRows; ++row) {
    const auto slot = static_cast<std::size_t>(row - 1);
    const std::string name =
        (std::to_string(row) + ". " + Settings.HighScoreNames[slot].Get()).substr(0, NameColumnWidth);
    const std::string points = std::to_string(Settings.HighScorePoints[slot]).substr(0, PointsColumnWidth);
    const std::int32_t y = 100 + 50 * (row - 1);
    DrawGlowingText(70, y, name);
    DrawGlowingText(490, y, points);
  }
  Assets.BackBuffer->Draw(180, 420, *Assets.PromptLine, nullptr, true);
  Assets.BackBuffer->Flip();
  Round.FramesShown += 1;
}

// Each pass goes through the scratch surface and onto the frame with its black left out.
void TForm1::DrawGlowingText(std::int32_t X, std::int32_t Y, const std::string& Text) {
  TVXGSprite& scratch = *Assets.HighScoreScratch;
  TVXGBackBuffer& back = *Assets.BackBuffer;
  for (const GlowPass& pass : GlowPasses) {
    WriteScratch(scratch, pass.Color, pass.Color, Text);
    const std::int32_t m = pass.Offset;
    for (const auto& [dx, dy] : {std::pair{-m, -m}, {-m, 0}, {0, -m}, {m, m}, {m, 0}, {0, m}, {m, -m}, {-m, m}})
      back.Draw(X + dx, Y + dy, scratch, nullptr, true);
  }
  WriteScratch(scratch, TextColor, TextShadowColor, Text);
  back.Draw(X, Y, scratch, nullptr, true);
}
