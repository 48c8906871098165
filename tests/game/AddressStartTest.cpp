// Start with the connection by address, as a player meets it on the start screen: what is typed
// wrong or leads nowhere is told in the status line, nothing is opened, and the start screen stays
// usable; the address typed last is offered again after a restart.

#include <gtest/gtest.h>

#include "GameFolder.h"
#include "ScriptRun.h"
#include "game/rules/SettingsRecord.h"
#include "platform/dplay/TestQueryPorts.h"

namespace game_test {
namespace {

std::string Typed(const std::string& Address) {
  return "+100 control Button2 click\n+200 control eAdresse text " + Address + "\n+10 control bAdresseOK click\n";
}

const std::string DialogClosed = "+0 await pAdresse.visible 0\n";

TEST(AddressStart, WhatLeadsNowhereIsToldAndNothingIsOpened) {
  // Query ports of the test's own, where nothing listens.
  dplay_test::UseQueryPorts(dplay_test::FreePortBlock());
  const GameFolder folder;
  const RunResult run =
      RunScript(folder, "10 control eName text Anna\n20 control cbNetz click\n30 control lbd select 2\n" +
                            Typed("spiel platz") + DialogClosed + "+0 state invalid.txt\n" + Typed("127.0.0.1") +
                            DialogClosed + "+0 state nobody.txt\n" + Typed("127.0.0.1") +
                            "+300 key down 27\n+10 key up 27\n" + DialogClosed + "+0 state cancelled.txt\n" +
                            "+10 control cbNetz click\n+10 control Button2 click\n+0 await title_showing 1\n+0 end\n");
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::pair<const char*, const char*> outcomes[] = {
      {"invalid.txt", "„spiel platz“ ist keine gültige Adresse."},
      {"nobody.txt", "Unter „127.0.0.1“ wartet kein Spiel."},
      {"cancelled.txt", "Suche abgebrochen"},
  };
  for (const auto& [file, status] : outcomes) {
    auto state = folder.State(file);
    EXPECT_EQ(state["lStatus.text"], status) << file;
    EXPECT_EQ(state["network_game"], "0") << file;
    EXPECT_EQ(state["is_host"], "0") << file << ": a side that typed an address never opens a session";
    EXPECT_EQ(state["Button2.enabled"], "1") << file;
    EXPECT_EQ(state["phase"], "4") << file;
  }
  EXPECT_EQ(folder.Read("adresse.txt"), std::vector<std::uint8_t>({'1', '2', '7', '.', '0', '.', '0', '.', '1', '\n'}));
}

TEST(AddressStart, TheConnectionAndTheAddressChosenLastAreOfferedAgain) {
  const GameFolder folder;
  folder.Write("adresse.txt", {'s', 't', 'o', 'r', 'c', 'h', 'e', 'n', 'n', 'e', 's', 't', ':', '9', '\r', '\n', 'x'});
  for (std::int32_t index = 0; index < 3; ++index) {
    SettingsRecord record;
    record.NetworkChecked = 1;
    record.ConnectionIndex = index;
    const auto bytes = record.Encode();
    folder.Write("dat.dat", {bytes.begin(), bytes.end()});
    const RunResult run = RunScript(folder, "10 state chosen.txt\n20 end\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    auto chosen = folder.State("chosen.txt");
    EXPECT_EQ(chosen["lbd.item_index"], std::to_string(index));
  }
  const RunResult run =
      RunScript(folder, "10 control Button2 click\n+200 state asked.txt\n+10 control bAdresseAbbrechen click\n" +
                            DialogClosed + "+0 state after.txt\n+10 key down 27\n+10 key up 27\n");
  ASSERT_EQ(run.Status, 0) << run.Err;
  auto asked = folder.State("asked.txt");
  EXPECT_EQ(asked["pAdresse.visible"], "1");
  EXPECT_EQ(asked["eAdresse.text"], "storchennest:9");
  EXPECT_EQ(asked["focused"], "eAdresse");
  EXPECT_EQ(folder.State("after.txt")["lStatus.text"], "abgebrochen");
  EXPECT_EQ(folder.State("after.txt")["focused"], "Button2");
  EXPECT_EQ(folder.Read("dat.dat").size(), SettingsRecordSize) << "Esc on the start screen still saves";
}

}  // namespace
}  // namespace game_test
