// Movement per tick: storks flying and falling, ground figures rising, idling, sinking and hit,
// and the plane with its banner, flying and shot down.

#include <cstdint>
#include <vector>

#include "TargetsTestSupport.h"

namespace targets_test {
namespace {

// Ticks the way a round runs them: the counters advance first, then (unless left out) the spawner
// with draws that spawn nothing, then the movement.
struct World {
  explicit World(std::int32_t Phase11At = 0, std::int32_t Phase21At = 0) : phase11(Phase11At), phase21(Phase21At) {
    ClearTargets(state);
    state.SpawnThreshold = 0.86;
  }

  void Ticks(int Count, bool WithSpawner = false) {
    for (int i = 0; i < Count; ++i) {
      ++ticks;
      if (++phase11 > 10) phase11 = 0;
      if (++phase21 > 20) phase21 = 0;
      if (WithSpawner) {
        // No spawn, no ambient sound, and on the first tick of eleven no plane.
        random.Add({0.5, 0.5});
        if (phase11 == 1) random.Add({0.5});
        EXPECT_FALSE(SpawnRandom(state, phase11, true, random, sounds));
      }
      MoveAll(state, phase11, phase21, cameraXInt);
    }
  }

  TargetState state;
  std::int32_t phase11;
  std::int32_t phase21;
  std::int32_t cameraXInt = 0;
  int ticks = 0;
  ScriptedRandom random;
  RecordingSounds sounds;
};

TEST(MoveTargetsTest, StorksFlyBeatTheirWingsAndBigOnesFromAboveNeverArrive) {
  World world;
  for (const auto& draws : {std::vector<double>{0.5, KindDrawHalf, 0.25, 0.1, 0.2, 0.5, 0.5},
                            std::vector<double>{0.5, 0.5, 0.25, 0.1, 0.2, 0.5, 0.5},
                            std::vector<double>{0.5, KindDrawOneHalf, 0.25, 0.1, 0.2, 0.5, 0.5}}) {
    for (double draw : draws) world.random.Add({draw});
    SpawnTarget(world.state, world.random, world.sounds);
  }
  ASSERT_EQ(world.state.Targets[4].Kind, 3);
  EXPECT_EQ(world.state.Targets[4].Y, -90);

  world.Ticks(1, true);  // the first removal pass comes at once
  EXPECT_EQ(world.state.Targets[4].State, TargetFree);
  world.Ticks(10, true);
  world.Ticks(1, true);
  // Kind 1 (DX 0.4, DY 0.15) and kind 2 (DX 0.8, DY 0.3) have flown 12 ticks at half their speed.
  const TargetRecord& small = world.state.Targets[2];
  const TargetRecord& medium = world.state.Targets[3];
  EXPECT_EQ(small.State, TargetFlying);
  EXPECT_EQ(medium.State, TargetFlying);
  EXPECT_NEAR(small.X, 800 + 12 * 0.2, 1e-9);
  EXPECT_NEAR(small.Y, -30 + 12 * 0.075, 1e-9);
  EXPECT_NEAR(medium.X, 800 + 12 * 0.4, 1e-9);
  EXPECT_NEAR(medium.Y, -60 + 12 * 0.15, 1e-9);
  // One wing step on each tick where the counter of eleven turns 2: only tick 2 so far.
  EXPECT_EQ(small.Frame, 2);
  EXPECT_EQ(medium.Frame, 2);

  // Frames 2 to 18 and back to 0 and 1; the picture goes 0 to 9 and back.
  std::vector<std::int32_t> frames;
  std::vector<std::int32_t> shown;
  for (int step = 0; step < 18; ++step) {
    world.Ticks(11);
    frames.push_back(medium.Frame);
    shown.push_back(ShownFrame(medium.Frame));
  }
  EXPECT_EQ(frames, (std::vector<std::int32_t>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 1}));
  EXPECT_EQ(shown, (std::vector<std::int32_t>{3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 1}));
  EXPECT_EQ(world.random.Left(), 0u);
}

TEST(MoveTargetsTest, FallingStorksRoundTheirPlaceAndAreFreedOnlyOnceTheLabelIsAboveMinus50) {
  World world;
  world.cameraXInt = 100;
  auto falling = [](std::int32_t Kind, double X, double Y, double LabelY) {
    TargetRecord target = Flying(Kind, X, Y);
    target.State = TargetFalling;
    target.LabelY = LabelY;
    target.DX = 3;
    return target;
  };
  world.state.Targets[1] = falling(1, 112.5, 0, 0);      // 2.5 rounds to 2
  world.state.Targets[2] = falling(1, 107.5, 0, 0);      // 1.5 rounds to 2
  world.state.Targets[3] = falling(3, 107.5, 0, 0);      // 4.5 rounds to 4
  world.state.Targets[4] = falling(2, 100, 0.5, 480.5);  // falls 1 per tick: 1.5, 2.5, 3.5

  std::vector<std::int32_t> screenY;
  for (int tick = 0; tick < 3; ++tick) {
    world.Ticks(1);
    screenY.push_back(world.state.Targets[4].ScreenY);
  }
  EXPECT_EQ(screenY, (std::vector<std::int32_t>{2, 2, 4}));
  EXPECT_EQ(world.state.Targets[1].ScreenX, 2);
  EXPECT_EQ(world.state.Targets[2].ScreenX, 2);
  EXPECT_EQ(world.state.Targets[3].ScreenX, 4);
  EXPECT_EQ(world.state.Targets[1].X, 112.5);
  EXPECT_NEAR(world.state.Targets[1].Y, 2.0, 1e-9);
  EXPECT_NEAR(world.state.Targets[3].Y, 4.0, 1e-9);
  EXPECT_EQ(world.state.Targets[4].Frame, 2);
  EXPECT_EQ(world.state.Targets[4].LabelY, 479);

  // The label starts tick t at 480.5 - 0.5 * (t - 1): -47.5 at the removal pass of tick 1057, below
  // -50 first on tick 1063, so the slot is freed by the pass of tick 1068.
  world.Ticks(1064, true);
  EXPECT_EQ(world.state.Targets[4].State, TargetFalling);
  EXPECT_EQ(world.state.Targets[4].Frame, 6);
  EXPECT_EQ(world.state.Targets[4].ScreenY, 1068);  // 0.5 + 1067, half to even
  world.Ticks(1, true);
  EXPECT_EQ(world.state.Targets[4].State, TargetFree);
  EXPECT_EQ(world.random.Left(), 0u);
}

TEST(MoveGroundFiguresTest, AFigureRisesIdlesUntilAge40SinksAndFrees) {
  World world;
  world.state.GroundFigureCount = 1;
  world.random.Add({0.99, 0.5});
  SpawnTarget(world.state, world.random, world.sounds);
  ASSERT_EQ(world.state.GroundFigureCount, 2);
  const GroundFigureRecord& figure = world.state.GroundFigures[1];

  // The age counts on ticks 1, 22, 43, ...: age a after tick 21 * (a - 1) + 1.
  auto toAge = [&world](int Age) { world.Ticks(21 * (Age - 1) + 1 - world.ticks); };
  toAge(1);
  EXPECT_EQ(figure.State, FigureRising);
  EXPECT_EQ(figure.Frame, 2);
  toAge(12);
  EXPECT_EQ(figure.Frame, 13);
  toAge(13);
  EXPECT_EQ(figure.State, FigureIdle);
  EXPECT_EQ(figure.Frame, 1);
  toAge(16);
  EXPECT_EQ(figure.Frame, 4);
  toAge(17);
  EXPECT_EQ(figure.Frame, 1);
  toAge(39);
  EXPECT_EQ(figure.State, FigureIdle);
  EXPECT_EQ(figure.Frame, 3);
  toAge(40);
  EXPECT_EQ(figure.State, FigureSinking);
  EXPECT_EQ(figure.Frame, 13);
  toAge(52);
  EXPECT_EQ(figure.Frame, 1);
  world.Ticks(20);
  EXPECT_EQ(figure.State, FigureSinking);
  EXPECT_EQ(world.state.GroundFigureCount, 2);
  world.Ticks(1);
  EXPECT_EQ(figure.State, FigureFree);
  EXPECT_EQ(figure.Age, 53);
  EXPECT_EQ(world.state.GroundFigureCount, 1);
  EXPECT_EQ(world.random.Left(), 0u);
}

TEST(MoveGroundFiguresTest, AHitFigureShowsItsPicturesThenItsLabelAndFrees) {
  // The counter of twenty-one turns 1 on ticks 12, 33, 54, ...; the fast steps come on ticks 1, 5, 12, 16, ...
  World world(0, 10);
  world.state.GroundFigureCount = 3;
  GroundFigureRecord& figure = world.state.GroundFigures[8];
  figure.State = FigureHit;
  figure.Frame = 1;
  figure.Age = 38;
  figure.LabelY = 270;

  world.Ticks(11);
  EXPECT_EQ(figure.Frame, 3);
  // Tick 12: the fast step to 4, then the slow one to 5 in the same tick.
  world.Ticks(1);
  EXPECT_EQ(figure.Frame, 5);
  // Hit after tick 16, another figure steps to 2 and 3 on ticks 23 and 27, stays at 3 on the slow
  // tick 33 and takes the fast step to 4 only on tick 34.
  world.Ticks(4);
  GroundFigureRecord& later = world.state.GroundFigures[1];
  later.State = FigureHit;
  later.Frame = 1;
  later.LabelY = 270;
  world.Ticks(17);
  EXPECT_EQ(later.Frame, 3);
  EXPECT_EQ(figure.Age, 40);
  EXPECT_EQ(figure.State, FigureHit);
  EXPECT_EQ(figure.Frame, 6);
  world.Ticks(1);
  EXPECT_EQ(later.Frame, 4);
  world.Ticks(82);
  EXPECT_EQ(figure.Frame, 9);
  world.Ticks(1);  // tick 117
  EXPECT_EQ(figure.State, FigureLabelOnly);
  EXPECT_EQ(figure.Frame, 10);
  EXPECT_EQ(figure.LabelY, 270 - 117 * 0.5);

  // The label is tested before it rises: -40.5 after tick 621 frees the slot only on tick 622.
  world.Ticks(621 - 117);
  EXPECT_EQ(figure.State, FigureLabelOnly);
  EXPECT_EQ(figure.LabelY, -40.5);
  world.Ticks(1);
  EXPECT_EQ(figure.State, FigureFree);
  EXPECT_EQ(figure.LabelY, -40.5);
  EXPECT_EQ(later.State, FigureLabelOnly);
  EXPECT_EQ(world.state.GroundFigureCount, 2);
}

TEST(MovePlaneTest, BannerTurnsOncePerElevenTicksAndAShotDownPlaneSinksUntilRemoved) {
  World world;
  PlaneRecord& plane = world.state.Plane;
  world.random.Add({0.5, 0.5, 0.001, 0.4, 0.5});  // a plane from the left at speed 16
  SpawnRandom(world.state, 1, true, world.random, world.sounds);
  ASSERT_EQ(plane.PlaneDX, 16);

  std::vector<std::int32_t> banner;
  for (int step = 0; step < 10; ++step) {
    world.Ticks(step == 0 ? 1 : 11);
    banner.push_back(plane.BannerFrame);
  }
  EXPECT_EQ(banner, (std::vector<std::int32_t>{2, 3, 4, 5, 6, 7, 8, 9, 1, 2}));
  EXPECT_EQ(plane.PlaneX, -950 + 10 * 16);
  world.Ticks(10);
  EXPECT_EQ(plane.PlaneX, -950 + 10 * 16);

  // Shot down on tick 110: it keeps its way and drops 5 pixels per 11 ticks; the label rises 1/6 per tick.
  plane.PlaneState = PlaneCondition::ShotDown;
  plane.PlaneDY = 5;
  plane.PlaneDX = 11;
  plane.PlaneLabelY = 35;
  world.Ticks(12);
  EXPECT_EQ(plane.PlaneY, 8 + 2 * 5);
  EXPECT_EQ(plane.PlaneX, -950 + 10 * 16 + 2 * 11);
  EXPECT_NEAR(plane.PlaneLabelY, 33, 1e-9);
  EXPECT_EQ(plane.BannerFrame, 4);

  // Removed once below 490: at y 493 after 97 drops, on the next removal pass.
  world.Ticks(11 * 95, true);
  EXPECT_EQ(plane.PlaneY, 8 + 97 * 5);
  EXPECT_EQ(plane.PlaneState, PlaneCondition::ShotDown);
  world.Ticks(11, true);
  EXPECT_EQ(plane.PlaneState, PlaneCondition::Absent);
  EXPECT_EQ(world.random.Left(), 0u);
}

}  // namespace
}  // namespace targets_test
