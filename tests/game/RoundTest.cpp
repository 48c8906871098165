// Whole rounds end to end through veltranzik-script: the clock and its countdown, the end with the
// fanfare and the high-score table, the keys between rounds, and what a one-player round ignores.
// Space goes down at 1000 ms; the round starts within the frame that follows, and its 90 game
// seconds take 100 s of the virtual clock: it ends at about 102.1 s.

#include <gtest/gtest.h>

#include "GameFolder.h"
#include "ScriptRun.h"
#include "game/rules/SettingsRecord.h"

namespace game_test {
namespace {

// A table of -1 points everywhere, so that even a round without a hit enters it.
void WriteTableBelowNought(const GameFolder& Folder) {
  SettingsRecord record;
  for (int slot = 0; slot < HighScoreSlots; ++slot) {
    record.HighScorePoints[static_cast<std::size_t>(slot)] = -1;
    record.HighScoreNames[static_cast<std::size_t>(slot)].Set("Vorher");
  }
  const auto bytes = record.Encode();
  Folder.Write("dat.dat", {bytes.begin(), bytes.end()});
}

const std::string StartFirstRound = R"(
10 control eName text Anna
20 key down 13
30 key up 13
500 state title.txt
1000 key down 32
1010 key up 32
)";

TEST(Round, AWholeRoundCountsDownEndsWithTheFanfareAndEntersTheTable) {
  const GameFolder folder;
  WriteTableBelowNought(folder);
  const RunResult run = RunScript(folder, StartFirstRound + R"(
1500 state started.txt
60000 state middle.txt
92000 state countdown.txt
101500 state lastsecond.txt
103000 state over.txt
106000 key down 32
106010 key up 32
106500 state second.txt
108000 key down 27
108010 key up 27
108500 state stopped.txt
109000 key down 27
)");
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(folder.State("title.txt")["title_showing"], "1");

  auto started = folder.State("started.txt");
  EXPECT_EQ(started["phase"], "0");
  EXPECT_EQ(started["round_busy"], "1");
  EXPECT_EQ(started["remaining_seconds"], "90");
  EXPECT_EQ(started["cartridges"], "8");
  EXPECT_EQ(started["icon_count"], "8");
  EXPECT_EQ(started["camera_x"], "1500");
  // About 0.5 s in: 60 frames a second, 200 ticks.
  EXPECT_NEAR(std::stoi(started["frames"]), 29, 2);
  EXPECT_NEAR(std::stoi(started["tick_count"]), 97, 5);

  auto middle = folder.State("middle.txt");
  EXPECT_EQ(middle["remaining_seconds"], "37");
  EXPECT_EQ(middle["sounds_playing"].find("time.wav"), std::string::npos);
  auto countdown = folder.State("countdown.txt");
  EXPECT_EQ(countdown["remaining_seconds"], "9");
  EXPECT_EQ(countdown["last_shown_seconds"], "9");
  EXPECT_NE(countdown["sounds_playing"].find("ps\\time.wav"), std::string::npos);
  auto last = folder.State("lastsecond.txt");
  EXPECT_EQ(last["phase"], "0") << "0:00 shows for a whole game second";
  EXPECT_EQ(last["remaining_seconds"], "0");
  EXPECT_NE(last["sounds_playing"].find("ps\\null.wav"), std::string::npos);

  auto over = folder.State("over.txt");
  EXPECT_EQ(over["phase"], "5");
  EXPECT_EQ(over["round_busy"], "0");
  EXPECT_NE(over["sounds_playing"].find("ps\\fanfar.wav"), std::string::npos);
  EXPECT_EQ(over["sounds_playing"].find("ps\\time.wav"), std::string::npos) << "the ticking stopped";
  EXPECT_EQ(over["highscore1"], "0 Anna");
  EXPECT_EQ(over["highscore2"], "-1 Vorher");
  EXPECT_EQ(over["highscore10"], "-1 Vorher");

  auto second = folder.State("second.txt");
  EXPECT_EQ(second["phase"], "0") << "Space started the next round";
  EXPECT_EQ(second["remaining_seconds"], "90");
  auto stopped = folder.State("stopped.txt");
  EXPECT_EQ(stopped["phase"], "5") << "Esc ended the round as its time would";
  EXPECT_EQ(stopped["round_busy"], "0");
  EXPECT_NE(stopped["sounds_playing"].find("ps\\fanfar.wav"), std::string::npos);
  EXPECT_EQ(stopped["highscore2"], "0 Anna") << "its score went in below the equal one";

  const std::vector<std::uint8_t> saved = folder.Read("dat.dat");
  ASSERT_EQ(saved.size(), SettingsRecordSize);
  SettingsRecord record;
  record.Decode(saved);
  EXPECT_EQ(record.LastPlayerName.Get(), "Anna");
  EXPECT_EQ(record.HighScoreNames[0].Get(), "Anna");
  EXPECT_EQ(record.HighScorePoints[2], -1);
}

TEST(Round, HoldingSpaceAfterARoundStartsExactlyOneRound) {
  const GameFolder folder;
  const RunResult run = RunScript(folder, StartFirstRound + R"(
103000 key down 32
103500 key down 32
104000 key down 32
104100 state held.txt
206000 key down 32
206500 key down 32
207000 state still.txt
207100 key up 32
207200 key down 32
207300 state next.txt
207400 end
)");
  ASSERT_EQ(run.Status, 0) << run.Err;
  auto held = folder.State("held.txt");
  EXPECT_EQ(held["phase"], "0");
  EXPECT_NEAR(std::stoi(held["frames"]), 66, 2) << "the round started at the first Space";
  EXPECT_EQ(held["round_busy"], "1");
  auto still = folder.State("still.txt");
  EXPECT_EQ(still["phase"], "5") << "the second round ran out while Space was held";
  EXPECT_EQ(still["round_busy"], "0");
  EXPECT_EQ(folder.State("next.txt")["phase"], "0") << "a new press starts the next";
}

TEST(Round, AOnePlayerRoundIgnoresTheNetworkSettings) {
  const GameFolder folder;
  const RunResult run = RunScript(folder, R"(
10 control cbNetz click
20 control cbdoppelt click
30 control track position 0
40 state settings.txt
50 key down 13
1000 key down 32
1500 state round.txt
101500 state late.txt
102500 state over.txt
103000 end
)");
  ASSERT_EQ(run.Status, 0) << run.Err;
  auto settings = folder.State("settings.txt");
  EXPECT_EQ(settings["cbdoppelt.checked"], "1");
  EXPECT_EQ(settings["track.position"], "0");
  auto round = folder.State("round.txt");
  EXPECT_EQ(round["round_seconds"], "90");
  EXPECT_EQ(round["spawn_threshold"], "0.86");
  EXPECT_EQ(round["network_game"], "0");
  EXPECT_EQ(folder.State("late.txt")["phase"], "0");
  EXPECT_EQ(folder.State("over.txt")["phase"], "5") << "over after 91 game seconds, not 181";
}

}  // namespace
}  // namespace game_test
