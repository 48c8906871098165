// How a two-player round feels over a slow line: two scripted runners on this computer play each
// other, the guest reaching the host only through a relay that holds every datagram back by half
// the round trip each way, both shooting at storks while their frames are paced in real time as
// on a screen of 60 Hz. For each round trip it prints the real intervals between frames (median,
// 99th percentile, longest) over every frame of play and over those without a record transfer in
// them, and how many record transfers ran. Goals: at 5 ms no interval above 33 ms without a record
// transfer and none above 50 ms at all; at 20 ms none above 100 ms. Beside it, in the same run, a
// thread that does nothing but sleep a frame at a time: what the computer alone does to a loop of
// 60 Hz. A computer busy with other work now and then holds a sleeping thread up for many frames;
// the frames of play that such a hold-up overlapped are counted apart in a second table, so that
// what the game does stands apart from what the computer did to it.
//
// Not one of the benchmarks that tools/bench runs: it takes a few minutes of real time. Run it by
// hand from the build folder: bench/match_frame_times [--seconds N] [--rtt MS,MS,...] [--keep]
//   --seconds N  play N seconds of the round, then the host ends it (default: the whole round)
//   --rtt LIST   the round trips in milliseconds (default: 1,5,20)
//   --keep       leave the runners' folders (scripts, frame logs, states) and say where

#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "lib/network/ChildProcess.h"
#include "platform/dplay/Relay.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A whole round lasts 90 seconds of the game's clock, a hundred of real time; the shots go on a
// little past it, into the result.
constexpr int WholeRoundSeconds = 104;
constexpr int ShotEveryMilliseconds = 2000;
constexpr int MagazineSize = 8;
// How long one side may take beyond the round before it counts as stuck.
constexpr std::chrono::seconds Leeway{90};

struct Options {
  std::optional<int> Seconds;
  std::vector<int> RoundTrips{1, 5, 20};
  bool Keep = false;
};

std::optional<int> Number(const std::string& Text) {
  int value = 0;
  const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), value);
  if (error != std::errc() || end != Text.data() + Text.size() || value <= 0) return std::nullopt;
  return value;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--keep") {
      options.Keep = true;
      continue;
    }
    if (i + 1 >= argc) return std::nullopt;
    const std::string value = argv[++i];
    if (argument == "--seconds") {
      options.Seconds = Number(value);
      if (!options.Seconds) return std::nullopt;
    } else if (argument == "--rtt") {
      options.RoundTrips.clear();
      std::stringstream list(value);
      for (std::string item; std::getline(list, item, ',');) {
        const std::optional<int> roundTrip = Number(item);
        if (!roundTrip) return std::nullopt;
        options.RoundTrips.push_back(*roundTrip);
      }
    } else {
      return std::nullopt;
    }
  }
  return options;
}

// A working folder of one runner: the game's data and plug-in linked in, removed at the end.
class GameFolder {
 public:
  explicit GameFolder(bool Keep) : keep_(Keep) {
    std::string pattern = (fs::temp_directory_path() / "veltranzik-frames-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    path_ = pattern;
    for (const char* name : {"cdu", "animf", "ani2", "ps", "Surfbmp.spi"})
      fs::create_symlink(fs::path(GAME_DIR) / name, path_ / name);
  }
  ~GameFolder() {
    std::error_code ignored;
    if (keep_)
      std::cerr << "kept " << path_.string() << '\n';
    else
      fs::remove_all(path_, ignored);
  }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  fs::path File(const std::string& Name) const { return path_ / Name; }
  std::string Path() const { return path_.string(); }

 private:
  fs::path path_;
  bool keep_;
};

// One copy of the game, run by the runner with its script and its frame log.
class Player {
 public:
  Player(const std::string& Script, int Seed, bool Keep) : folder_(Keep) {
    std::ofstream(folder_.File("script.txt")) << Script;
    process_ = std::make_unique<network_test::ChildProcess>(std::vector<std::string>{
        "sh", "-c",
        "cd '" + folder_.Path() + "' && exec '" GAME_DIR "/veltranzik-script' script.txt --seed " +
            std::to_string(Seed) + " --frames frames.txt"});
  }

  bool AwaitFile(const std::string& Name, std::chrono::milliseconds Limit) const {
    const auto deadline = std::chrono::steady_clock::now() + Limit;
    while (!fs::exists(folder_.File(Name))) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(20ms);
    }
    std::this_thread::sleep_for(50ms);  // written whole
    return true;
  }
  // Whether the run ended well within Limit; what it said goes to standard error.
  bool Finish(std::chrono::milliseconds Limit) {
    const std::optional<int> status = process_->Wait(Limit);
    while (const std::optional<std::string> line = process_->ReadLine(100ms))
      std::cerr << "  runner: " << *line << '\n';
    return status == 0;
  }
  std::string StateValue(const std::string& File, const std::string& Key) const {
    std::ifstream in(folder_.File(File));
    for (std::string line; std::getline(in, line);)
      if (line.starts_with(Key + "=")) return line.substr(Key.size() + 1);
    return {};
  }
  // The frame log: each interval in microseconds and what ran in it.
  struct Frame {
    double Milliseconds;  // since the frame before
    std::string What;
    std::chrono::steady_clock::time_point Shown;
  };
  std::vector<Frame> Frames() const {
    std::vector<Frame> frames;
    std::ifstream in(folder_.File("frames.txt"));
    std::int64_t microseconds = 0;
    std::int64_t shown = 0;
    std::string what;
    while (in >> microseconds >> what >> shown)
      frames.push_back({static_cast<double>(microseconds) / 1000.0, what,
                        std::chrono::steady_clock::time_point(std::chrono::microseconds(shown))});
    return frames;
  }

 private:
  GameFolder folder_;
  std::unique_ptr<network_test::ChildProcess> process_;
};

// The start screen of a game on this computer's loopback connection, with a normal count of storks;
// the title picture goes at once.
std::string Opening(const std::string& Name) {
  return "10 control eName text " + Name +
         "\n20 control cbNetz click\n30 control lbd select 1\n40 control track position 1\n"
         "60 control Button2 click\n+0 await network_game 1\n+0 state hosting.txt\n"
         "+0 await title_showing 1\n+200 key down 32\n+10 key up 32\n";
}

// A player who shoots at a stork every two seconds and reloads when the magazine is empty, in real
// time throughout; the host ends the round after Seconds when it is not to run whole.
std::string Script(const std::string& Name, bool Host, const std::optional<int>& Seconds) {
  std::string script = Opening(Name) + "+0 await phase 0\n";
  const int shots = Seconds.value_or(WholeRoundSeconds) * 1000 / ShotEveryMilliseconds;
  for (int shot = 1; shot <= shots; ++shot) {
    script += "+0 hold " + std::to_string(ShotEveryMilliseconds) + "\n+0 shoot stork\n";
    if (shot % MagazineSize == 0) script += "+0 press right 320 240\n";
  }
  if (Seconds && Host) script += "+0 key down 27\n+10 key up 27\n";
  return script + "+0 await own_end_state 1\n+0 state over.txt\n+300 key down 27\n+10 key up 27\n";
}

struct Figures {
  std::size_t Count = 0;
  double Median = 0;
  double P99 = 0;
  double Longest = 0;
};

Figures FiguresOf(std::vector<double> Intervals) {
  Figures figures;
  if (Intervals.empty()) return figures;
  std::sort(Intervals.begin(), Intervals.end());
  const auto rank = [&](double share) {
    const auto index = static_cast<std::size_t>(std::ceil(share * static_cast<double>(Intervals.size())));
    return Intervals[std::clamp<std::size_t>(index, 1, Intervals.size()) - 1];
  };
  figures.Count = Intervals.size();
  figures.Median = rank(0.5);
  figures.P99 = rank(0.99);
  figures.Longest = Intervals.back();
  return figures;
}

struct RoundFigures {
  Figures All;
  Figures OutsideRecords;
  Figures Sleeper;
  // The same, without the frames that the computer held up.
  Figures QuietAll;
  Figures QuietOutsideRecords;
  std::string Transfers;
};

using Span = std::pair<std::chrono::steady_clock::time_point, std::chrono::steady_clock::time_point>;
// A sleeper held up this long missed two refreshes of the screen for nothing the game did.
constexpr std::chrono::microseconds HeldUp{33333};

// A loop of 60 Hz that does nothing else, as long as it lives: its intervals.
class Sleeper {
 public:
  Sleeper() {
    thread_ = std::jthread([this](std::stop_token stop) {
      while (!stop.stop_requested()) {
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::microseconds(16667));
        spans_.emplace_back(start, std::chrono::steady_clock::now());
      }
    });
  }
  // Once it stopped: each sleep, from its start to its end.
  const std::vector<Span>& Spans() {
    thread_ = std::jthread();
    return spans_;
  }

 private:
  std::vector<Span> spans_;
  std::jthread thread_;
};

// The handshakes at the round's opening and end are no frames of play and count nowhere.
struct Intervals {
  std::vector<double> All;
  std::vector<double> OutsideRecords;
};

bool Overlaps(const Span& Frame, const std::vector<Span>& Spans) {
  return std::any_of(Spans.begin(), Spans.end(),
                     [&](const Span& span) { return span.first < Frame.second && Frame.first < span.second; });
}

// Quiet takes the frames that no hold-up of the computer overlapped.
void Collect(const Player& Side, const std::vector<Span>& HeldUps, Intervals& Every, Intervals& Quiet) {
  for (const Player::Frame& frame : Side.Frames()) {
    if (frame.What == "handshake") continue;
    const auto since = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double, std::milli>(frame.Milliseconds));
    const auto add = [&](Intervals& intervals) {
      intervals.All.push_back(frame.Milliseconds);
      if (frame.What == "play") intervals.OutsideRecords.push_back(frame.Milliseconds);
    };
    add(Every);
    if (!Overlaps({frame.Shown - since, frame.Shown}, HeldUps)) add(Quiet);
  }
}

std::optional<RoundFigures> PlayRound(int RoundTripMs, const Options& Options) {
  const std::uint16_t hostPorts = dplay_test::FreePortBlock();
  const std::uint16_t relayPorts = dplay_test::FreePortBlock(1);
  if (hostPorts == 0 || relayPorts == 0 || hostPorts == relayPorts) {
    std::cerr << "no free ports on this computer\n";
    return std::nullopt;
  }
  dplay_test::UseQueryPorts(hostPorts);
  Player host(Script("Hanna", true, Options.Seconds), 11, Options.Keep);
  if (!host.AwaitFile("hosting.txt", 20s)) {
    std::cerr << "the host never opened its session\n";
    return std::nullopt;
  }
  const dplay_test::Relay relay(relayPorts, hostPorts, std::chrono::microseconds(RoundTripMs * 500));
  dplay_test::UseQueryPorts(relayPorts);
  Player guest(Script("Gustav", false, Options.Seconds), 12, Options.Keep);
  Sleeper sleeper;
  const auto limit = std::chrono::seconds(Options.Seconds.value_or(WholeRoundSeconds)) + Leeway;
  const bool hostDone = host.Finish(limit);
  const bool guestDone = guest.Finish(30s);
  if (!hostDone || !guestDone || guest.StateValue("hosting.txt", "is_host") != "0") {
    std::cerr << "the round at " << RoundTripMs << " ms did not end as a match should: the host "
              << (hostDone ? "ended" : "failed") << ", the guest " << (guestDone ? "ended" : "failed") << " and "
              << (guest.StateValue("hosting.txt", "is_host") == "0" ? "joined" : "did not join") << "\n";
    return std::nullopt;
  }
  std::vector<double> sleeps;
  std::vector<Span> heldUps;
  for (const Span& span : sleeper.Spans()) {
    sleeps.push_back(std::chrono::duration<double, std::milli>(span.second - span.first).count());
    if (span.second - span.first >= HeldUp) heldUps.push_back(span);
  }
  Intervals every;
  Intervals quiet;
  Collect(host, heldUps, every, quiet);
  Collect(guest, heldUps, every, quiet);
  return RoundFigures{
      FiguresOf(every.All), FiguresOf(every.OutsideRecords), FiguresOf(sleeps),
      FiguresOf(quiet.All), FiguresOf(quiet.OutsideRecords), host.StateValue("over.txt", "record_transfers")};
}

// Third names a third column, if there is one.
void PrintHeader(const std::optional<std::string>& Third) {
  std::printf("%-10s %9s | %-33s | %-33s |", "", "record", "all frames of play (ms)", "outside record transfers (ms)");
  if (Third) std::printf(" %-33s |", Third->c_str());
  std::printf("\n%-10s %9s |", "round trip", "transfers");
  for (int column = 0; column < (Third ? 3 : 2); ++column)
    std::printf(" %6s %8s %8s %8s |", "frames", "p50", "p99", "longest");
  std::printf("\n");
}

void PrintRow(int RoundTripMs, const std::string& Transfers, const Figures& All, const Figures& OutsideRecords,
              const std::optional<Figures>& Third) {
  const auto figures = [](const Figures& f) {
    std::printf(" %6zu %8.1f %8.1f %8.1f |", f.Count, f.Median, f.P99, f.Longest);
  };
  std::printf("%7d ms %9s |", RoundTripMs, Transfers.c_str());
  figures(All);
  figures(OutsideRecords);
  if (Third) figures(*Third);
  std::printf("\n");
}

// The goals at the round trips that have them; nothing to say at the others.
std::string Verdict(int RoundTripMs, const Figures& All, const Figures& OutsideRecords) {
  if (RoundTripMs == 5) return OutsideRecords.Longest <= 33 && All.Longest <= 50 ? "met" : "missed";
  if (RoundTripMs == 20) return All.Longest <= 100 ? "met" : "missed";
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::cerr << "Usage: match_frame_times [--seconds N] [--rtt MS,MS,...] [--keep]\n";
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::vector<std::pair<int, RoundFigures>> rounds;
  for (const int roundTrip : options->RoundTrips) {
    std::cerr << "playing at " << roundTrip << " ms round trip...\n";
    const std::optional<RoundFigures> round = PlayRound(roundTrip, *options);
    if (!round) return 1;
    rounds.emplace_back(roundTrip, *round);
  }
  PrintHeader("a sleeping loop of 60 Hz (ms)");
  for (const auto& [roundTrip, round] : rounds)
    PrintRow(roundTrip, round.Transfers, round.All, round.OutsideRecords, round.Sleeper);
  std::printf("\nWithout the frames that a hold-up of the sleeping loop by %.1f ms or more overlapped:\n",
              std::chrono::duration<double, std::milli>(HeldUp).count());
  PrintHeader(std::nullopt);
  for (const auto& [roundTrip, round] : rounds)
    PrintRow(roundTrip, round.Transfers, round.QuietAll, round.QuietOutsideRecords, std::nullopt);
  std::printf("\n");
  for (const auto& [roundTrip, round] : rounds)
    if (const std::string verdict = Verdict(roundTrip, round.All, round.OutsideRecords); !verdict.empty())
      std::printf("goals at %d ms: %s; without the computer's hold-ups: %s\n", roundTrip, verdict.c_str(),
                  Verdict(roundTrip, round.QuietAll, round.QuietOutsideRecords).c_str());
  return 0;
}
