// Shots through the real hit mask: the game's own pictures on the software display in its 8-bit
// mode, targets put by hand into the view of a round's start, and a click of the mouse. The points
// to aim at are read from the pictures themselves (palette index 170 is a target's transparent
// colour, 132 the mask's background), so the cases hold whatever the artwork draws.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <vector>

#include "GameFolder.h"
#include "GameHarness.h"
#include "game/rules/Magazine.h"
#include "game/rules/RoundRules.h"

namespace game_test {
namespace {

constexpr std::uint32_t MaskBackground = 132;
constexpr std::int32_t Camera = 1500;
constexpr auto LeftButton = platform::MouseButton::Left;
constexpr auto RightButton = platform::MouseButton::Right;

struct Spot {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// The picture the game shows for a record; a test that sets up a record without one is at fault.
TVXGFileSprite& Shown(TVXGFileSprite* Picture) {
  if (Picture == nullptr) throw std::logic_error("the record shows no picture");
  return *Picture;
}

// A shot probes the row above its point, the point and the row below.
bool ShowsColumn(TVXGSurface& Picture, Spot At) {
  return Shows(Picture, At.X, At.Y - 1) && Shows(Picture, At.X, At.Y) && Shows(Picture, At.X, At.Y + 1);
}
bool ClearColumn(TVXGSurface& Picture, Spot At) {
  return !Shows(Picture, At.X, At.Y - 1) && !Shows(Picture, At.X, At.Y) && !Shows(Picture, At.X, At.Y + 1);
}

// The point nearest the picture's middle that fits, with the three rows around it strictly inside
// the box, as the hit test counts it.
Spot FindSpot(TVXGSurface& Picture, const std::function<bool(Spot)>& Fits) {
  std::vector<Spot> spots;
  for (std::int32_t y = 2; y < Picture.Height() - 2; ++y)
    for (std::int32_t x = 1; x < Picture.Width() - 1; ++x) spots.push_back({x, y});
  const auto offCentre = [&](Spot s) {
    return std::abs(2 * s.X - Picture.Width()) + std::abs(2 * s.Y - Picture.Height());
  };
  std::stable_sort(spots.begin(), spots.end(), [&](Spot a, Spot b) { return offCentre(a) < offCentre(b); });
  for (const Spot spot : spots)
    if (Fits(spot)) return spot;
  ADD_FAILURE() << "no fitting point in a " << Picture.Width() << " x " << Picture.Height() << " picture";
  return {};
}

bool Playing(const SoundSample& Sample) {
  DWORD status = 0;
  return Sample && Sample->Buffer() && Sample->Buffer()->GetStatus(&status) == DS_OK &&
         (status & DSBSTATUS_PLAYING) != 0;
}

// What a shot may change of a stork; the screen position is only where it was last drawn.
void ExpectSameFlight(const TargetRecord& Now, const TargetRecord& Before, const char* What) {
  EXPECT_EQ(Now.State, Before.State) << What;
  EXPECT_EQ(Now.Frame, Before.Frame) << What;
  EXPECT_EQ(Now.Points, Before.Points) << What;
  EXPECT_EQ(Now.X, Before.X) << What;
  EXPECT_EQ(Now.Y, Before.Y) << What;
  EXPECT_EQ(Now.LabelY, Before.LabelY) << What;
}

void ExpectFallingFromHit(const TargetRecord& Stork, std::int32_t Points) {
  EXPECT_EQ(Stork.State, 2);
  EXPECT_EQ(Stork.Frame, 1);
  EXPECT_EQ(Stork.Points, Points);
  EXPECT_EQ(Stork.LabelY, Stork.Y + 5 * Stork.Kind);
}

class Shooting : public ::testing::Test {
 protected:
  Shooting() : harness_(folder_), game_(harness_.Game()) {
    game_.PrepareDisplay();
    game_.LoadAssets();
    // As the round's set-up leaves it, at the view it starts with.
    game_.Round.ShootingEnabled = true;
    FillMagazine(game_.Magazine);
    ClearTargets(game_.Targets);
    game_.Round.CameraX = Camera;
    game_.Round.CameraXInt = Camera;
    game_.Round.Score = 0;
  }

  void Click(platform::MouseButton Button, Spot At) { game_.FormMouseDown(game_, Button, 0, At.X, At.Y); }
  void Shoot(Spot At) { Click(LeftButton, At); }

  // The round's ticks without its spawner, so that no stork comes into the shots or over the icons.
  void Ticks(int Count) {
    game_.Round.CatchingUp = true;
    for (int tick = 0; tick < Count; ++tick) game_.SimulationTick();
  }

  TVXGFileSprite& StorkPicture(std::int32_t Kind, std::int32_t Frame, bool ToLeft) {
    TargetRecord stork;
    stork.State = TargetFlying;
    stork.Kind = Kind;
    stork.Direction = ToLeft;
    stork.Frame = Frame;
    return Shown(FlyingPicture(game_.Assets, stork));
  }

  TVXGFileSprite& FigurePicture(std::int32_t State, std::int32_t Frame) {
    GroundFigureRecord figure;
    figure.State = State;
    figure.Frame = Frame;
    return Shown(GroundFigurePicture(game_.Assets, figure));
  }

  // A flying stork whose picture's point At lies on the screen point Screen.
  TargetRecord& PlaceStork(int Slot, std::int32_t Kind, bool ToLeft, std::int32_t Frame, Spot At, Spot Screen) {
    TargetRecord& stork = game_.Targets.Targets[static_cast<std::size_t>(Slot)];
    stork = TargetRecord{};
    stork.State = 1;
    stork.Kind = Kind;
    stork.Direction = ToLeft;
    stork.Frame = Frame;
    stork.DX = ToLeft ? -0.7 * Kind : 0.7 * Kind;
    stork.DY = 0.1 * Kind;
    stork.X = Camera + (Screen.X - At.X) * 5.0 / Kind;
    stork.Y = Screen.Y - At.Y;
    return stork;
  }

  // Places a stork of the kind so that a visible column of its picture lies under the shot point.
  TargetRecord& StorkShowingAt(int Slot, std::int32_t Kind, bool ToLeft, std::int32_t Frame, Spot Screen) {
    TVXGFileSprite& picture = StorkPicture(Kind, Frame, ToLeft);
    return PlaceStork(Slot, Kind, ToLeft, Frame, FindSpot(picture, [&](Spot s) { return ShowsColumn(picture, s); }),
                      Screen);
  }

  TargetRecord& Stork(int Slot) { return game_.Targets.Targets[static_cast<std::size_t>(Slot)]; }
  GroundFigureRecord& Figure(int Slot) { return game_.Targets.GroundFigures[static_cast<std::size_t>(Slot)]; }

  Spot SceneryTopLeft(std::int32_t Group, std::int32_t Item) const {
    const SceneryPlace& place =
        game_.Targets.Scenery.Places[static_cast<std::size_t>(Group - 1)][static_cast<std::size_t>(Item - 1)];
    const ScreenPoint at = SceneryOnScreen(6 - Group, place, Camera);
    return {at.X, at.Y};
  }

  TVXGFileSprite& SceneryMask(std::int32_t Group, std::int32_t Item) {
    return *game_.Assets.SceneryMasks[static_cast<std::size_t>(Group - 1)][static_cast<std::size_t>(Item - 1)];
  }

  // Whether the mask picture of a landscape item nearer than Layer puts background over the point.
  bool Hidden(std::int32_t Layer, Spot Screen) {
    for (std::int32_t group = 1; group <= 5 - Layer; ++group)
      for (std::int32_t item = 1; item <= game_.Targets.Scenery.Count[static_cast<std::size_t>(group - 1)]; ++item) {
        TVXGFileSprite& mask = SceneryMask(group, item);
        const Spot origin = SceneryTopLeft(group, item);
        const Spot at{Screen.X - origin.X, Screen.Y - origin.Y};
        if (at.X >= 0 && at.X < mask.Width() && at.Y >= 0 && at.Y < mask.Height() &&
            mask.Pixels(at.X, at.Y) == MaskBackground)
          return true;
      }
    return false;
  }
  bool HiddenColumn(std::int32_t Layer, Spot Screen) {
    for (const std::int32_t row : {Screen.Y - 1, Screen.Y, Screen.Y + 1})
      if (Hidden(Layer, {Screen.X, std::clamp(row, 0, 479)})) return true;
    return false;
  }

  // Whether the rendered frame shows the visible pixels of a picture at a place; Rows limits the
  // comparison to the top rows.
  bool FrameShows(TVXGSurface& Picture, Spot At, std::int32_t Rows) {
    TVXGBackBuffer& back = *game_.Assets.BackBuffer;
    int compared = 0;
    for (std::int32_t y = 0; y < std::min(Rows, Picture.Height()); ++y)
      for (std::int32_t x = 0; x < Picture.Width(); ++x) {
        if (!Shows(Picture, x, y)) continue;
        if (back.Pixels(At.X + x, At.Y + y) != Picture.Pixels(x, y)) return false;
        ++compared;
      }
    EXPECT_GT(compared, 0) << "nothing of the picture to compare";
    return compared > 0;
  }

  const GameFolder folder_;
  GameHarness harness_;
  TForm1& game_;
};

TEST_F(Shooting, EightShotsFireInTurnTheNinthNotAndOnlyAnEmptyMagazineReloads) {
  MagazineState& magazine = game_.Magazine;
  GameAssets& assets = game_.Assets;
  // A shot every 11 ticks, while the icons of the earlier ones are ejected.
  for (int shot = 1; shot <= 8; ++shot) {
    Shoot({100 + shot, 100});
    EXPECT_EQ(magazine.Cartridges, 8 - shot);
    EXPECT_EQ(magazine.ShotSoundIndex, shot);
    EXPECT_TRUE(Playing(assets.Shots[static_cast<std::size_t>(shot - 1)])) << "copy " << shot;
    EXPECT_EQ(magazine.IconEjecting[static_cast<std::size_t>(9 - shot)], 1) << "the row empties from the left";
    EXPECT_EQ(game_.Round.CursorX, 100 + shot);
    if (shot == 3) {
      Click(RightButton, {300, 300});
      EXPECT_EQ(magazine.Cartridges, 5) << "a right click with cartridges left";
      EXPECT_FALSE(Playing(assets.Reload));
    }
    Ticks(11);
  }
  EXPECT_FALSE(Playing(assets.Shots[8])) << "the ninth copy is the next shot's";
  Shoot({400, 50});
  EXPECT_EQ(magazine.Cartridges, 0);
  EXPECT_EQ(magazine.ShotSoundIndex, 8);
  EXPECT_FALSE(Playing(assets.Shots[8]));
  EXPECT_EQ(game_.Round.CursorX, 108) << "an empty magazine does not fire";
  EXPECT_EQ(game_.Round.Score, 0);

  // The first icons are gone, the last ones on their way out; the round is over: a left click is
  // nothing, a right click still reloads.
  ASSERT_LT(magazine.IconCount, 8);
  ASSERT_EQ(magazine.IconEjecting[1], 1);
  ASSERT_GT(magazine.IconStep[2], 0);
  game_.Round.ShootingEnabled = false;
  Click(LeftButton, {200, 200});
  EXPECT_EQ(magazine.Cartridges, 0);
  Click(RightButton, {200, 200});
  EXPECT_TRUE(Playing(assets.Reload));
  EXPECT_EQ(magazine.Cartridges, 8);
  EXPECT_EQ(magazine.IconCount, 8);
  for (int icon = 1; icon <= 8; ++icon) {
    EXPECT_EQ(magazine.IconStep[static_cast<std::size_t>(icon)], 0) << "icon " << icon << " shows a full cartridge";
    EXPECT_EQ(magazine.IconEjecting[static_cast<std::size_t>(icon)], 0) << "icon " << icon;
  }
  game_.RenderFrame();
  for (int icon = 1; icon <= 8; ++icon)
    EXPECT_TRUE(FrameShows(*assets.Cartridge, {630 - 30 * icon, 420}, 30)) << "icon " << icon;

  // The next round goes on with the copies where the last one stopped.
  for (const SoundSample& copy : assets.Shots) copy->Stop();
  game_.Round.ShootingEnabled = true;
  magazine.ShotSoundIndex = 8;
  FillMagazine(magazine);
  Shoot({100, 100});
  EXPECT_EQ(magazine.ShotSoundIndex, 9);
  EXPECT_TRUE(Playing(assets.Shots[8]));
  EXPECT_FALSE(Playing(assets.Shots[0]));
  Shoot({100, 100});
  EXPECT_EQ(magazine.ShotSoundIndex, 1);
  EXPECT_TRUE(Playing(assets.Shots[0]));
  EXPECT_EQ(magazine.Cartridges, 6);
}

TEST_F(Shooting, OnlyAVisiblePixelHitsAndTheNearestStorkUnderItWins) {
  // A far stork shows where a near one, whose box holds the point, is transparent: the far one falls.
  const Spot first{150, 120};
  ASSERT_FALSE(HiddenColumn(1, first));
  TVXGFileSprite& nearPicture = StorkPicture(3, 14, true);
  const TargetRecord& far = StorkShowingAt(4, 1, false, 3, first);
  const TargetRecord& nearOne =
      PlaceStork(9, 3, true, 14, FindSpot(nearPicture, [&](Spot s) { return ClearColumn(nearPicture, s); }), first);
  TargetRecord nearBefore = nearOne;
  Shoot(first);
  EXPECT_EQ(game_.Round.Score, 25);
  ExpectFallingFromHit(far, 25);
  ExpectSameFlight(nearOne, nearBefore, "the near stork's transparent pixel");
  EXPECT_EQ(game_.Magazine.ShotPending, 0);

  // Three storks show at the point: the big one in front falls, although it has the lowest slot.
  ClearTargets(game_.Targets);
  const Spot second{330, 150};
  ASSERT_FALSE(HiddenColumn(1, second));
  const TargetRecord& big = StorkShowingAt(2, 3, false, 0, second);
  const TargetRecord medium = StorkShowingAt(6, 2, true, 11, second);
  const TargetRecord small = StorkShowingAt(11, 1, false, 9, second);
  Shoot(second);
  EXPECT_EQ(game_.Round.Score, 30);
  ExpectFallingFromHit(big, 5);
  ExpectSameFlight(Stork(6), medium, "medium");
  ExpectSameFlight(Stork(11), small, "small");

  // Within a layer the higher slot is in front; a farther stork in a still higher slot is not.
  ClearTargets(game_.Targets);
  const Spot third{240, 90};
  ASSERT_FALSE(HiddenColumn(1, third));
  const TargetRecord lower = StorkShowingAt(7, 2, false, 5, third);
  const TargetRecord& higher = StorkShowingAt(12, 2, true, 17, third);
  const TargetRecord farther = StorkShowingAt(20, 1, true, 2, third);
  Shoot(third);
  EXPECT_EQ(game_.Round.Score, 40);
  ExpectFallingFromHit(higher, 10);
  ExpectSameFlight(Stork(7), lower, "the lower slot");
  ExpectSameFlight(Stork(20), farther, "the farther stork");

  // A falling stork is neither in the mask nor hit again.
  Shoot(third);
  EXPECT_EQ(game_.Round.Score, 50) << "the lower slot, now the only one flying there";
  ExpectFallingFromHit(Stork(7), 10);
  EXPECT_EQ(Stork(12).Frame, 1);
}

TEST_F(Shooting, AGroundFigureInFrontTakesTheShotAndNoStorkChanges) {
  // Figures stand at y 200; world x 1700 is screen x 180 at a factor of 0.9.
  TVXGFileSprite& idle = FigurePicture(FigureIdle, 3);
  TVXGFileSprite& rising = FigurePicture(FigureRising, 13);
  const Spot on = FindSpot(idle, [&](Spot s) { return s.Y < 55 && ShowsColumn(idle, s) && ShowsColumn(rising, s); });
  const Spot shot{180 + on.X, 200 + on.Y};
  ASSERT_FALSE(HiddenColumn(4, shot));
  const auto place = [&](int Slot, std::int32_t State, std::int32_t Frame) {
    GroundFigureRecord& figure = Figure(Slot);
    figure.State = State;
    figure.Frame = Frame;
    figure.Age = 12;
    figure.X = 1700;
  };
  place(6, 2, 3);
  place(8, 1, 13);
  place(9, 2, 3);  // beyond the slots that are drawn and tested, though its record says where it stands
  Figure(9).ScreenX = 180;
  game_.Targets.GroundFigureCount = 3;
  StorkShowingAt(2, 3, false, 6, shot);
  StorkShowingAt(30, 1, true, 12, shot);
  const TargetState before = game_.Targets;

  Shoot(shot);
  EXPECT_EQ(game_.Round.Score, 25);
  EXPECT_TRUE(Playing(game_.Assets.FigureHit));
  EXPECT_EQ(Figure(8).State, 3) << "the later slot of two";
  EXPECT_EQ(Figure(8).Frame, 1);
  EXPECT_EQ(Figure(8).LabelY, 270);
  EXPECT_EQ(Figure(8).HitX, 1720);
  EXPECT_EQ(Figure(6).State, 2);
  EXPECT_EQ(Figure(9).State, 2);
  for (int slot = 1; slot <= 31; ++slot)
    ExpectSameFlight(Stork(slot), before.Targets[static_cast<std::size_t>(slot)], "stork slot");

  // A hit figure is not hit again: the one behind it is.
  Shoot(shot);
  EXPECT_EQ(game_.Round.Score, 50);
  EXPECT_EQ(Figure(6).State, 3);
  EXPECT_EQ(Figure(6).HitX, 1720);
  EXPECT_EQ(Figure(8).State, 3);
  EXPECT_EQ(Figure(9).State, 2);
  for (int slot = 1; slot <= 31; ++slot)
    ExpectSameFlight(Stork(slot), before.Targets[static_cast<std::size_t>(slot)], "stork slot");
  EXPECT_EQ(game_.Magazine.Cartridges, 6);
}

TEST_F(Shooting, TheBannerCostsTwentyFivePointsWhereItShowsAndTheScoreStaysAtLeastNought) {
  // A plane flying right at screen x 400 (world x 2750 at a factor of 0.32), its banner 200 to its left.
  PlaneRecord& plane = game_.Targets.Plane;
  plane.PlaneState = PlaneCondition::Flying;
  plane.PlaneFromRight = false;
  plane.PlaneX = Camera + 1250;
  plane.PlaneY = 8;
  plane.PlaneDX = 15;
  plane.BannerFrame = 4;
  plane.BannerOffset = -200;
  TVXGFileSprite& banner = *game_.Assets.Banners[3][0];
  const Spot shows = FindSpot(banner, [&](Spot s) { return ShowsColumn(banner, s); });
  const Spot clear = FindSpot(banner, [&](Spot s) { return ClearColumn(banner, s); });
  const Spot onBanner{200 + shows.X, 8 + shows.Y};
  const Spot inBox{200 + clear.X, 8 + clear.Y};
  ASSERT_FALSE(HiddenColumn(1, onBanner));
  game_.Round.Score = 10;

  // A falling stork there is not in the mask either.
  TVXGFileSprite& falling = *game_.Assets.FallingStorks[1][2][0];
  const Spot fallingSpot = FindSpot(falling, [&](Spot s) { return ShowsColumn(falling, s); });
  TargetRecord& fallen = PlaceStork(3, 2, false, 3, fallingSpot, inBox);
  fallen.State = 2;
  fallen.Points = 10;
  fallen.LabelY = fallen.Y + 10;
  ASSERT_FALSE(HiddenColumn(2, inBox));
  Shoot(inBox);
  EXPECT_EQ(plane.PlaneState, PlaneCondition::Flying) << "the banner's box where it is transparent is a miss";
  EXPECT_EQ(game_.Round.Score, 10);
  EXPECT_EQ(game_.Magazine.ShotPending, 1);
  EXPECT_FALSE(Playing(game_.Assets.Explosion));

  Shoot(onBanner);
  EXPECT_EQ(game_.Round.Score, 0);
  EXPECT_TRUE(Playing(game_.Assets.Explosion));
  EXPECT_EQ(plane.PlaneState, PlaneCondition::ShotDown);
  EXPECT_EQ(plane.PlaneDY, 5);
  EXPECT_EQ(plane.PlaneDX, 10) << "10.5 goes to the even neighbour";
  EXPECT_EQ(plane.PlaneLabelY, 35);
  EXPECT_EQ(plane.PlaneLabelX, Camera + 1250 - 100);
  game_.Round.Score = 40;
  Shoot(onBanner);
  EXPECT_EQ(game_.Round.Score, 40) << "a plane that is shot down is not hit again";
  EXPECT_EQ(plane.PlaneDY, 5);

  // The label of a figure hit earlier floats up across the plane's top edge, where the box does
  // not begin yet: the label clears the mask in the first row, and the plane is hit in the next.
  plane = PlaneRecord{};
  plane.PlaneState = PlaneCondition::Flying;
  plane.PlaneX = Camera + 1250;
  plane.PlaneDX = 8;
  plane.BannerFrame = 1;
  plane.BannerOffset = -200;
  TVXGFileSprite& five = *game_.Assets.Numbers[5];
  const Spot inFive = FindSpot(five, [&](Spot s) { return Shows(five, s.X, s.Y); });
  GroundFigureRecord& labelOnly = Figure(1);
  labelOnly.State = 5;
  labelOnly.X = Camera + 420;  // screen x 378; the 5 of its 25 stands 30 further right
  labelOnly.LabelY = 100;
  const Spot onLabel{378 + 30 + inFive.X, 100 + inFive.Y + 1};
  plane.PlaneY = onLabel.Y - 1;
  ASSERT_FALSE(HiddenColumn(4, onLabel));
  ASSERT_GT(onLabel.X, 400) << "inside the plane's box";
  game_.Round.Score = 50;
  Shoot(onLabel);
  EXPECT_EQ(plane.PlaneState, PlaneCondition::ShotDown);
  EXPECT_EQ(game_.Round.Score, 25);
  EXPECT_EQ(labelOnly.State, 5);
  ClearTargets(game_.Targets);

  // From the right, banner behind it at +120: a stork in front of the banner takes the shot first.
  plane = PlaneRecord{};
  plane.PlaneState = PlaneCondition::Flying;
  plane.PlaneFromRight = true;
  plane.PlaneX = Camera + 625;
  plane.PlaneY = 30;
  plane.PlaneDX = -25;
  plane.BannerFrame = 7;
  plane.BannerOffset = 120;
  TVXGFileSprite& rightBanner = *game_.Assets.Banners[6][1];
  const Spot rightShows = FindSpot(rightBanner, [&](Spot s) { return ShowsColumn(rightBanner, s); });
  const Spot behindStork{200 + 120 + rightShows.X, 30 + rightShows.Y};
  ASSERT_FALSE(HiddenColumn(1, behindStork));
  const TargetRecord& stork = StorkShowingAt(5, 2, false, 8, behindStork);
  game_.Round.Score = 30;
  Shoot(behindStork);
  EXPECT_EQ(game_.Round.Score, 40);
  ExpectFallingFromHit(stork, 10);
  EXPECT_EQ(plane.PlaneState, PlaneCondition::Flying);
  Shoot(behindStork);
  EXPECT_EQ(game_.Round.Score, 15);
  EXPECT_EQ(plane.PlaneState, PlaneCondition::ShotDown);
  EXPECT_EQ(plane.PlaneDX, -18) << "-17.5 goes to the even neighbour";
  EXPECT_EQ(plane.PlaneLabelX, Camera + 625 + 60);
}

TEST_F(Shooting, ScenerySavesTheStorksBehindItButNotThoseInFrontOfIt) {
  // Behind a near item's mask background, a small stork's visible pixels are out of reach.
  const Spot near = SceneryTopLeft(2, 2);
  TVXGFileSprite& nearMask = SceneryMask(2, 2);
  const Spot inNear = FindSpot(nearMask, [&](Spot s) {
    const Spot screen{near.X + s.X, near.Y + s.Y};
    return screen.X > 20 && screen.X < 620 && screen.Y > 20 && screen.Y < 460 &&
           nearMask.Pixels(s.X, s.Y - 1) == MaskBackground && nearMask.Pixels(s.X, s.Y) == MaskBackground &&
           nearMask.Pixels(s.X, s.Y + 1) == MaskBackground;
  });
  const Spot behindNear{near.X + inNear.X, near.Y + inNear.Y};
  const TargetRecord hidden = StorkShowingAt(3, 1, false, 4, behindNear);
  Shoot(behindNear);
  ExpectSameFlight(Stork(3), hidden, "the hidden stork");
  EXPECT_EQ(game_.Round.Score, 0);
  EXPECT_EQ(game_.Magazine.ShotPending, 1) << "the mask showed only background";

  // A layer's own landscape stands behind its storks: a big stork flies in front of a tree of
  // layer 3 that hides a medium one.
  ClearTargets(game_.Targets);
  const Spot tree = SceneryTopLeft(3, 4);
  TVXGFileSprite& treeMask = SceneryMask(3, 4);
  const Spot inTree = FindSpot(treeMask, [&](Spot s) {
    const Spot screen{tree.X + s.X, tree.Y + s.Y};
    return screen.X > 20 && screen.X < 620 && screen.Y > 20 && screen.Y < 460 &&
           treeMask.Pixels(s.X, s.Y - 1) == MaskBackground && treeMask.Pixels(s.X, s.Y) == MaskBackground &&
           treeMask.Pixels(s.X, s.Y + 1) == MaskBackground && !HiddenColumn(3, screen);
  });
  const Spot atTree{tree.X + inTree.X, tree.Y + inTree.Y};
  const TargetRecord medium = StorkShowingAt(8, 2, true, 1, atTree);
  Shoot(atTree);
  ExpectSameFlight(Stork(8), medium, "the medium stork behind the tree");
  EXPECT_EQ(game_.Round.Score, 0);
  const TargetRecord& big = StorkShowingAt(2, 3, true, 15, atTree);
  Shoot(atTree);
  ExpectFallingFromHit(big, 5);
  ExpectSameFlight(Stork(8), medium, "the medium stork behind the tree");
  EXPECT_EQ(game_.Round.Score, 5);
}

TEST_F(Shooting, ShotsAtTheEdgesProbeOnlyRowsAndColumnsOfTheScreen) {
  // At y 0 the rows are 0, 0 and 1: a stork that shows first in row 1 is hit...
  TVXGFileSprite& small = StorkPicture(1, 5, false);
  const Spot topEdge = FindSpot(small, [&](Spot s) { return !Shows(small, s.X, s.Y - 1) && Shows(small, s.X, s.Y); });
  const TargetRecord& inRowOne = PlaceStork(4, 1, false, 5, topEdge, {200, 1});
  ASSERT_FALSE(Hidden(1, {200, 0}) || Hidden(1, {200, 1}));
  Shoot({200, 0});
  EXPECT_EQ(game_.Round.CursorY, 1);
  ExpectFallingFromHit(inRowOne, 25);
  // ...one that shows first in row 2 is not.
  const Spot lower = FindSpot(small, [&](Spot s) {
    return !Shows(small, s.X, s.Y - 2) && !Shows(small, s.X, s.Y - 1) && Shows(small, s.X, s.Y);
  });
  const TargetRecord inRowTwo = PlaceStork(6, 1, false, 5, lower, {320, 2});
  ASSERT_FALSE(Hidden(1, {320, 2}));
  Shoot({320, 0});
  EXPECT_EQ(game_.Round.CursorY, 1);
  ExpectSameFlight(Stork(6), inRowTwo, "row 2 is not probed");
  EXPECT_EQ(game_.Round.Score, 25);

  // At y 479 the rows are 478, 479 and 479: a big stork that shows first in row 479 is hit where no
  // nearer landscape covers the bottom rows.
  std::int32_t column = 630;
  while (column > 200 && (Hidden(3, {column, 478}) || Hidden(3, {column, 479}))) --column;
  ASSERT_GT(column, 200) << "no open place at the bottom";
  TVXGFileSprite& big = StorkPicture(3, 2, true);
  const Spot bottomEdge = FindSpot(big, [&](Spot s) { return !Shows(big, s.X, s.Y - 1) && Shows(big, s.X, s.Y); });
  const TargetRecord& inLastRow = PlaceStork(9, 3, true, 2, bottomEdge, {column, 479});
  Shoot({column, 479});
  EXPECT_EQ(game_.Round.CursorY, 479);
  ExpectFallingFromHit(inLastRow, 5);
  EXPECT_EQ(game_.Round.Score, 30);

  // A click right of the picture (a window may be wider) counts in its last column.
  std::int32_t row = 100;
  while (row < 400 && HiddenColumn(3, {639, row})) ++row;
  ASSERT_LT(row, 400) << "no open place at the right edge";
  const TargetRecord& atRightEdge = StorkShowingAt(12, 3, false, 7, {639, row});
  Shoot({700, row});
  EXPECT_EQ(game_.Round.CursorX, 639);
  ExpectFallingFromHit(atRightEdge, 5);
  EXPECT_EQ(game_.Round.Score, 35);
  Shoot({900, 470});
  EXPECT_EQ(game_.Round.CursorX, 639);
  EXPECT_EQ(game_.Round.Score, 35);
}

TEST_F(Shooting, TheFirstShotEjectsTheLeftmostIconAndTheRowEndsWithSeven) {
  TVXGFileSprite& full = *game_.Assets.Cartridge;
  // The promotional strip covers the icons from y 450 down.
  constexpr std::int32_t OpenRows = 30;
  game_.RenderFrame();
  ASSERT_TRUE(FrameShows(full, {390, 420}, OpenRows)) << "eight full cartridges at the start";

  Shoot({100, 100});
  MagazineState& magazine = game_.Magazine;
  EXPECT_EQ(magazine.IconEjecting[8], 1);
  EXPECT_EQ(magazine.IconStep[8], 0);
  for (int icon = 1; icon <= 7; ++icon) EXPECT_EQ(magazine.IconEjecting[static_cast<std::size_t>(icon)], 0);

  // The ticks whose counter stands at 1, 4 or 7 move the icons; at 4 and 7 an ejection moves on a
  // picture, so four rounds of the counter show all eight.
  for (int cycle = 1; cycle <= 4; ++cycle) {
    Ticks(11);
    EXPECT_EQ(magazine.IconStep[8], 2 * cycle);
    EXPECT_EQ(magazine.IconCount, 8);
    if (cycle == 3) {
      game_.RenderFrame();
      EXPECT_TRUE(FrameShows(*game_.Assets.CartridgeEjection[5], {390, 420}, OpenRows)) << "the sixth picture";
    }
  }
  Ticks(2);
  EXPECT_EQ(magazine.IconCount, 7);
  EXPECT_EQ(magazine.IconEjecting[8], 0);
  EXPECT_EQ(magazine.IconStep[8], 0);

  game_.RenderFrame();
  EXPECT_FALSE(FrameShows(full, {390, 420}, OpenRows)) << "no icon at x 390";
  for (int icon = 1; icon <= 7; ++icon)
    EXPECT_TRUE(FrameShows(full, {630 - 30 * icon, 420}, OpenRows)) << "icon " << icon;
  EXPECT_EQ(magazine.Cartridges, 7);
}

}  // namespace
}  // namespace game_test
