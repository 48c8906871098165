// End to end through veltranzik-script: the real program's start-up in a folder of its own, with
// its clock, keys and mouse from a script, judged by its state dumps, its files and its exit.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "GameFolder.h"
#include "ScriptRun.h"
#include "game/rules/SettingsRecord.h"

namespace game_test {
namespace {

const char* const NetworkControls[] = {"ln1", "ln2", "ln3", "ln4", "ln5", "lStatus", "cbdoppelt", "lbd", "track"};

std::int32_t Int32At(const std::vector<std::uint8_t>& Bytes, std::size_t Offset) {
  return static_cast<std::int32_t>(std::uint32_t{Bytes[Offset]} | std::uint32_t{Bytes[Offset + 1]} << 8 |
                                   std::uint32_t{Bytes[Offset + 2]} << 16 | std::uint32_t{Bytes[Offset + 3]} << 24);
}

TEST(Runner, AFirstStartIsSavedOnQuittingAndShownAgainAtTheNextStart) {
  const GameFolder folder;
  const RunResult first = RunScript(folder, R"(# the start screen as a new player sees it
10 state fresh.txt
20 control cbNetz click
30 state network.txt
40 control eName text Jürgen Ölmann
50 control track position 1
60 key down 13
70 key up 13
80 state title.txt
90 key down 32
100 key up 32
200 state round.txt
220 key down 27
230 key up 27
300 state after.txt
320 key down 27
)");
  ASSERT_EQ(first.Status, 0) << first.Err;

  auto fresh = folder.State("fresh.txt");
  EXPECT_EQ(fresh["phase"], "4");
  EXPECT_EQ(fresh["eName.text"], "");
  EXPECT_EQ(fresh["focused"], "eName");
  EXPECT_EQ(fresh["cbNetz.checked"], "0");
  EXPECT_EQ(fresh["cbdoppelt.checked"], "0");
  EXPECT_EQ(fresh["track.position"], "0");
  EXPECT_EQ(fresh["lbd.item_index"], "0") << "the first connection is chosen";
  EXPECT_EQ(fresh["lStatus.text"], "bereit");
  auto network = folder.State("network.txt");
  for (const char* name : NetworkControls) {
    EXPECT_EQ(fresh[std::string(name) + ".enabled"], "0") << name;
    EXPECT_EQ(network[std::string(name) + ".enabled"], "1") << name;
  }

  auto title = folder.State("title.txt");
  EXPECT_EQ(title["title_showing"], "1");
  EXPECT_EQ(title["pname.visible"], "0");
  EXPECT_EQ(title["player_name"], "Jürgen Ölmann");
  EXPECT_EQ(title["round_seconds"], "90");
  EXPECT_EQ(title["spawn_threshold"], "0.86");
  auto round = folder.State("round.txt");
  EXPECT_EQ(round["title_showing"], "0");
  EXPECT_EQ(round["phase"], "0");
  EXPECT_EQ(round["round_busy"], "1");
  auto after = folder.State("after.txt");
  EXPECT_EQ(after["phase"], "5") << "Esc ends the round; the next Esc saves and quits";
  EXPECT_EQ(after["round_busy"], "0");

  const std::vector<std::uint8_t> saved = folder.Read("dat.dat");
  ASSERT_EQ(saved.size(), SettingsRecordSize);
  EXPECT_EQ(std::string(saved.begin(), saved.begin() + 14), "\x0DJ\xFCrgen \xD6lmann") << "Windows-1252";
  EXPECT_EQ(saved[2856], 1) << "network game";
  EXPECT_EQ(saved[2857], 0) << "doubled time";
  EXPECT_EQ(Int32At(saved, 2868), 0) << "connection";
  EXPECT_EQ(Int32At(saved, 2872), 1) << "stork count";

  ASSERT_EQ(RunScript(folder, "10 state second.txt\n20 end\n").Status, 0);
  auto second = folder.State("second.txt");
  EXPECT_EQ(second["eName.text"], "Jürgen Ölmann");
  EXPECT_EQ(second["cbNetz.checked"], "1");
  EXPECT_EQ(second["track.position"], "1");
  EXPECT_EQ(second["lbd.item_index"], "0");
  for (const char* name : NetworkControls) EXPECT_EQ(second[std::string(name) + ".enabled"], "1") << name;
  EXPECT_EQ(folder.Read("dat.dat"), saved) << "ending without saving leaves the file alone";
}

// A player quick on the keys presses one as soon as the window shows: it must reach the start
// screen as it is drawn, with its Start button and its name field.
TEST(Runner, KeysPressedTheMomentTheWindowAppearsReachTheStartScreen) {
  const GameFolder started;
  const RunResult start = RunScript(started, "0 key down 13\n10 key up 13\n3000 state title.txt\n3010 end\n");
  ASSERT_EQ(start.Status, 0) << start.Err;
  EXPECT_EQ(started.State("title.txt")["title_showing"], "1") << "Return pressed Start";

  const GameFolder left;
  const RunResult leave = RunScript(left, "0 key down 27\n3000 end\n");
  ASSERT_EQ(leave.Status, 0) << leave.Err;
  EXPECT_EQ(left.Read("dat.dat").size(), SettingsRecordSize) << "Esc saved and quit";
}

TEST(Runner, EscInEveryControlThatSharesTheNameFieldsKeyHandlerSavesAndQuits) {
  const std::pair<const char*, const char*> ways[] = {
      {"eName", ""},
      {"Button2", "10 key down 9\n"},
      {"cbNetz", "10 control cbNetz click\n"},
      {"lbd", "10 control cbNetz click\n20 control lbd select 1\n"},
      {"cbdoppelt", "10 control cbNetz click\n20 control cbdoppelt click\n"},
      {"track", "10 control cbNetz click\n20 control track position 2\n"},
  };
  for (const auto& [name, focusing] : ways) {
    const GameFolder folder;
    const RunResult run = RunScript(folder, std::string(focusing) + "30 state before.txt\n40 key down 27\n");
    EXPECT_EQ(run.Status, 0) << name << ": " << run.Err;
    auto before = folder.State("before.txt");
    EXPECT_EQ(before["focused"], name);
    EXPECT_EQ(before["phase"], "4") << name << ": no round was started";
    EXPECT_EQ(folder.Read("dat.dat").size(), SettingsRecordSize) << name;
  }
}

TEST(Runner, StoredValuesOutsideWhatTheControlsTakeAreShownAsTheyKeepThem) {
  const GameFolder folder;
  SettingsRecord record;
  record.LastPlayerName.Set("Bartholom\xE4us-Maximilian von Storch");
  record.TrackPosition = 7;
  record.ConnectionIndex = 5;
  const auto bytes = record.Encode();
  folder.Write("dat.dat", {bytes.begin(), bytes.end()});
  ASSERT_EQ(RunScript(folder, "10 state high.txt\n20 end\n").Status, 0);
  auto high = folder.State("high.txt");
  EXPECT_EQ(high["eName.text"], "Bartholomäus-Maximil") << "cut to the field's 20 characters";
  EXPECT_EQ(high["track.position"], "2");
  EXPECT_EQ(high["lbd.item_index"], "-1") << "an index past the list selects nothing";

  record.TrackPosition = -3;
  record.ConnectionIndex = -1;
  const auto low = record.Encode();
  folder.Write("dat.dat", {low.begin(), low.end()});
  ASSERT_EQ(chmod(folder.File("dat.dat").c_str(), 0444), 0);
  ASSERT_EQ(RunScript(folder, "10 state low.txt\n20 control eName text Neu\n30 key down 27\n").Status, 0);
  EXPECT_EQ(folder.State("low.txt")["track.position"], "0");
  EXPECT_EQ(folder.State("low.txt")["lbd.item_index"], "-1");
  EXPECT_EQ(folder.Read("dat.dat"), std::vector<std::uint8_t>(low.begin(), low.end()))
      << "a file the player made read-only is read and left as it is";
}

TEST(Runner, AMissingPictureEndsTheGameWithItsMessageAndKeepsWhatWasThere) {
  const GameFolder folder({"ani2\\flieger.bmp"});
  const RunResult run = RunScript(folder, "10 control eName text Anna\n20 key down 13\n5000 end\n");
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("TVXGFileSprite.CreateFromFileConvert(ani2\\flieger.bmp):"), std::string::npos) << run.Err;
  const std::vector<std::uint8_t> saved = folder.Read("dat.dat");
  ASSERT_EQ(saved.size(), SettingsRecordSize) << "the name is kept";
  EXPECT_EQ(std::string(saved.begin(), saved.begin() + 5),
            "\x04"
            "Anna");
}

TEST(Runner, ScriptFaultsNameTheirLineAndWrongArgumentsAreRefused) {
  const GameFolder folder;
  RunResult run = RunScript(folder, "10 state a.txt\n\n# fine so far\n20 jump 3\n");
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("script.txt:4: unknown command \"jump\""), std::string::npos) << run.Err;
  run = RunScript(folder, "20 end\n10 end\n");
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("script.txt:2:"), std::string::npos) << run.Err;
  run = RunScript(folder, "10 control Knopf click\n");
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("script.txt:1: there is no component named Knopf"), std::string::npos) << run.Err;
  run = RunScript(folder, "10 key down 300\n");
  EXPECT_EQ(run.Status, 1);
  EXPECT_FALSE(folder.Exists("dat.dat")) << "a faulty script runs nothing";

  EXPECT_EQ(RunScript(folder, "", "").Status, 2);
  EXPECT_EQ(RunScript(folder, "", "script.txt --seed many").Status, 2);
  run = RunScript(folder, "", "--help");
  EXPECT_EQ(run.Status, 0);
  EXPECT_NE(run.Out.find("T control NAME click"), std::string::npos);
}

}  // namespace
}  // namespace game_test
