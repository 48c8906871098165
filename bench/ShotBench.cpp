// A shot in a busy round (the hit mask drawn, the three rows probed, the targets under the point
// tested against their own pictures, a stork brought down) beside the frame of the same scene drawn
// in the same run: a click costs about one frame more, between two frames.

#include <benchmark/benchmark.h>

#include <vector>

#include "BenchGame.h"
#include "game/rules/Magazine.h"

namespace {

constexpr std::uint32_t MaskBackground = 132;

struct Point {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

class ShotScene {
 public:
  ShotScene() : game_(true), form_(*game_.form) {
    bench::FillTheSky(form_);
    form_.Round.ShootingEnabled = true;
    FillMagazine(form_.Magazine);
    // A click comes after a frame, which has brought the view's whole-pixel position up to date.
    form_.RenderFrame();
    targets_ = form_.Targets;
    score_ = form_.Round.Score;
    FindStork();
  }

  TForm1& Form() { return form_; }
  bool Found() const { return found_; }

  void Shoot() { form_.FormMouseDown(form_, platform::MouseButton::Left, 0, aim_.X, aim_.Y); }
  // The scene as it was before the shot, with a full magazine.
  void Restore() {
    form_.Targets = targets_;
    form_.Round.Score = score_;
    FillMagazine(form_.Magazine);
  }
  bool StorkFell() const {
    for (int slot = 1; slot <= LiveTargetSlots; ++slot)
      if (form_.Targets.Targets[static_cast<std::size_t>(slot)].State == TargetFalling) return true;
    return false;
  }

 private:
  // The first point of the mask, from the top, where a shot brings a stork down.
  void FindStork() {
    form_.RenderHitMask();
    TVXGBackBuffer& mask = *form_.Assets.BackBuffer;
    std::vector<Point> shown;
    for (std::int32_t y = 40; y < 440; y += 4)
      for (std::int32_t x = 40; x < 600; x += 4)
        if (mask.Pixels(x, y) != MaskBackground) shown.push_back({x, y});
    for (const Point point : shown) {
      aim_ = point;
      Shoot();
      const bool fell = StorkFell() && form_.Targets.Plane.PlaneState == PlaneCondition::Flying;
      Restore();
      if (fell) {
        found_ = true;
        return;
      }
    }
  }

  bench::BenchGame game_;
  TForm1& form_;
  TargetState targets_;
  std::int32_t score_ = 0;
  Point aim_;
  bool found_ = false;
};

ShotScene& Scene() {
  static ShotScene scene;
  return scene;
}

void Shot_Ours(benchmark::State& state) {
  ShotScene& scene = Scene();
  if (!scene.Found()) {
    state.SkipWithError("no stork to shoot in the scene");
    return;
  }
  for (auto _ : state) {
    scene.Shoot();
    state.PauseTiming();
    if (!scene.StorkFell()) state.SkipWithError("the shot missed");
    scene.Restore();
    state.ResumeTiming();
  }
}
BENCHMARK(Shot_Ours)->Name("Shot/Ours");

void Shot_RenderFrame(benchmark::State& state) {
  TForm1& form = Scene().Form();
  for (auto _ : state) form.RenderFrame();
}
BENCHMARK(Shot_RenderFrame)->Name("Shot/RenderFrame");

}  // namespace
