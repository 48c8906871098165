// Two copies of the game playing each other end to end: two veltranzik-script processes, each in
// a folder of its own with its own script and seed, on this computer's loopback connection (with
// query ports of the test's own), through a lossy relay, on the local-network connection between
// two network namespaces, or by address between two namespaces of routed subnets.

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "GameFolder.h"
#include "lib/network/ChildProcess.h"
#include "lib/network/NamespacePair.h"
#include "lib/network/RoutedNamespaces.h"
#include "platform/dplay/Relay.h"

namespace game_test {
namespace {

using namespace std::chrono_literals;

// One copy of the game, run by the runner with a script, until it ends or is killed.
class Player {
 public:
  // Where runs the runner: Prefix (a namespace, say) goes before the command.
  Player(const std::string& Script, int Seed, const std::vector<std::string>& Prefix = {}) {
    std::ofstream(folder_.File("script.txt")) << Script;
    std::vector<std::string> command = Prefix;
    for (const std::string& part :
         {std::string("sh"), std::string("-c"),
          "cd '" + folder_.Path().string() + "' && exec '" GAME_DIR "/veltranzik-script' script.txt --seed " +
              std::to_string(Seed) + " --frames frames.txt"})
      command.push_back(part);
    process_ = std::make_unique<network_test::ChildProcess>(command);
  }

  const GameFolder& Folder() const { return folder_; }
  network_test::ChildProcess& Process() { return *process_; }
  // What the runner wrote, once it has ended.
  std::string Output() {
    std::string text;
    while (const std::optional<std::string> line = process_->ReadLine(100ms)) text += *line + "\n";
    return text;
  }
  std::map<std::string, std::string> State(const std::string& Name) const { return folder_.State(Name); }
  // What ran between the frames the runner logged, one word a frame.
  std::vector<std::string> FrameLog() const {
    std::vector<std::string> what;
    std::ifstream in(folder_.File("frames.txt"));
    long microseconds = 0;
    long when = 0;
    for (std::string word; in >> microseconds >> word >> when;) what.push_back(word);
    return what;
  }
  // Whether the runner has written the file yet, waiting for it at most Limit of real time.
  bool AwaitFile(const std::string& Name, std::chrono::milliseconds Limit) const {
    const auto deadline = std::chrono::steady_clock::now() + Limit;
    while (!folder_.Exists(Name)) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(20ms);
    }
    std::this_thread::sleep_for(50ms);  // written whole
    return true;
  }

 private:
  GameFolder folder_;
  std::unique_ptr<network_test::ChildProcess> process_;
};

constexpr int LocalNetwork = 0;
constexpr int Loopback = 1;
constexpr int ByAddress = 2;

// The start screen of a network game, on the loopback connection unless said otherwise.
std::string Opening(const std::string& Name, int Track, bool Doubled, int Connection = Loopback) {
  std::string script = "10 control eName text " + Name + "\n20 control cbNetz click\n30 control lbd select " +
                       std::to_string(Connection) + "\n40 control track position " + std::to_string(Track) + "\n";
  if (Doubled) script += "50 control cbdoppelt click\n";
  // The click is taken at the next pass of messages: the session is there once the game says so.
  return script + "60 control Button2 click\n+0 await network_game 1\n+0 state hosting.txt\n";
}

// Start with the connection by address: the dialog is answered with Address, empty to open a
// session here.
std::string StartByAddress(const std::string& Address) {
  return "+100 control Button2 click\n+200 control eAdresse text " + Address +
         "\n+10 control bAdresseOK click\n+0 await pAdresse.visible 0\n";
}

std::string AddressChosen(const std::string& Name) {
  return "10 control eName text " + Name + "\n20 control cbNetz click\n30 control lbd select " +
         std::to_string(ByAddress) + "\n";
}

std::string OpeningByAddress(const std::string& Name, const std::string& Address) {
  return AddressChosen(Name) + StartByAddress(Address) + "+0 await network_game 1\n+0 state hosting.txt\n";
}

// A whole round: a few shots into the sky, and the result. The wait for the end begins late in the
// round, since an await lasts two minutes of real time at most and a sanitizer build on a busy
// machine takes about that long for a whole round.
std::string Round(const std::string& Result) {
  return "+0 await own_end_state 0\n+0 await phase 0\n+4000 press left 320 150\n+3000 press left 200 120\n"
         "+3000 press left 450 200\n+5000 press left 120 160\n+70000 await own_end_state 1\n+0 state " +
         Result + "\n";
}

const std::string FirstRound = "+0 await title_showing 1\n+200 key down 32\n+10 key up 32\n";
const std::string PlayAgain = "+300 key down 32\n+10 key up 32\n";
const std::string Quit = "+300 key down 27\n+10 key up 27\n";

std::vector<std::string> ExchangeStorks(const std::map<std::string, std::string>& State) {
  std::vector<std::string> storks;
  for (const auto& [key, value] : State)
    if (key.starts_with("exchange_stork")) storks.push_back(key + "=" + value);
  return storks;
}

// Why this test cannot make network namespaces; empty when it can try.
std::string NamespacesUnavailable() {
  if (geteuid() != 0)
    return "making network namespaces needs root; this test runs as user " + std::to_string(geteuid());
  if (network_test::RunCommand({"ip", "-V"}).status != 0) return "the ip command (iproute2) is not available";
  return {};
}

// The command that runs a side in a namespace, where the program's own query ports are its alone.
std::vector<std::string> InNamespace(const std::string& Name) {
  return {"ip", "netns", "exec", Name, "env", "-u", "VXG_DPLAY_QUERY_PORT"};
}

// Each test takes query ports of its own, so that no test finds another's session.
class Match : public testing::Test {
 protected:
  void SetUp() override { dplay_test::UseQueryPorts(dplay_test::FreePortBlock()); }
};

// The world after the last complete exchange of a round, the same on both sides.
void ExpectOneWorld(std::map<std::string, std::string> Host, std::map<std::string, std::string> Guest,
                    const std::string& Round) {
  EXPECT_NE(Host["exchange_tick"], "0") << Round;
  EXPECT_EQ(Host["exchange_tick"], Guest["exchange_tick"]) << Round;
  EXPECT_FALSE(ExchangeStorks(Host).empty()) << Round << ": exchange tick " << Host["exchange_tick"] << ", ticks run "
                                             << Host["ticks_run"] << ", storks flying " << Host["storks_flying"];
  EXPECT_EQ(ExchangeStorks(Host), ExchangeStorks(Guest)) << Round << ": both sides keep one world";
  EXPECT_EQ(Host["score"], Guest["opponent_score"]) << Round;
  EXPECT_EQ(Guest["score"], Host["opponent_score"]) << Round;
}

// A second round that the host ends with Esc after a few shots: a whole one would only cost time.
std::string EndedRound(const std::string& Result, bool Ends) {
  std::string script =
      "+0 await own_end_state 0\n+0 await phase 0\n+2000 press left 320 150\n+2000 press left 450 200\n";
  if (Ends) script += "+3000 key down 27\n+10 key up 27\n";
  return script + "+0 await own_end_state 1\n+0 state " + Result + "\n";
}

TEST_F(Match, TwoCopiesPlayAMatchInOneWorldAndTheHostsSettingsRule) {
  Player host(
      Opening("Hanna", 2, false) + FirstRound + Round("round1.txt") + PlayAgain + EndedRound("round2.txt", true) + Quit,
      11);
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s)) << "the host never opened its session";
  Player guest(Opening("Gustav", 0, true) + FirstRound + Round("round1.txt") + PlayAgain +
                   EndedRound("round2.txt", false) + Quit,
               12);
  // Both sides draw every frame of a whole round: slow in a sanitizer build on a busy machine.
  EXPECT_EQ(host.Process().Wait(300s), 0);
  EXPECT_EQ(guest.Process().Wait(30s), 0);

  for (const char* round : {"round1.txt", "round2.txt"}) {
    auto h = host.State(round);
    auto g = guest.State(round);
    ASSERT_FALSE(h.empty() || g.empty()) << round;
    EXPECT_EQ(h["network_game"], "1");
    EXPECT_EQ(h["is_host"], "1");
    EXPECT_EQ(g["is_host"], "0");
    EXPECT_EQ(g["track_position"], "2") << "the host's stork count rules";
    EXPECT_EQ(g["spawn_threshold"], "0.81");
    EXPECT_EQ(h["spawn_threshold"], "0.81");
    EXPECT_EQ(h["round_seconds"], "90");
    EXPECT_EQ(g["round_seconds"], "180") << "the guest keeps its doubled time; the host's end ends its round";
    ExpectOneWorld(h, g, round);
    const int hostScore = std::stoi(h["score"]);
    const int guestScore = std::stoi(g["score"]);
    if (hostScore == guestScore) {
      EXPECT_EQ(h["result"], "Spiel unentschieden");
      EXPECT_EQ(g["result"], "Spiel unentschieden");
    } else {
      EXPECT_EQ(h["result"], hostScore > guestScore ? "Sie haben gewonnen" : "Sie haben verloren");
      EXPECT_EQ(g["result"], guestScore > hostScore ? "Sie haben gewonnen" : "Sie haben verloren");
    }
    EXPECT_EQ(h["opponent_gone"], "");
  }
}

// A round that the host ends early with Esc, after the given time in the round.
std::string ShortRound(int Milliseconds, bool Ends) {
  std::string script =
      "+0 await phase 0\n+1000 press left 320 150\n+" + std::to_string(Milliseconds) + " state inround.txt\n";
  if (Ends) script += "+10 key down 27\n+10 key up 27\n";
  return script + "+0 await own_end_state 1\n+0 state over.txt\n";
}

TEST_F(Match, AnOpponentThatVanishesEndsTheRoundWithinSecondsAndTheResultSaysWhy) {
  Player host(Opening("Hanna", 1, false) + FirstRound + ShortRound(3000, false) + Quit, 21);
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
  Player guest(Opening("Gustav", 1, false) + FirstRound + "+0 await phase 0\n+60000 end\n", 22);
  ASSERT_TRUE(host.AwaitFile("inround.txt", 60s)) << "the round never began";
  guest.Process().Kill();
  const auto killed = std::chrono::steady_clock::now();
  ASSERT_TRUE(host.AwaitFile("over.txt", 20s));
  EXPECT_LT(std::chrono::steady_clock::now() - killed, 8s) << "the round ended within seconds";
  auto over = host.State("over.txt");
  EXPECT_EQ(over["opponent_gone"], "left");
  EXPECT_EQ(over["phase"], "5");
  EXPECT_EQ(host.Process().Wait(20s), 0) << "Esc still leaves";
}

// Here the host goes, and the guest is left with a session that can carry nothing.
TEST_F(Match, AnOpponentThatVanishesWhileTheOtherWaitsToPlayAgainFreesIt) {
  Player host(Opening("Hanna", 1, false) + FirstRound + ShortRound(2000, true) + "+60000 end\n", 23);
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
  Player guest(Opening("Gustav", 1, false) + FirstRound + "+0 await own_end_state 1\n" + PlayAgain +
                   "+0 state again.txt\n+0 await opponent_gone !\n+0 await own_end_state 1\n+0 state gone.txt\n" + Quit,
               24);
  ASSERT_TRUE(guest.AwaitFile("again.txt", 60s)) << "the guest never chose to play again";
  host.Process().Kill();
  const auto killed = std::chrono::steady_clock::now();
  ASSERT_TRUE(guest.AwaitFile("gone.txt", 20s)) << guest.Output();
  EXPECT_LT(std::chrono::steady_clock::now() - killed, 8s);
  auto gone = guest.State("gone.txt");
  EXPECT_NE(gone["opponent_gone"], "");
  EXPECT_EQ(gone["restart_choice"], "1") << "nobody left to play again with";
  EXPECT_EQ(guest.Process().Wait(20s), 0) << guest.Output();
}

// The guest still looks at the result when the host leaves: the screen tells why at once, not only
// once the guest has chosen to play again.
TEST_F(Match, AnOpponentThatLeavesTheResultIsSaidToHaveGoneAtOnce) {
  Player host(Opening("Hanna", 1, false) + FirstRound + ShortRound(2000, true) + "+5000 key down 27\n+10 key up 27\n",
              25);
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
  Player guest(Opening("Gustav", 1, false) + FirstRound +
                   "+0 await own_end_state 1\n+0 screenshot result.png\n+500 screenshot still.png\n"
                   "+0 await opponent_gone !\n+500 screenshot gone.png\n+0 state gone.txt\n" +
                   Quit,
               26);
  EXPECT_EQ(host.Process().Wait(60s), 0) << host.Output();
  ASSERT_TRUE(guest.AwaitFile("gone.txt", 20s)) << guest.Output();
  const GameFolder& folder = guest.Folder();
  EXPECT_TRUE(folder.Read("result.png") == folder.Read("still.png")) << "nothing else changes the result screen";
  EXPECT_FALSE(folder.Read("still.png") == folder.Read("gone.png")) << "the reason shows without a key pressed";
  EXPECT_EQ(guest.State("gone.txt")["opponent_gone"], "left");
  EXPECT_EQ(guest.Process().Wait(20s), 0) << guest.Output();
}

// The third copy finds two players there already: it leaves again and says why, and the match
// goes on as if it had never come.
TEST_F(Match, AThirdCopyThatJoinsTheSessionLeavesItAndChangesNothing) {
  Player host(Opening("Hanna", 1, false) + FirstRound + ShortRound(8000, true) + Quit, 31);
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
  Player guest(Opening("Gustav", 1, false) + FirstRound + "+0 await phase 0\n+1000 state inround.txt\n" +
                   "+0 await own_end_state 1\n+0 state over.txt\n" + Quit,
               32);
  ASSERT_TRUE(guest.AwaitFile("inround.txt", 60s));
  Player third(
      "10 control eName text Dritte\n20 control cbNetz click\n30 control lbd select 1\n"
      "40 control Button2 click\n+2000 state third.txt\n+0 key down 27\n+10 key up 27\n",
      33);
  EXPECT_EQ(third.Process().Wait(60s), 0) << third.Output();
  auto alone = third.State("third.txt");
  EXPECT_EQ(alone["network_game"], "0");
  EXPECT_EQ(alone["lStatus.text"], "Dort spielen schon zwei Spieler miteinander.");
  EXPECT_EQ(alone["Button2.enabled"], "1") << "the start screen stays usable";
  EXPECT_EQ(host.Process().Wait(60s), 0);
  EXPECT_EQ(guest.Process().Wait(20s), 0);
  ExpectOneWorld(host.State("over.txt"), guest.State("over.txt"), "with a third copy in the session");
  EXPECT_EQ(host.State("over.txt")["opponent_gone"], "");
}

// The guest hits a stork and ends its round in the same moment, before any exchange could carry
// the hit: both sides still show the same two scores and mirrored results.
TEST_F(Match, AHitInTheLastMomentOfARoundCountsOnBothScreens) {
  Player host(Opening("Hanna", 2, false) + FirstRound + "+0 await phase 0\n+0 await own_end_state 1\n" +
                  "+0 state over.txt\n" + Quit,
              81);
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
  Player guest(Opening("Gustav", 2, false) + FirstRound + "+0 await phase 0\n+8000 shoot stork\n+0 key down 27\n" +
                   "+10 key up 27\n+0 await own_end_state 1\n+0 state over.txt\n" + Quit,
               82);
  EXPECT_EQ(host.Process().Wait(120s), 0) << host.Output();
  EXPECT_EQ(guest.Process().Wait(30s), 0) << guest.Output();
  auto h = host.State("over.txt");
  auto g = guest.State("over.txt");
  ASSERT_NE(g["score"], "0") << "no stork was in sight for the guest";
  EXPECT_EQ(h["opponent_score"], g["score"]);
  EXPECT_EQ(g["opponent_score"], h["score"]);
  EXPECT_EQ(h["result"], "Sie haben verloren");
  EXPECT_EQ(g["result"], "Sie haben gewonnen");
}

// One player looks at the title picture for twelve seconds, and later at the result for twenty,
// while the other chose at once: both rounds run on both screens, and the one who waits keeps a
// window that answers.
TEST_F(Match, APlayerWhoTakesTheirTimeStillPlaysEveryRound) {
  Player host(Opening("Hanna", 1, false) + FirstRound + "+2000 state waiting.txt\n" + ShortRound(3000, true) +
                  PlayAgain + "+0 await phase 0\n+0 state second.txt\n+3000 key down 27\n+10 key up 27\n" +
                  "+0 await own_end_state 1\n+0 state over2.txt\n" + Quit,
              61);
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
  Player guest(Opening("Gustav", 1, false) + "+0 await title_showing 1\n+0 hold 12000\n+0 key down 32\n" +
                   "+10 key up 32\n+0 await own_end_state 1\n+0 state over.txt\n+0 hold 20000\n" + PlayAgain +
                   "+0 await phase 0\n+0 state second.txt\n+0 await own_end_state 1\n+0 state over2.txt\n" + Quit,
               62);
  EXPECT_EQ(host.Process().Wait(180s), 0) << host.Output();
  EXPECT_EQ(guest.Process().Wait(30s), 0) << guest.Output();
  auto waiting = host.State("waiting.txt");
  EXPECT_NE(waiting["phase"], "0") << "written while the host still waited for the guest";
  for (Player* player : {&host, &guest}) {
    for (const char* file : {"over.txt", "over2.txt"}) {
      auto over = player->State(file);
      EXPECT_EQ(over["opponent_gone"], "") << file;
      EXPECT_EQ(over["own_end_state"], "1") << file;
    }
    EXPECT_EQ(player->State("second.txt")["phase"], "0") << "the second round ran";
  }
  ExpectOneWorld(host.State("over.txt"), guest.State("over.txt"), "after a slow start");
  ExpectOneWorld(host.State("over2.txt"), guest.State("over2.txt"), "after a slow choice");
}

// While one player is awaited, the other leaves with Esc, or the awaited copy is killed: the wait
// ends on the other side within seconds, with the reason on its result.
TEST_F(Match, APlayerWhoLeavesOrVanishesWhileAwaitedFreesTheOther) {
  {
    Player host(Opening("Hanna", 1, false) + FirstRound + "+3000 key down 27\n+10 key up 27\n+5000 end\n", 71);
    ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
    Player guest(Opening("Gustav", 1, false) + "+0 await title_showing 1\n+0 hold 6000\n+0 key down 32\n" +
                     "+10 key up 32\n+0 await own_end_state 1\n+0 state over.txt\n" + Quit,
                 72);
    EXPECT_EQ(host.Process().Wait(60s), 0);
    EXPECT_TRUE(host.Folder().Exists("dat.dat")) << "Esc left the match and saved, before the script's end";
    EXPECT_EQ(guest.Process().Wait(60s), 0) << guest.Output();
    EXPECT_EQ(guest.State("over.txt")["opponent_gone"], "left");
  }
  {
    Player host(Opening("Hanna", 1, false) + FirstRound + "+0 await own_end_state 1\n+0 state over.txt\n" + Quit, 73);
    ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
    Player guest(Opening("Gustav", 1, false) + "+0 await title_showing 1\n+0 state title.txt\n+0 hold 60000\n", 74);
    ASSERT_TRUE(guest.AwaitFile("title.txt", 60s));
    std::this_thread::sleep_for(2s);
    guest.Process().Kill();
    const auto killed = std::chrono::steady_clock::now();
    ASSERT_TRUE(host.AwaitFile("over.txt", 20s)) << host.Output();
    EXPECT_LT(std::chrono::steady_clock::now() - killed, 8s);
    EXPECT_NE(host.State("over.txt")["opponent_gone"], "");
    EXPECT_EQ(host.Process().Wait(20s), 0);
  }
}

TEST_F(Match, ARoundThroughALossyRelayEndsWithOneWorld) {
  const std::uint16_t hostPorts = dplay_test::FreePortBlock();
  const std::uint16_t relayPorts = dplay_test::FreePortBlock(1);
  ASSERT_TRUE(hostPorts != 0 && relayPorts != 0 && hostPorts != relayPorts);
  dplay_test::UseQueryPorts(hostPorts);
  Player host(Opening("Hanna", 2, false) + FirstRound + ShortRound(10000, true) + Quit, 41);
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
  dplay_test::Relay relay(relayPorts, hostPorts, 30ms);
  dplay_test::UseQueryPorts(relayPorts);
  Player guest(Opening("Gustav", 1, false) + FirstRound + "+0 await own_end_state 1\n+0 state over.txt\n" + Quit, 42);
  // The line goes bad once the two have found each other, as a line does.
  ASSERT_TRUE(guest.AwaitFile("hosting.txt", 20s)) << guest.Output();
  relay.StartLosing();
  EXPECT_EQ(host.Process().Wait(120s), 0) << host.Output();
  EXPECT_EQ(guest.Process().Wait(30s), 0) << guest.Output();
  ExpectOneWorld(host.State("over.txt"), guest.State("over.txt"), "through the relay");

  // Each side logged every frame after its first, and told the frames that waited for a record
  // transfer, or for the end of the round, from the others.
  auto over = guest.State("over.txt");
  EXPECT_EQ(over["record_transfers"], host.State("over.txt")["record_transfers"]) << "both count each transfer";
  const std::vector<std::string> frames = guest.FrameLog();
  ASSERT_EQ(std::to_string(frames.size() + 1), over["frames"]);
  const auto records = std::count(frames.begin(), frames.end(), "record");
  EXPECT_GT(records, 0) << "the host's storks came to the guest";
  EXPECT_LE(records, std::stol(over["record_transfers"]));
  EXPECT_EQ(std::count(frames.begin(), frames.end(), "handshake"), 1);
  EXPECT_EQ(frames.back(), "handshake") << "the last frame shows the round's end";
}

TEST_F(Match, TwoComputersOfALocalNetworkFindEachOtherAndPlay) {
  if (const std::string why = NamespacesUnavailable(); !why.empty()) GTEST_SKIP() << why;
  network_test::NamespacePair namespaces;
  if (const std::string failure = namespaces.Make(); !failure.empty())
    GTEST_SKIP() << "network namespaces cannot be made here: " << failure;
  const auto in = [&](int Side) { return InNamespace(namespaces.Name(Side)); };
  Player host(Opening("Hanna", 1, false, LocalNetwork) + FirstRound + ShortRound(3000, true) + Quit, 51, in(0));
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s));
  Player guest(
      Opening("Gustav", 1, false, LocalNetwork) + FirstRound + "+0 await own_end_state 1\n+0 state over.txt\n" + Quit,
      52, in(1));
  EXPECT_EQ(host.Process().Wait(60s), 0);
  EXPECT_EQ(guest.Process().Wait(30s), 0);
  ExpectOneWorld(host.State("over.txt"), guest.State("over.txt"), "on the local network");
}

// No broadcast crosses a router: two players on two subnets find each other by address, typed as
// digits or as a name that the guest's computer knows.
TEST_F(Match, TwoComputersOfRoutedSubnetsPlayByAddressAndByName) {
  if (const std::string why = NamespacesUnavailable(); !why.empty()) GTEST_SKIP() << why;
  network_test::RoutedNamespaces nets;
  if (const std::string failure = nets.Make(); !failure.empty())
    GTEST_SKIP() << "network namespaces cannot be made here: " << failure;
  ASSERT_EQ(nets.Know(1, "hanna-pc"), "");
  const auto in = [&](int Side) { return InNamespace(nets.Name(Side)); };
  const std::string guestEnd = FirstRound + "+0 await own_end_state 1\n+0 state over.txt\n" + Quit;

  Player host(OpeningByAddress("Hanna", "") + FirstRound + ShortRound(3000, true) + Quit, 61, in(0));
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s)) << host.Output();
  EXPECT_EQ(host.State("hosting.txt")["is_host"], "1");
  {
    Player lonely(Opening("Lotte", 1, false, LocalNetwork) + "+0 end\n", 62, in(1));
    ASSERT_EQ(lonely.Process().Wait(30s), 0) << lonely.Output();
    EXPECT_EQ(lonely.State("hosting.txt")["is_host"], "1") << "the search on its own subnet found nobody";
  }
  Player guest(OpeningByAddress("Gustav", nets.Address(0)) + guestEnd, 63, in(1));
  EXPECT_EQ(host.Process().Wait(60s), 0) << host.Output();
  EXPECT_EQ(guest.Process().Wait(30s), 0) << guest.Output();
  EXPECT_EQ(guest.State("hosting.txt")["is_host"], "0");
  ExpectOneWorld(host.State("over.txt"), guest.State("over.txt"), "by address");

  Player namedHost(OpeningByAddress("Hanna", "") + FirstRound + ShortRound(2000, true) + Quit, 64, in(0));
  ASSERT_TRUE(namedHost.AwaitFile("hosting.txt", 20s)) << namedHost.Output();
  // A name that nobody knows is told, and the player tries again with the right one.
  Player namedGuest(AddressChosen("Gustav") + StartByAddress("nirgendwo.invalid") + "+0 state unknown.txt\n" +
                        StartByAddress("hanna-pc") + "+0 await network_game 1\n" + guestEnd,
                    65, in(1));
  EXPECT_EQ(namedHost.Process().Wait(60s), 0) << namedHost.Output();
  EXPECT_EQ(namedGuest.Process().Wait(30s), 0) << namedGuest.Output();
  auto unknown = namedGuest.State("unknown.txt");
  EXPECT_EQ(unknown["lStatus.text"], "Den Computer „nirgendwo.invalid“ gibt es nicht.");
  EXPECT_EQ(unknown["network_game"], "0");
  ExpectOneWorld(namedHost.State("over.txt"), namedGuest.State("over.txt"), "by name");
}

}  // namespace
}  // namespace game_test
