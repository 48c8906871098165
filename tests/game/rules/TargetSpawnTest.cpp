// Spawning and removal: a stork or a ground figure spawned from its draws, and one tick of the
// spawner that removes what has left, spawns, plays an ambient sound and starts the plane.

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

#include "TargetsTestSupport.h"

namespace targets_test {
namespace {

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
    EXPECT_EQ(state.SpawnMessageKind, RecordKind::Stork);
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
  state.Plane.PlaneState = PlaneCondition::ShotDown;

  ClearTargets(state);

  EXPECT_EQ(state.Targets[0].State, TargetFlying);
  for (int slot = 1; slot <= 31; ++slot) EXPECT_EQ(state.Targets[slot].State, TargetFree) << slot;
  for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(state.GroundFigures[slot].State, FigureFree) << slot;
  EXPECT_EQ(state.GroundFigureCount, 0);
  EXPECT_EQ(state.Plane.PlaneState, PlaneCondition::Absent);

  state.Targets[0].State = TargetFree;
  for (int slot = 2; slot <= 29; ++slot) state.Targets[slot] = Flying(slot % 3 + 1, 1000, 100);
  state.Targets[17].State = TargetFalling;
  state.SpawnMessageKind = RecordKind::Figure;
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
  EXPECT_EQ(state.SpawnMessageKind, RecordKind::Figure);
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
  EXPECT_EQ(state.SpawnMessageKind, RecordKind::Figure);
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
  EXPECT_EQ(state.SpawnMessageKind, RecordKind::Figure);
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
  state.Plane.PlaneState = PlaneCondition::Flying;
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
  EXPECT_EQ(plane.PlaneState, PlaneCondition::Flying);
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
  EXPECT_EQ(plane.PlaneState, PlaneCondition::Flying);
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
  EXPECT_EQ(state.Plane.PlaneState, PlaneCondition::Absent);

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
  state.Plane.PlaneState = PlaneCondition::Flying;
  state.Plane.PlaneX = 300;
  random.Add({0.5, 0.5, 0.0});
  SpawnRandom(state, 1, true, random, sounds);
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(state.Plane.PlaneState, PlaneCondition::Flying);
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
    state.Plane.PlaneState = PlaneCondition::ShotDown;
    state.Plane.PlaneX = x;
    state.Plane.PlaneY = y;
    random.Add({0.5, 0.5});
    SpawnRandom(state, 7, true, random, sounds);
    EXPECT_EQ(state.Plane.PlaneState, gone ? PlaneCondition::Absent : PlaneCondition::ShotDown) << x << ", " << y;
  }
  EXPECT_EQ(random.Left(), 0u);
}

}  // namespace
}  // namespace targets_test
