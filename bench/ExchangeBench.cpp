// The two-player status exchange between two copies of the game's protocol on this computer's
// loopback connection, the other side on a thread of its own: a status line alone, and a status
// line with a stork's record. Beside it, in the same run, the round trip of one message between the
// same two network objects. Names: Exchange/Ours (status only), Exchange/WithRecord and
// Exchange/RoundTrip; each reports the median and 99th percentile as counters. The goals: a status
// exchange costs at most one and a half round trips, one with a record at most five.

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "NetworkBenchSupport.h"
#include "game/NetworkChannel.h"
#include "game/rules/TwoPlayer.h"
#include "lib/network/VXGNetwork.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int ThisComputer = 1;
constexpr GUID Application = {0x3D1F6A20, 0x7C44, 0x4B9E, {0xA1, 0x0C, 0x55, 0x2E, 0x90, 0x13, 0x6F, 0xB7}};

// Nobody looks at the window of a benchmark.
struct NoWindow final : MatchWindow {
  bool ServeWhilePlayerAwaited() override { return false; }
  bool ServeSystemEvents() override { return false; }
  void ShowError(const Exception&) override {}
};

// One copy of the game's side of a match: its network object, its state and its protocol.
struct Side {
  explicit Side(bool Host) {
    net.Network = std::make_unique<TVXGNetwork>();
    protocol.SetHost(Host);
  }
  NetworkState net;
  MatchState match;
  RoundState round;
  TargetState targets;
  NetworkChannel channel{net};
  NoWindow window;
  TwoPlayerProtocol protocol{channel, match, round, targets, window, [] {}};
};

// A host here and a guest on its own thread, which answers every exchange until the host's end.
class Match {
 public:
  Match() {
    bench::UseQueryPortsOfThisRun(31000);
    TVXGNetwork& network = *host_.net.Network;
    network.AssignDriver(ThisComputer);
    network.CreateSession("Messung", Application, 2);
    host_.net.LocalPlayerId = host_.net.SenderId = network.CreatePlayer("Anna");
    guest_ = std::thread([this] { Guest(); });
    while (!guestJoined_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    do network.RefreshPlayers(GUID{});
    while (network.Players()->Count() < 2);
    for (int i = 0; i < network.Players()->Count(); ++i)
      if (network.Players()->GetPlayer(i).ID != host_.net.LocalPlayerId)
        host_.net.OpponentId = network.Players()->GetPlayer(i).ID;
    host_.targets.Targets[5].Kind = 2;
    host_.targets.Targets[5].State = TargetFlying;
    host_.targets.Targets[5].X = 1234.5678;
  }
  ~Match() {
    host_.protocol.SendText("@0");
    guest_.join();
  }

  Side& Host() { return host_; }

 private:
  void Guest() {
    Side guest(false);
    TVXGNetwork& network = *guest.net.Network;
    network.AssignDriver(ThisComputer);
    while (network.Sessions() == nullptr || network.Sessions()->Count() == 0) network.RefreshSessions(GUID{}, 100);
    network.JoinSession(network.Sessions()->GetSession(0).Instance);
    guest.net.LocalPlayerId = guest.net.SenderId = network.CreatePlayer("Bernd");
    network.RefreshPlayers(GUID{});
    for (int i = 0; i < network.Players()->Count(); ++i)
      if (network.Players()->GetPlayer(i).ID != guest.net.LocalPlayerId)
        guest.net.OpponentId = network.Players()->GetPlayer(i).ID;
    guestJoined_ = true;
    // First every ping goes straight back; then this side answers every exchange in step.
    while (!exchanging_) {
      if (const std::optional<std::string> text = guest.channel.Poll())
        guest.protocol.SendText(*text);
      else
        guest.channel.WaitForTraffic(1);
    }
    while (!guest.protocol.PeerOver()) guest.protocol.ExchangeStatus();
  }

 public:
  // From now on the guest answers exchanges instead of pings.
  void StartExchanging() { exchanging_ = true; }

 private:
  Side host_{true};
  std::atomic<bool> guestJoined_{false};
  std::atomic<bool> exchanging_{false};
  std::thread guest_;
};

Match& TheMatch() {
  static Match match;
  return match;
}

void RoundTrip(benchmark::State& state) {
  Side& host = TheMatch().Host();
  bench::LatencySamples samples;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    host.channel.Send("p");
    while (!host.channel.Poll()) {
    }
    samples.Add(Clock::now() - start);
  }
  samples.Report(state);
}
BENCHMARK(RoundTrip)->Name("Exchange/RoundTrip")->UseRealTime();

void ExchangeStatusOnly(benchmark::State& state) {
  TheMatch().StartExchanging();
  Side& host = TheMatch().Host();
  bench::LatencySamples samples;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    host.protocol.ExchangeStatus();
    samples.Add(Clock::now() - start);
  }
  samples.Report(state);
}
BENCHMARK(ExchangeStatusOnly)->Name("Exchange/Ours")->UseRealTime();

void ExchangeWithRecord(benchmark::State& state) {
  TheMatch().StartExchanging();
  Side& host = TheMatch().Host();
  bench::LatencySamples samples;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    host.protocol.AnnounceUpdate(RecordKind::Stork, 5);
    host.protocol.ExchangeStatus();
    samples.Add(Clock::now() - start);
  }
  samples.Report(state);
}
BENCHMARK(ExchangeWithRecord)->Name("Exchange/WithRecord")->UseRealTime();

}  // namespace
