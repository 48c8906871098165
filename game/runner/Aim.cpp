// Where a player who aims at a stork clicks: on a pixel of the nearest flying stork that shows
// against the open sky, where nothing nearer stands in front of it.

#include "Haupt.h"
#include "ScriptActions.h"

namespace {

// The open sky, clear of the trees at the edges and the scenery below.
constexpr RECT OpenSky = {40, 20, 600, 200};

bool InOpenSky(std::int32_t X, std::int32_t Y) {
  return X >= OpenSky.left && X < OpenSky.right && Y >= OpenSky.top && Y < OpenSky.bottom;
}

std::optional<POINT> PointOn(const TForm1& Game, const TargetRecord& Stork) {
  TVXGFileSprite* picture = FlyingPicture(Game.Assets, Stork);
  if (!picture) return std::nullopt;
  for (std::int32_t y = picture->Height() / 2; y < picture->Height(); ++y)
    for (std::int32_t x = picture->Width() / 2; x < picture->Width(); ++x)
      if (Shows(*picture, x, y) && InOpenSky(Stork.ScreenX + x, Stork.ScreenY + y))
        return POINT{Stork.ScreenX + x, Stork.ScreenY + y};
  return std::nullopt;
}

}  // namespace

std::optional<POINT> StorkInSight(TApplication& Application) {
  auto* game = dynamic_cast<TForm1*>(Application.MainForm());
  if (!game || !game->Assets.BackBuffer) return std::nullopt;
  for (std::int32_t kind = StorkKinds; kind >= 1; --kind)
    for (int slot = LiveTargetSlots; slot >= 1; --slot) {
      const TargetRecord& stork = game->Targets.Targets[static_cast<std::size_t>(slot)];
      if (stork.State != TargetFlying || stork.Kind != kind) continue;
      if (const std::optional<POINT> point = PointOn(*game, stork)) return point;
    }
  return std::nullopt;
}
