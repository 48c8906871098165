// Two copies of the game playing each other end to end: two veltranzik-script processes on this
// computer's loopback connection, each in a folder of its own with its own script and seed.

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "GameFolder.h"
#include "lib/network/ChildProcess.h"

namespace game_test {
namespace {

using namespace std::chrono_literals;

// One copy of the game, run by the runner with a script, until it ends or is killed.
class Player {
 public:
  Player(const std::string& Script, int Seed) {
    std::ofstream(folder_.File("script.txt")) << Script;
    process_ = std::make_unique<network_test::ChildProcess>(std::vector<std::string>{
        "sh", "-c",
        "cd '" + folder_.Path().string() + "' && exec '" GAME_DIR "/veltranzik-script' script.txt --seed " +
            std::to_string(Seed)});
  }

  const GameFolder& Folder() const { return folder_; }
  network_test::ChildProcess& Process() { return *process_; }
  std::map<std::string, std::string> State(const std::string& Name) const { return folder_.State(Name); }
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

// The start screen of a network game on the loopback connection.
std::string Opening(const std::string& Name, int Track, bool Doubled) {
  std::string script = "10 control eName text " + Name + "\n20 control cbNetz click\n30 control lbd select 1\n" +
                       "40 control track position " + std::to_string(Track) + "\n";
  if (Doubled) script += "50 control cbdoppelt click\n";
  return script + "60 control Button2 click\n+0 state hosting.txt\n";
}

// A round: Space after the title or the result, a few shots into the sky, and the result.
std::string Round(const std::string& Result) {
  return "+0 await own_end_state 0\n+0 await phase 0\n+4000 press left 320 150\n+3000 press left 200 120\n"
         "+3000 press left 450 200\n+5000 press left 120 160\n+0 await own_end_state 1\n+0 state " +
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

TEST(Match, TwoCopiesPlayAMatchInOneWorldAndTheHostsSettingsRule) {
  Player host(Opening("Hanna", 2, false) + FirstRound + Round("round1.txt") + PlayAgain + Round("round2.txt") + Quit,
              11);
  ASSERT_TRUE(host.AwaitFile("hosting.txt", 20s)) << "the host never opened its session";
  Player guest(Opening("Gustav", 0, true) + FirstRound + Round("round1.txt") + PlayAgain + Round("round2.txt") + Quit,
               12);
  EXPECT_EQ(host.Process().Wait(120s), 0);
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
    EXPECT_EQ(h["score"], g["opponent_score"]) << round;
    EXPECT_EQ(g["score"], h["opponent_score"]) << round;
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
    EXPECT_NE(h["exchange_tick"], "0");
    EXPECT_EQ(h["exchange_tick"], g["exchange_tick"]) << round;
    EXPECT_FALSE(ExchangeStorks(h).empty());
    EXPECT_EQ(ExchangeStorks(h), ExchangeStorks(g)) << round << ": both sides keep one world";
  }
}

}  // namespace
}  // namespace game_test
