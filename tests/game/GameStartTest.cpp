// The game in this process: what the title picture shows while the rest loads, the keys after
// the start screen, an error behind the Start button, and the plan of files the game loads.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "GameHarness.h"
#include "game/AssetPlan.h"
#include "platform/forms/Bitmap.h"

namespace game_test {
namespace {

std::vector<std::uint32_t> DecodedPicture(const std::string& HostName) {
  std::ifstream in(std::filesystem::path(GAME_DIR) / HostName, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::optional<platform::Bitmap> bitmap = platform::Bitmap::FromBmp(bytes);
  return bitmap ? bitmap->Data() : std::vector<std::uint32_t>{};
}

TEST(GameStart, TheTitlePictureIsOnScreenBeforeTheRestIsRead) {
  // The first picture after the palette source is missing: loading stops right behind the title.
  const GameFolder folder({"animf\\s_0.bmp"});
  GameHarness harness(folder);
  TForm1& game = harness.Game();
  harness.KeyDown(VK_RETURN);

  ASSERT_EQ(harness.Errors().size(), 1u);
  EXPECT_NE(harness.Errors()[0].find("(animf\\s_0.bmp)"), std::string::npos) << harness.Errors()[0];
  EXPECT_TRUE(harness.Application().Terminated());
  EXPECT_EQ(harness.Application().ExitCode(), 1);
  EXPECT_TRUE(game.Assets.TitlePicture && game.Assets.PaletteSource);
  EXPECT_FALSE(game.Assets.Storks[0][0][0]);
  EXPECT_FALSE(game.Assets.Sound) << "nothing after the failing picture was read";

  const HWND window = game.Handle();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->PictureSize().cx, 640);
  EXPECT_EQ(window->PictureSize().cy, 480);
  EXPECT_EQ(window->Picture(), DecodedPicture("cdu/bpwb.bmp")) << "the title in the game's colours";
  EXPECT_EQ(folder.Read("dat.dat").size(), SettingsRecordSize) << "what the player had is saved";
}

TEST(GameStart, KeysOfTheTitleAndBetweenRounds) {
  const GameFolder folder;
  GameHarness harness(folder);
  TForm1& game = harness.Game();
  harness.QueueKeyDown(VK_RETURN);  // in the name field: the default button starts the game
  // The title waits in a loop of its own: what follows is checked as it gets there.
  harness.Then([&] {
    EXPECT_EQ(game.Program.TitlePictureShowing, 1);
    EXPECT_EQ(game.ActiveControl(), nullptr) << "the game window has the keys now";
  });
  harness.QueueKeyDown(VK_LEFT);
  harness.Then([&] { EXPECT_EQ(game.Program.TitlePictureShowing, 1) << "only Space, Enter and Esc end the title"; });
  harness.KeyDown(VK_RETURN);
  EXPECT_EQ(game.Program.TitlePictureShowing, 0);
  EXPECT_EQ(game.Program.KeyHeld, 0) << "the title's key does not count as held";
  EXPECT_EQ(game.Round.Phase, RoundPhase::RoundOver);

  harness.KeyDown(VK_RIGHT);
  EXPECT_EQ(game.Program.RightHeld, 1);
  harness.KeyUp(VK_RIGHT);
  EXPECT_EQ(game.Program.RightHeld, 0);

  game.Program.RoundBusy = true;
  harness.KeyDown(VK_SPACE);
  EXPECT_EQ(game.Round.Phase, RoundPhase::RoundOver) << "no round starts while one is busy";
  EXPECT_EQ(game.Program.KeyHeld, 0);
  game.Program.RoundBusy = false;
  harness.KeyDown(VK_RETURN);  // Enter acts as Space
  EXPECT_EQ(game.Program.KeyHeld, 1);
  EXPECT_EQ(game.Program.RoundBusy, 0) << "the round ran and ended";
  harness.KeyUp(VK_RETURN);
  EXPECT_EQ(game.Program.KeyHeld, 0);

  game.Round.Phase = RoundPhase::Running;
  harness.KeyDown(VK_ESCAPE);
  EXPECT_EQ(game.Round.Phase, RoundPhase::StopRequested) << "Esc in a round stops it";
  harness.KeyDown(VK_ESCAPE);
  EXPECT_FALSE(harness.Application().Terminated()) << "a held Esc acts once";
  harness.KeyUp(VK_ESCAPE);
  game.Round.Phase = RoundPhase::RoundOver;
  harness.KeyDown(VK_ESCAPE);
  EXPECT_TRUE(harness.Application().Terminated());
  EXPECT_EQ(harness.Application().ExitCode(), 0);
  EXPECT_FALSE(game.Assets.Graphics) << "the display is given back";
  EXPECT_EQ(folder.Read("dat.dat").size(), SettingsRecordSize);
}

TEST(GameStart, ANetworkErrorBehindStartIsShownAndTheStartScreenStaysUsable) {
  const GameFolder folder;
  GameHarness harness(folder);
  TForm1& game = harness.Game();
  game.cbNetz->Click();
  game.lbd->SetItemIndex(-1);
  game.Button2->SetFocus();
  harness.KeyDown(VK_RETURN);
  ASSERT_EQ(harness.Errors().size(), 1u);
  EXPECT_NE(harness.Errors()[0].find("Index"), std::string::npos) << harness.Errors()[0];
  EXPECT_FALSE(harness.Application().Terminated());
  EXPECT_TRUE(game.pname->Visible());
  EXPECT_EQ(game.Net.NetworkGame, 0);

  harness.KeyDown(VK_ESCAPE);  // Start shares the name field's keys
  EXPECT_TRUE(harness.Application().Terminated());
  EXPECT_EQ(harness.Application().ExitCode(), 0);
  EXPECT_EQ(folder.Read("dat.dat")[2856], 1) << "the network box was saved checked";
}

TEST(AssetPlan, EveryPictureAndSoundInTheOrderTheGameReadsThem) {
  GameAssets assets;
  const std::vector<PictureLoad> pictures = GamePictures(assets, GameSceneryLayout());
  ASSERT_EQ(pictures.size(), 60u + 26u + 2u + 18u + 36u + 36u + 12u + 9u);
  EXPECT_EQ(pictures[0].FileName, "animf\\s_0.bmp");
  EXPECT_EQ(pictures[1].FileName, "animf\\s_0r.bmp");
  EXPECT_EQ(pictures[59].FileName, "animf\\b_9r.bmp");
  EXPECT_EQ(pictures[60].FileName, "ani2\\g1_1.bmp");
  EXPECT_EQ(pictures[85].FileName, "ani2\\g3_9.bmp");
  EXPECT_EQ(pictures[88].FileName, "ani2\\banner1.bmp");
  EXPECT_EQ(pictures[89].FileName, "ani2\\rbanner1.bmp");
  EXPECT_EQ(pictures[106].FileName, "animf\\fs_1.bmp");
  const auto scenery = std::find_if(pictures.begin(), pictures.end(),
                                    [](const PictureLoad& p) { return p.FileName == "cdu\\ts11.bmp"; });
  ASSERT_NE(scenery, pictures.end());
  EXPECT_EQ(scenery[1].FileName, "ps\\ts11.bmp") << "each item's mask right after it";
  EXPECT_EQ(scenery[34].FileName, "cdu\\ts52.bmp") << "group 5 has two items";
  EXPECT_EQ(scenery[36].FileName, "cdu\\0.bmp");
  EXPECT_EQ(scenery[47].FileName, "cdu\\11.bmp");
  EXPECT_EQ(pictures.back().FileName, "cdu\\p_8.bmp");
  for (const PictureLoad& p : pictures) {
    const bool target = p.FileName.starts_with("ani2\\");
    EXPECT_EQ(p.DropPalette, !target) << p.FileName;
    EXPECT_NE(p.Slot, nullptr);
  }

  const std::vector<SoundLoad> sounds = GameSounds(assets);
  ASSERT_EQ(sounds.size(), 9u + 15u + 1u + 2u + 6u);
  EXPECT_EQ(sounds[8].FileName, "ps\\s2.wav");
  EXPECT_EQ(sounds[9].FileName, "ps\\hg1.wav");
  EXPECT_EQ(sounds[9].Volume, -700);
  EXPECT_TRUE(sounds[9].VolumeControl);
  EXPECT_EQ(sounds.back().FileName, "ps\\s3.wav");
  EXPECT_EQ(sounds.back().Volume, -400);
}

}  // namespace
}  // namespace game_test
