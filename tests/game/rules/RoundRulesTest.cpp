// The rules of a round that run without a screen: ticks out of real time, the game clock, the
// view's scrolling, the countdown and the layout of numbers.

#include <gtest/gtest.h>

#include "game/rules/RoundRules.h"

namespace {

TEST(RoundRules, FramesRunWholeTicksAndCarryTheRest) {
  RoundState round;
  int ticks = 0;
  RunDueTicks(round, 23, [&] { ++ticks; });
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(round.TickAccumulator, 3);
  EXPECT_EQ(round.TickCount, 4);
  RunDueTicks(round, 2, [&] { ++ticks; });
  EXPECT_EQ(ticks, 5) << "3 carried and 2 more make a tick";
  EXPECT_EQ(round.TickAccumulator, 0);
  for (int frame = 0; frame < 300; ++frame) RunDueTicks(round, 17, [&] { ++ticks; });
  EXPECT_EQ(ticks, 5 + 300 * 17 / 5) << "nothing is lost over many frames";
  EXPECT_EQ(round.TickAccumulator, 300 * 17 % 5);
  RunDueTicks(round, 0, [&] { ++ticks; });
  EXPECT_EQ(round.TickCount, ticks);
}

TEST(RoundRules, OnlyAWaitForTheOtherSideBeyondAFrameLeavesGameTime) {
  EXPECT_EQ(TickTimeKept(12, false), 0) << "alone, the time ticks took is not simulated again";
  EXPECT_EQ(TickTimeKept(12, true), 12) << "a wait within a frame is the screens' phases, not this side ahead";
  EXPECT_EQ(TickTimeKept(250, true), 17) << "a side that ran ahead by a long wait drops all of it but a frame";
}

TEST(RoundRules, TheGameClockRunsAtNineTenthsAndShowsNoughtForItsLastSecond) {
  EXPECT_EQ(GameSecondsElapsed(1110), 0) << "999 game milliseconds";
  EXPECT_EQ(GameSecondsElapsed(1112), 1) << "1000.8 rounds to 1001";
  EXPECT_EQ(GameSecondsElapsed(1111), 1) << "999.9 rounds to 1000";
  EXPECT_EQ(RemainingSeconds(90, 0), 90);
  EXPECT_EQ(RemainingSeconds(90, 100000), 0) << "90 game seconds gone";
  EXPECT_FALSE(RoundTimeUp(90, 100000)) << "0:00 shows for a whole game second";
  EXPECT_FALSE(RoundTimeUp(90, 101110));
  EXPECT_TRUE(RoundTimeUp(90, 101112)) << "game second 91 ends it";
  EXPECT_EQ(RemainingSeconds(180, 20000), 162);

  const ClockFace start = ClockFaceOf(90);
  EXPECT_EQ(start.Minutes, 1);
  EXPECT_EQ(start.Tens, 3);
  EXPECT_EQ(start.Ones, 0);
  const ClockFace doubled = ClockFaceOf(180);
  EXPECT_EQ(doubled.Minutes, 3);
  EXPECT_EQ(doubled.Tens, 0);
  const ClockFace late = ClockFaceOf(9);
  EXPECT_EQ(late.Minutes * 100 + late.Tens * 10 + late.Ones, 9);
  const ClockFace over = ClockFaceOf(-1);
  EXPECT_EQ(over.Minutes + over.Tens + over.Ones, 0);
}

TEST(RoundRules, EachScrollRuleActsOnItsOwnAndStopsOnlyOnceThePositionIsPast) {
  const std::int32_t step = ScrollStepFor(17);
  EXPECT_EQ(step, 9) << "8.5 rounds to 8";
  EXPECT_EQ(ScrollStepFor(19), 11) << "9.5 rounds to 10";
  EXPECT_EQ(ScrollStepFor(0), 1);
  EXPECT_EQ(ScrolledCameraX(1500, 320, false, false, step), 1500);
  EXPECT_EQ(ScrolledCameraX(1500, 639, false, true, step), 1500 + 2 * step) << "edge and key together";
  EXPECT_EQ(ScrolledCameraX(1500, 1, true, false, step), 1500 - 2 * step);
  EXPECT_EQ(ScrolledCameraX(1500, 0, false, true, step), 1500) << "the left edge and the right key cancel";
  EXPECT_EQ(ScrolledCameraX(2559, 639, false, true, 10), 2569) << "the key's rule sees the view past its stop";
  EXPECT_EQ(ScrolledCameraX(2560, 639, false, true, 10), 2560);
  EXPECT_EQ(ScrolledCameraX(6, 0, true, false, 10), -4);
  EXPECT_EQ(ScrolledCameraX(5, 0, true, false, 10), 5);
  EXPECT_EQ(ScrolledCameraX(5, 639, false, false, 10), 15);
}

TEST(RoundRules, TheCountdownStartsQuietlyAtTenAndGrowsToFullVolume) {
  EXPECT_FALSE(CountdownFor(11).StartLoop || CountdownFor(11).Louder || CountdownFor(11).LastSecond);
  std::int32_t volume = 0;
  std::vector<std::int32_t> heard;
  for (std::int32_t remaining = 10; remaining >= 0; --remaining) {
    const CountdownCue cue = CountdownFor(remaining);
    if (cue.StartLoop) volume = CountdownStartVolume;
    if (cue.Louder)
      volume = std::min(0, volume + CountdownVolumeStep);  // the sound library keeps volumes at or below 0
    heard.push_back(volume);
    EXPECT_EQ(cue.LastSecond, remaining == 1);
  }
  EXPECT_EQ(heard, (std::vector<std::int32_t>{-2500, -2200, -1900, -1600, -1300, -1000, -700, -400, -100, 0, 0}));
}

TEST(RoundRules, NumbersStandRightAlignedThirtyThreePixelsADigit) {
  using Cells = std::vector<NumberCell>;
  const auto same = [](const Cells& a, const Cells& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i].X != b[i].X || a[i].Picture != b[i].Picture) return false;
    return true;
  };
  EXPECT_TRUE(same(NumberCells(580, 0), Cells{{580, 0}}));
  EXPECT_TRUE(same(NumberCells(580, -25), Cells{{514, 11}, {547, 2}, {580, 5}}));
  EXPECT_TRUE(same(NumberCells(580, 1005), Cells{{481, 1}, {514, 0}, {547, 0}, {580, 5}})) << "inner zeros show";
  EXPECT_TRUE(same(NumberCells(100, 70), Cells{{67, 7}, {100, 0}}));
  EXPECT_TRUE(same(NumberCells(580, 123456), NumberCells(580, 9999))) << "beyond four digits: the largest";
  EXPECT_TRUE(same(NumberCells(580, -100000), Cells{{448, 11}, {481, 9}, {514, 9}, {547, 9}, {580, 9}}));
}

}  // namespace
