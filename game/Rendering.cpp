// The frame: the landscape in its five depth layers with the targets among them, then the
// heads-up display: clock, score, cartridges, promotional strip and crosshair.

#include "Haupt.h"
#include "game/rules/RoundRules.h"
#include "platform/win/Clock.h"

void TForm1::RenderFrame() {
  TVXGBackBuffer& back = *Assets.BackBuffer;
  back.ColorFill(nullptr, 0);
  Round.CameraXInt = ::Round(Round.CameraX);
  for (std::int32_t layer = 1; layer <= 5; ++layer) {
    DrawScenery(layer, false);
    if (layer == 1 && Targets.Plane.PlaneState != PlaneCondition::Absent) DrawPlane();
    if (layer == 4) DrawGroundFigures();
    if (layer <= 3) DrawTargets(layer, false);
  }
  DrawClock();
  PlayCountdown();
  DrawNumber(580, 7, Round.Score);
  if (Net.NetworkGame) DrawOpponent();
  DrawCartridges();
  back.Draw(70, 450, *Assets.PromoStrip, nullptr, true);
  back.Draw(Round.CursorX - 16, Round.CursorY - 16, *Assets.Crosshair, nullptr, true);
}

// The hit mask draws the landscape's mask pictures in the landscape's place.
void TForm1::DrawScenery(std::int32_t Layer, bool Mask) {
  const auto group = static_cast<std::size_t>(6 - Layer);
  const auto& pictures = Mask ? Assets.SceneryMasks[group - 1] : Assets.Scenery[group - 1];
  for (std::int32_t item = 1; item <= Targets.Scenery.Count[group - 1]; ++item) {
    const auto index = static_cast<std::size_t>(item - 1);
    const ScreenPoint at = SceneryOnScreen(Layer, Targets.Scenery.Places[group - 1][index], Round.CameraXInt);
    Assets.BackBuffer->Draw(at.X, at.Y, *pictures[index], nullptr, true);
  }
}

void TForm1::DrawClock() {
  const std::int32_t remaining =
      RemainingSeconds(Round.RoundSeconds, static_cast<std::int64_t>(GetTickCount64()) - Round.RoundStartTick);
  const ClockFace face = ClockFaceOf(remaining);
  TVXGBackBuffer& back = *Assets.BackBuffer;
  back.Draw(3, 7, *Assets.Numbers[static_cast<std::size_t>(std::min(face.Minutes, 9))], nullptr, true);
  back.Draw(30, 7, *Assets.Numbers[ColonPicture], nullptr, true);
  back.Draw(60, 7, *Assets.Numbers[static_cast<std::size_t>(face.Tens)], nullptr, true);
  back.Draw(93, 7, *Assets.Numbers[static_cast<std::size_t>(face.Ones)], nullptr, true);
}

// The ticking of the last ten seconds, louder each second, and the signal of the last one.
void TForm1::PlayCountdown() {
  const std::int32_t remaining =
      RemainingSeconds(Round.RoundSeconds, static_cast<std::int64_t>(GetTickCount64()) - Round.RoundStartTick);
  if (remaining == Round.LastShownSeconds) return;
  const CountdownCue cue = CountdownFor(remaining);
  TVXGSoundFileSample& countdown = *Assets.Countdown;
  if (cue.StartLoop) {
    countdown.Play(true);
    countdown.SetVol(CountdownStartVolume);
  }
  if (cue.Louder) countdown.SetVol(countdown.GetVol() + CountdownVolumeStep);
  if (cue.LastSecond) Assets.LastSecond->Play(false);
  Round.LastShownSeconds = remaining;
}

void TForm1::DrawNumber(std::int32_t X, std::int32_t Y, std::int32_t Value) {
  for (const NumberCell& cell : NumberCells(X, Value))
    Assets.BackBuffer->Draw(cell.X, Y, *Assets.Numbers[static_cast<std::size_t>(cell.Picture)], nullptr, true);
}

// Icon 1 stands at the right, icon 8 at the left; an icon shows its full cartridge or the
// picture of its ejection.
void TForm1::DrawCartridges() {
  for (std::int32_t u = 1; u <= std::min(Magazine.IconCount, MagazineSize); ++u) {
    const std::int32_t step = Magazine.IconStep[static_cast<std::size_t>(u)];
    const FileSprite& picture =
        step == 0 ? Assets.Cartridge
                  : Assets.CartridgeEjection[static_cast<std::size_t>(std::clamp(step, 1, EjectionFrames) - 1)];
    Assets.BackBuffer->Draw(630 - 30 * u, 420, *picture, nullptr, true);
  }
}
