// A shot, from the click to its result: a cartridge and a sound, the scene drawn again as a hit
// mask, three rows probed at the shot point, and the nearest target under it hit.

#include <algorithm>

#include "Haupt.h"
#include "game/rules/GameMath.h"
#include "game/rules/Magazine.h"

namespace {

constexpr std::uint32_t MaskBackground = 132;
constexpr std::uint32_t TargetTransparent = 170;
constexpr std::int32_t GroundFigureTop = 200;

bool InBox(const TVXGSurface& Picture, std::int32_t X, std::int32_t Y) {
  return X > 0 && X < Picture.Width() && Y > 0 && Y < Picture.Height();
}

}  // namespace

bool Shows(TVXGSurface& Picture, std::int32_t X, std::int32_t Y) {
  return X > 0 && X < Picture.Width() && Y > 0 && Y < Picture.Height() && Picture.Pixels(X, Y) != TargetTransparent;
}

void TForm1::FormMouseDown(TControl& /*Sender*/, platform::MouseButton Button, TShiftState /*Shift*/, std::int32_t X,
                           std::int32_t Y) {
  if (Button == platform::MouseButton::Right && Magazine.Cartridges == 0) {
    Play(Assets.Reload);
    FillMagazine(Magazine);
    return;
  }
  if (Button != platform::MouseButton::Left || !Round.ShootingEnabled || Magazine.Cartridges < 1) return;
  Shoot(X, Y);
}

// A click outside the picture (the window may be larger) counts at its nearest edge, as the rows do.
void TForm1::Shoot(std::int32_t X, std::int32_t Y) {
  Play(Assets.Shots[static_cast<std::size_t>(NextShotSound(Magazine) - 1)]);
  TakeCartridge(Magazine);
  X = std::clamp(X, 0, Program.DisplayWidth - 1);
  Round.CursorX = X;
  Round.CursorY = Y;
  Magazine.ShotPending = true;
  RenderHitMask();
  bool tested = false;
  bool hit = false;
  for (const std::int32_t offset : {-1, 0, 1}) {
    const std::int32_t row = std::clamp(Y + offset, 0, Program.DisplayHeight - 1);
    Round.CursorY = row;
    if (Assets.BackBuffer->Pixels(X, row) != MaskBackground && Magazine.ShotPending) {
      Magazine.ShotPending = false;
      tested = true;
      hit = HitGroundFigure(X, row) || HitStork(X, row);
    }
    if (tested && !hit && Targets.Plane.PlaneState == PlaneCondition::Flying) hit = HitPlane(X, row);
  }
}

void TForm1::RenderHitMask() {
  Assets.BackBuffer->ColorFill(nullptr, MaskBackground);
  for (std::int32_t layer = 1; layer <= 5; ++layer) {
    DrawScenery(layer, true);
    if (layer == 1 && Targets.Plane.PlaneState != PlaneCondition::Absent) DrawPlane();
    if (layer == 4) DrawGroundFigures();
    if (layer <= 3) DrawTargets(layer, true);
  }
}

// The other player learns of a hit with the next exchange, a few ticks later, as the record then
// stands: an exchange of its own here would fall between two of the other side's and leave the
// two worlds a whole exchange apart from then on.
void TForm1::SendHit(RecordKind Kind, std::int32_t Slot) {
  if (!Net.NetworkGame) return;
  Targets.SpawnMessageKind = Kind;
  Targets.SpawnMessageIndex = Slot;
  protocol_.AnnounceUpdate(Kind, Slot);
}

// A later slot that passes takes the place of an earlier one.
bool TForm1::HitGroundFigure(std::int32_t X, std::int32_t Row) {
  int hitSlot = 0;
  for (int slot = 1; slot <= LiveFigureSlots; ++slot) {
    const GroundFigureRecord& figure = Targets.GroundFigures[static_cast<std::size_t>(slot)];
    if (figure.State == FigureHit) continue;
    TVXGFileSprite* picture = GroundFigurePicture(Assets, figure);
    if (picture && Shows(*picture, X - figure.ScreenX, Row - GroundFigureTop)) hitSlot = slot;
  }
  if (hitSlot == 0) return false;
  GroundFigureRecord& figure = Targets.GroundFigures[static_cast<std::size_t>(hitSlot)];
  Play(Assets.FigureHit);
  Round.Score += 25;
  figure.State = FigureHit;
  figure.Frame = 1;
  figure.HitX = figure.X + FigureHitOffset;
  figure.LabelY = 270;
  SendHit(RecordKind::Figure, hitSlot);
  return true;
}

// The layers from far to near, the slots in order: the nearest layer wins, and in it the highest slot.
bool TForm1::HitStork(std::int32_t X, std::int32_t Row) {
  int hitSlot = 0;
  for (std::int32_t layer = 1; layer <= 3; ++layer)
    for (int slot = 1; slot <= LiveTargetSlots; ++slot) {
      const TargetRecord& target = Targets.Targets[static_cast<std::size_t>(slot)];
      if (target.State != TargetFlying || target.Kind != layer) continue;
      TVXGFileSprite* picture = FlyingPicture(Assets, target);
      if (picture && Shows(*picture, X - target.ScreenX, Row - target.ScreenY)) hitSlot = slot;
    }
  if (hitSlot == 0) return false;
  TargetRecord& target = Targets.Targets[static_cast<std::size_t>(hitSlot)];
  target.State = TargetFalling;
  target.Frame = 1;
  target.Points = StorkPoints[static_cast<std::size_t>(target.Kind - 1)];
  Round.Score += target.Points;
  target.LabelY = target.Y + 5 * target.Kind;
  SendHit(RecordKind::Stork, hitSlot);
  return true;
}

// Only the boxes of the plane and its banner count, not their pixels.
bool TForm1::HitPlane(std::int32_t X, std::int32_t Row) {
  PlaneRecord& plane = Targets.Plane;
  const std::size_t way = plane.PlaneFromRight ? 1 : 0;
  const std::int32_t ly = Row - plane.PlaneY;
  bool hit = InBox(*Assets.Plane[way], X - plane.PlaneScreenX, ly);
  if (plane.BannerFrame >= 1 && plane.BannerFrame <= BannerFrames)
    hit = hit || InBox(*Assets.Banners[static_cast<std::size_t>(plane.BannerFrame - 1)][way],
                       X - plane.PlaneScreenX - plane.BannerOffset, ly);
  if (!hit) return false;
  Play(Assets.Explosion);
  Round.Score = std::max(0, Round.Score - 25);
  plane.PlaneState = PlaneCondition::ShotDown;
  plane.PlaneDY = 5;
  plane.PlaneDX = ::Round(plane.PlaneDX * 0.7);
  plane.PlaneLabelY = 35;
  plane.PlaneLabelX = plane.PlaneX + ::Round(plane.BannerOffset / 2.0);
  return true;
}
