// The storks, the ground figures and the plane: spawning, removal and movement per tick. Both sides
// of a two-player game run these rules on the same records, so the tests pin down the order and
// number of random draws, the order of the steps in a tick and the rounding of halves to even.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

#include "game/Targets.h"

namespace {

// Hands out the draws a test scripted, in order; one draw more than scripted is a fault.
class ScriptedRandom final : public RandomSource {
 public:
  void Add(std::initializer_list<double> Draws) { draws_.insert(draws_.end(), Draws); }
  double Next() override {
    if (next_ == draws_.size()) {
      ADD_FAILURE() << "random drawn more often than scripted";
      return 0;
    }
    return draws_[next_++];
  }
  std::size_t Left() const { return draws_.size() - next_; }

 private:
  std::vector<double> draws_;
  std::size_t next_ = 0;
};

class RecordingSounds final : public TargetSounds {
 public:
  void GroundFigureUp() override { ++figuresUp; }
  void Ambient(std::int32_t Number) override { ambient.push_back(Number); }

  int figuresUp = 0;
  std::vector<std::int32_t> ambient;
};

// The draws that make Round(random * 2.05 + 0.05) meet a half exactly.
constexpr double KindDrawHalf = 0.21951219512195125;    // 0.5 rounds to 0: kind 1
constexpr double KindDrawOneHalf = 0.7073170731707318;  // 1.5 rounds to 2: kind 3

TargetRecord Flying(std::int32_t Kind, double X, double Y) {
  TargetRecord target;
  target.Kind = Kind;
  target.State = TargetFlying;
  target.X = X;
  target.Y = Y;
  target.Frame = 1;
  return target;
}

// Ticks the way a round runs them: the counters advance first, then (unless left out) the spawner
// with draws that spawn nothing, then the layers 1 to 5 in turn.
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
      for (std::int32_t layer = 1; layer <= 5; ++layer) {
        if (layer == 1) MovePlane(state.Plane, phase11);
        if (layer == 4) MoveGroundFigures(state, phase11, phase21);
        if (layer <= 3) MoveTargets(state, layer, phase11, cameraXInt);
      }
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

struct StorkCase {
  const char* name;
  int firstFree;  // slots 2 up to this one are taken
  std::vector<double> draws;
  std::int32_t kind;
  bool direction;
  double x, y, dx, dy;
};

TEST(SpawnTargetTest, StorksOfEveryPatternTakeTheirDrawsInOrder) {
  const std::vector<StorkCase> cases = {
      {"above, kind 1 at the half, X 12.5 to 12",
       2,
       {0.5, KindDrawHalf, 1.0 / 256, 0.1, 0.2, 0.5, 0.5},
       1,
       false,
       12,
       -30,
       0.4,
       0.15},
      {"above to the left, kind 2, X 37.5 to 38",
       5,
       {0.0, 0.5, 3.0 / 256, 0.3, 0.7, 0.2, 0.25},
       2,
       true,
       38,
       -60,
       -0.5,
       0.2},
      {"below at 0.35, turned to the right",
       3,
       {0.9, KindDrawOneHalf, 0.5, 0.35, 0.1, 0.7, 0.5, 0.2},
       3,
       false,
       1600,
       480,
       0.75,
       0.15},
      {"below to the left, rising", 29, {0.97, 0.5, 0.25, 0.69, 0.6, 0.1, 0.0, 0.7}, 2, true, 800, 480, -1.0, -0.1},
      {"side at 0.7 to the right", 2, {0.2, 0.9, 0.75, 0.7, 0.4, 0.2, 0.5, 0.4, 0.2}, 3, false, -300, 178, 1.2, 0.03},
      {"side to the left at 0.5, kind 1 from 5800",
       2,
       {0.2, 0.1, 0.75, 0.99, 0.5, 0.1, 0.0, 0.8, 0.7},
       1,
       true,
       5800,
       3,
       -0.8,
       0.02},
      {"side to the left, kind 2 from 4220",
       2,
       {0.2, 0.5, 0.75, 0.8, 0.9, 0.3, 0.25, 0.5, 0.2},
       2,
       true,
       4220,
       90.5,
       -0.8,
       0.025},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TargetState state;
    ClearTargets(state);
    for (int slot = 2; slot < c.firstFree; ++slot) state.Targets[slot] = Flying(1, 0, 0);
    if (c.firstFree > 3) state.Targets[3].State = TargetFalling;
    state.SpawnCounter = 41;
    ScriptedRandom random;
    for (double draw : c.draws) random.Add({draw});
    RecordingSounds sounds;

    SpawnTarget(state, random, sounds);

    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(state.SpawnCounter, 42);
    EXPECT_EQ(state.SpawnMessageKind, 1);
    EXPECT_EQ(state.SpawnMessageIndex, c.firstFree);
    EXPECT_EQ(state.Targets[1].State, TargetFree);
    const TargetRecord& target = state.Targets[c.firstFree];
    EXPECT_EQ(target.State, TargetFlying);
    EXPECT_EQ(target.Frame, 1);
    EXPECT_EQ(target.Kind, c.kind);
    EXPECT_EQ(target.Direction, c.direction);
    EXPECT_EQ(target.X, c.x);
    EXPECT_DOUBLE_EQ(target.Y, c.y);
    EXPECT_DOUBLE_EQ(target.DX, c.dx);
    EXPECT_DOUBLE_EQ(target.DY, c.dy);
    const TargetRecord& copy = state.Targets[0];
    EXPECT_EQ(copy.Kind, target.Kind);
    EXPECT_EQ(copy.State, TargetFlying);
    EXPECT_EQ(copy.X, target.X);
    EXPECT_EQ(copy.DX, target.DX);
    EXPECT_EQ(copy.DY, target.DY);
    EXPECT_TRUE(sounds.ambient.empty());
    EXPECT_EQ(sounds.figuresUp, 0);
  }
}

TEST(SpawnTargetTest, AfterTheRoundSetUpSlotsOneAndThirtyStayUnusedAndBusySlotsSpawnNothing) {
  TargetState state;
  for (auto& target : state.Targets) target = Flying(2, 100, 100);
  for (auto& figure : state.GroundFigures) figure.State = FigureIdle;
  state.GroundFigureCount = 7;
  state.Plane.PlaneState = 2;

  ClearTargets(state);

  EXPECT_EQ(state.Targets[0].State, TargetFlying);
  for (int slot = 1; slot <= 31; ++slot) EXPECT_EQ(state.Targets[slot].State, TargetFree) << slot;
  for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(state.GroundFigures[slot].State, FigureFree) << slot;
  EXPECT_EQ(state.GroundFigureCount, 0);
  EXPECT_EQ(state.Plane.PlaneState, 0);

  state.Targets[0].State = TargetFree;
  for (int slot = 2; slot <= 29; ++slot) state.Targets[slot] = Flying(slot % 3 + 1, 1000, 100);
  state.Targets[17].State = TargetFalling;
  state.SpawnMessageKind = 2;
  state.SpawnMessageIndex = 4;
  ScriptedRandom random;
  random.Add({0.5});
  RecordingSounds sounds;

  EXPECT_FALSE(SpawnTarget(state, random, sounds)) << "nothing to send";

  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(state.SpawnCounter, 1);
  EXPECT_EQ(state.Targets[1].State, TargetFree);
  EXPECT_EQ(state.Targets[30].State, TargetFree);
  EXPECT_EQ(state.Targets[31].State, TargetFree);
  EXPECT_EQ(state.Targets[0].State, TargetFree);
  EXPECT_EQ(state.SpawnMessageKind, 2);
  EXPECT_EQ(state.SpawnMessageIndex, 4);
}

TEST(SpawnTargetTest, GroundFiguresTakeTheLowestFreeSlotAndNeverPassSeven) {
  TargetState state;
  ClearTargets(state);
  state.GroundFigures[2].State = FigureLabelOnly;
  state.GroundFigureCount = 1;
  state.GroundFigures[1].Age = 33;
  ScriptedRandom random;
  RecordingSounds sounds;

  random.Add({0.98, 1.0 / 16});  // 187.5 rounds to 188
  EXPECT_TRUE(SpawnTarget(state, random, sounds));
  EXPECT_EQ(random.Left(), 0u);
  const GroundFigureRecord& first = state.GroundFigures[1];
  EXPECT_EQ(first.State, FigureRising);
  EXPECT_EQ(first.X, 188);
  EXPECT_EQ(first.Frame, 1);
  EXPECT_EQ(first.Age, 0);
  EXPECT_EQ(sounds.figuresUp, 1);
  EXPECT_EQ(state.GroundFigureCount, 2);
  EXPECT_EQ(state.SpawnMessageKind, 2);
  EXPECT_EQ(state.SpawnMessageIndex, 1);
  EXPECT_EQ(state.OutgoingFigure.X, 188);
  EXPECT_EQ(state.OutgoingFigure.State, FigureRising);

  random.Add({0.99, 3.0 / 16});  // 562.5 rounds to 562; slot 2 still shows its label
  SpawnTarget(state, random, sounds);
  EXPECT_EQ(state.SpawnMessageIndex, 3);
  EXPECT_EQ(state.GroundFigures[3].X, 562);
  EXPECT_EQ(state.OutgoingFigure.X, 562);

  for (int slot = 4; slot <= 7; ++slot) {
    random.Add({0.999, slot / 10.0});
    SpawnTarget(state, random, sounds);
    EXPECT_EQ(state.SpawnMessageIndex, slot);
  }
  EXPECT_EQ(state.GroundFigureCount, 7);
  EXPECT_EQ(sounds.figuresUp, 6);

  // Seven live: only the choice between stork and figure is drawn, and nothing changes.
  random.Add({0.985});
  EXPECT_FALSE(SpawnTarget(state, random, sounds));
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(state.GroundFigureCount, 7);
  EXPECT_EQ(state.SpawnMessageIndex, 7);
  EXPECT_EQ(state.GroundFigures[8].State, FigureFree);
  EXPECT_EQ(state.SpawnCounter, 7);

  // A count behind the slots (a two-player record arrived): no slot of 1 to 7 is free, slot 8 goes out.
  state.GroundFigureCount = 6;
  state.GroundFigures[8].X = 2999;
  random.Add({0.985});
  EXPECT_TRUE(SpawnTarget(state, random, sounds));
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(state.GroundFigureCount, 7);
  EXPECT_EQ(sounds.figuresUp, 6);
  EXPECT_EQ(state.SpawnMessageKind, 2);
  EXPECT_EQ(state.SpawnMessageIndex, 8);
  EXPECT_EQ(state.OutgoingFigure.X, 2999);
  EXPECT_EQ(state.OutgoingFigure.State, FigureFree);
}

TEST(SpawnRandomTest, OneTickRemovesThenSpawnsThenSoundsThenStartsThePlane) {
  TargetState state;
  ClearTargets(state);
  state.SpawnThreshold = 0.86;
  for (int slot = 2; slot <= 29; ++slot) state.Targets[slot] = Flying(2, 1000, 100);
  state.Targets[2].X = 5800.5;  // out, so its slot is free again before the spawn
  state.Plane.PlaneState = 1;
  state.Plane.PlaneX = 5301;  // out, so a new plane may start in the same tick
  state.Plane.PlaneDY = 5;
  state.Plane.BannerFrame = 7;
  ScriptedRandom random;
  random.Add({0.049, 0.87, 0.5, 0.5, 0.5, 0.1, 0.2, 0.5, 0.5});  // the spawn: a stork from above
  random.Add({0.0009, 0.5});                                     // ambient sound 7.995 -> 8
  random.Add({0.0014, 0.6, 1.0 / 32});                           // the plane: from the right, 8.5 -> 8
  RecordingSounds sounds;

  EXPECT_TRUE(SpawnRandom(state, 1, true, random, sounds));

  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(state.SpawnMessageIndex, 2);
  EXPECT_EQ(state.Targets[2].X, 1600);
  EXPECT_EQ(state.Targets[2].Y, -60);
  EXPECT_EQ(sounds.ambient, std::vector<std::int32_t>{8});
  const PlaneRecord& plane = state.Plane;
  EXPECT_EQ(plane.PlaneState, 1);
  EXPECT_EQ(plane.PlaneFromRight, 1);
  EXPECT_EQ(plane.PlaneDX, -8);
  EXPECT_EQ(plane.PlaneX, 5200);
  EXPECT_EQ(plane.PlaneY, 8);
  EXPECT_EQ(plane.PlaneDY, 0);
  EXPECT_EQ(plane.BannerFrame, 1);
  EXPECT_EQ(plane.BannerOffset, 120);

  // From the left; 9.5 rounds to 10. The highest ambient draw is sound 15.
  state.Plane.PlaneY = 491;
  random.Add({0.5, 0.0009, 0.999, 0.001, 0.5, 3.0 / 32});
  EXPECT_FALSE(SpawnRandom(state, 1, true, random, sounds));
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(sounds.ambient, (std::vector<std::int32_t>{8, 15}));
  EXPECT_EQ(plane.PlaneState, 1);
  EXPECT_EQ(plane.PlaneFromRight, 0);
  EXPECT_EQ(plane.PlaneDX, 10);
  EXPECT_EQ(plane.PlaneX, -950);
  EXPECT_EQ(plane.BannerOffset, -200);
}

TEST(SpawnRandomTest, DrawsOnlyWhatEachConditionReaches) {
  TargetState state;
  ClearTargets(state);
  state.SpawnThreshold = 0.86;
  state.Targets[5] = Flying(1, 6000, 100);
  ScriptedRandom random;
  RecordingSounds sounds;

  // Not the first tick of eleven: no removal and no plane draw, even with no plane in the air.
  random.Add({0.05, 0.001});
  EXPECT_FALSE(SpawnRandom(state, 2, true, random, sounds));
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(state.Targets[5].State, TargetFlying);
  EXPECT_EQ(state.Plane.PlaneState, 0);

  // A draw equal to the threshold does not exceed it.
  random.Add({0.0, 0.86, 0.5});
  EXPECT_FALSE(SpawnRandom(state, 0, true, random, sounds));
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(state.SpawnCounter, 0);

  // The joining side draws as the host does but never spawns.
  random.Add({0.0, 0.99, 0.5});
  EXPECT_FALSE(SpawnRandom(state, 3, false, random, sounds));
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(state.SpawnCounter, 0);

  // A plane in the air: its chance is drawn all the same, and it flies on untouched.
  state.Plane.PlaneState = 1;
  state.Plane.PlaneX = 300;
  random.Add({0.5, 0.5, 0.0});
  SpawnRandom(state, 1, true, random, sounds);
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(state.Plane.PlaneState, 1);
  EXPECT_EQ(state.Plane.PlaneX, 300);
  EXPECT_EQ(state.Targets[5].State, TargetFree);
  EXPECT_TRUE(sounds.ambient.empty());
}

TEST(SpawnRandomTest, RemovesStorksAndThePlaneOnlyBeyondTheirBounds) {
  TargetState state;
  ClearTargets(state);
  const std::vector<std::pair<TargetRecord, bool>> slots = {
      {Flying(1, 5800, 100), false},  {Flying(1, 5800.01, 100), true}, {Flying(2, -310, 100), false},
      {Flying(2, -310.5, 100), true}, {Flying(3, 100, -80), false},    {Flying(3, 100, -80.5), true},
      {Flying(1, 100, 482), false},   {Flying(1, 100, 482.5), true},
  };
  for (std::size_t i = 0; i < slots.size(); ++i) state.Targets[i + 1] = slots[i].first;
  state.Targets[9] = Flying(2, 100, 600);
  state.Targets[9].State = TargetFalling;
  state.Targets[9].LabelY = -50;
  state.Targets[10] = state.Targets[9];
  state.Targets[10].LabelY = -50.5;
  state.Targets[11] = state.Targets[10];
  state.Targets[11].Y = 300;
  state.Targets[30] = Flying(1, 7000, 100);
  state.Targets[31] = Flying(1, 7000, 100);
  ScriptedRandom random;
  random.Add({0.5, 0.5, 0.5});
  RecordingSounds sounds;

  SpawnRandom(state, 1, true, random, sounds);

  for (std::size_t i = 0; i < slots.size(); ++i) {
    EXPECT_EQ(state.Targets[i + 1].State, slots[i].second ? TargetFree : TargetFlying) << "slot " << i + 1;
  }
  EXPECT_EQ(state.Targets[9].State, TargetFalling);
  EXPECT_EQ(state.Targets[10].State, TargetFree);
  EXPECT_EQ(state.Targets[11].State, TargetFalling);
  EXPECT_EQ(state.Targets[30].State, TargetFree);
  EXPECT_EQ(state.Targets[31].State, TargetFlying);

  // The plane goes on any tick, but only once past one of its bounds.
  for (const auto& [x, y, gone] : {std::tuple{5300, 490, false}, std::tuple{-1000, 8, false}, std::tuple{5301, 8, true},
                                   std::tuple{-1001, 8, true}, std::tuple{0, 491, true}}) {
    state.Plane.PlaneState = 2;
    state.Plane.PlaneX = x;
    state.Plane.PlaneY = y;
    random.Add({0.5, 0.5});
    SpawnRandom(state, 7, true, random, sounds);
    EXPECT_EQ(state.Plane.PlaneState, gone ? 0 : 2) << x << ", " << y;
  }
  EXPECT_EQ(random.Left(), 0u);
}

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
  plane.PlaneState = 2;
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
  EXPECT_EQ(plane.PlaneState, 2);
  world.Ticks(11, true);
  EXPECT_EQ(plane.PlaneState, 0);
  EXPECT_EQ(world.random.Left(), 0u);
}

}  // namespace
