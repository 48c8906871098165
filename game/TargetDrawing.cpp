// The storks, the ground figures and the plane on the screen, each with the parallax of its depth.
// The hit mask draws them the same way, but only the storks that still fly.

#include "Haupt.h"
#include "game/rules/RoundRules.h"

namespace {

bool Within(std::int32_t Value, std::int32_t Lowest, std::int32_t Highest) {
  return Value >= Lowest && Value <= Highest;
}

}  // namespace

TVXGFileSprite* FlyingPicture(const GameAssets& Assets, const TargetRecord& Stork) {
  const std::int32_t shown = ShownFrame(Stork.Frame);
  if (!Within(shown, 0, StorkFrames - 1)) return nullptr;
  return Assets
      .Storks[static_cast<std::size_t>(Stork.Kind - 1)][static_cast<std::size_t>(shown)][Stork.Direction ? 1 : 0]
      .get();
}

TVXGFileSprite* GroundFigurePicture(const GameAssets& Assets, const GroundFigureRecord& Figure) {
  const auto frame = static_cast<std::size_t>(Figure.Frame - 1);
  if ((Figure.State == FigureRising || Figure.State == FigureSinking) && Within(Figure.Frame, 1, RisingFigureFrames))
    return Assets.RisingFigure[frame].get();
  if (Figure.State == FigureIdle && Within(Figure.Frame, 1, IdleFigureFrames)) return Assets.IdleFigure[frame].get();
  if (Figure.State == FigureHit && Within(Figure.Frame, 1, HitFigureFrames)) return Assets.HitFigure[frame].get();
  return nullptr;
}

// A record from the other side is drawn only when its pictures exist.
void TForm1::DrawTargets(std::int32_t Layer, bool Mask) {
  TVXGBackBuffer& back = *Assets.BackBuffer;
  for (int slot = 1; slot <= LiveTargetSlots; ++slot) {
    TargetRecord& target = Targets.Targets[static_cast<std::size_t>(slot)];
    if (target.Kind != Layer) continue;
    const bool flying = target.State == TargetFlying;
    if (!flying && (Mask || target.State != TargetFalling)) continue;
    target.ScreenX = ::Round((target.X - Round.CameraXInt) * target.Kind / 5);
    target.ScreenY = ::Round(target.Y);
    const auto kind = static_cast<std::size_t>(target.Kind - 1);
    const std::size_t way = target.Direction ? 1 : 0;
    if (flying) {
      if (TVXGFileSprite* picture = FlyingPicture(Assets, target))
        back.Draw(target.ScreenX, target.ScreenY, *picture, nullptr, true);
      continue;
    }
    if (!Within(target.Frame, 1, FallingFrames)) continue;
    TVXGFileSprite& picture = *Assets.FallingStorks[kind][static_cast<std::size_t>(target.Frame - 1)][way];
    back.Draw(target.ScreenX, target.ScreenY, picture, nullptr, true);
    DrawNumber(target.ScreenX + ::Round(picture.Width() * 0.5), ::Round(target.LabelY), target.Points);
  }
}

void TForm1::DrawGroundFigures() {
  TVXGBackBuffer& back = *Assets.BackBuffer;
  for (int slot = 1; slot <= LiveFigureSlots; ++slot) {
    GroundFigureRecord& figure = Targets.GroundFigures[static_cast<std::size_t>(slot)];
    if (figure.State == FigureFree) continue;
    figure.ScreenX = ::Round((figure.X - Round.CameraXInt) * 0.9);
    if (figure.State == FigureHit || figure.State == FigureLabelOnly)
      DrawNumber(figure.ScreenX + 30, ::Round(figure.LabelY), 25);
    if (TVXGFileSprite* picture = GroundFigurePicture(Assets, figure))
      back.Draw(figure.ScreenX, 200, *picture, nullptr, true);
  }
}

void TForm1::DrawPlane() {
  PlaneRecord& plane = Targets.Plane;
  TVXGBackBuffer& back = *Assets.BackBuffer;
  const std::size_t way = plane.PlaneFromRight ? 1 : 0;
  plane.PlaneScreenX = ::Round((plane.PlaneX - Round.CameraXInt) * 0.32);
  back.Draw(plane.PlaneScreenX, plane.PlaneY, *Assets.Plane[way], nullptr, true);
  if (Within(plane.BannerFrame, 1, BannerFrames))
    back.Draw(plane.PlaneScreenX + plane.BannerOffset, plane.PlaneY,
              *Assets.Banners[static_cast<std::size_t>(plane.BannerFrame - 1)][way], nullptr, true);
  if (plane.PlaneState == PlaneCondition::ShotDown)
    DrawNumber(::Round((plane.PlaneLabelX - Round.CameraXInt) * 0.32), ::Round(plane.PlaneLabelY), -25);
}
