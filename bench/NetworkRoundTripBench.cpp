// The round trip of a 40-byte message between two network objects on this computer (send, poll
// Receive until it arrives, answer, poll until the answer arrives), beside a raw UDP ping-pong of
// the same size between two sockets on loopback. The game's status exchange freezes the frame for
// a few of these. Names are RoundTrip40/Ours and RoundTrip40/RawUdp; each reports the median and
// the 99th percentile of single round trips as counters. What a player feels is the latency
// itself, not the ratio to raw UDP: the goal is a 99th percentile of ours under 200 us.

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "NetworkBenchSupport.h"
#include "lib/network/VXGNetwork.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t MessageSize = 40;
constexpr int ThisComputer = 1;
constexpr GUID Application = {0x0BE4C4A1, 0x3A52, 0x4F1C, {0x90, 0x1D, 0x7E, 0x22, 0x5B, 0x61, 0xC8, 0x0F}};

// A host and a guest in one session, each with its player.
struct Session {
  Session() {
    bench::UseQueryPortsOfThisRun(30000);
    host.AssignDriver(ThisComputer);
    host.CreateSession("Messung", Application, 2);
    hostPlayer = host.CreatePlayer("Anna");
    guest.AssignDriver(ThisComputer);
    for (auto deadline = Clock::now() + std::chrono::seconds(5); Clock::now() < deadline;) {
      guest.RefreshSessions(GUID{}, 100);
      if (guest.Sessions()->Count() > 0) break;
    }
    guest.JoinSession(guest.Sessions()->GetSession(0).Instance);
    guestPlayer = guest.CreatePlayer("Bernd");
    // The host hears of the guest's player first.
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (!Poll(host) && Clock::now() < deadline) {
    }
  }

  static bool Poll(TVXGNetwork& network) {
    char buffer[260];
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    std::uint32_t size = sizeof buffer;
    return network.Receive(from, to, buffer, size);
  }

  TVXGNetwork host;
  TVXGNetwork guest;
  std::uint32_t hostPlayer = 0;
  std::uint32_t guestPlayer = 0;
};

void RoundTrip40Ours(benchmark::State& state) {
  static Session session;
  const char message[MessageSize] = "y0|250|1800|320|240|21|";
  bench::LatencySamples roundTrips;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    session.host.Send(session.hostPlayer, session.guestPlayer, message, MessageSize);
    while (!Session::Poll(session.guest)) {
    }
    session.guest.Send(session.guestPlayer, session.hostPlayer, message, MessageSize);
    while (!Session::Poll(session.host)) {
    }
    roundTrips.Add(Clock::now() - start);
  }
  roundTrips.Report(state);
}

int LoopbackSocket(sockaddr_in& address) {
  const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
  address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
  return socket;
}

void RoundTrip40RawUdp(benchmark::State& state) {
  sockaddr_in first{};
  sockaddr_in second{};
  const int a = LoopbackSocket(first);
  const int b = LoopbackSocket(second);
  char message[MessageSize] = "y0|250|1800|320|240|21|";
  char buffer[260];
  bench::LatencySamples roundTrips;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    sendto(a, message, MessageSize, 0, reinterpret_cast<const sockaddr*>(&second), sizeof second);
    while (recv(b, buffer, sizeof buffer, 0) < 0) {
    }
    sendto(b, buffer, MessageSize, 0, reinterpret_cast<const sockaddr*>(&first), sizeof first);
    while (recv(a, buffer, sizeof buffer, 0) < 0) {
    }
    roundTrips.Add(Clock::now() - start);
  }
  roundTrips.Report(state);
  close(a);
  close(b);
}

}  // namespace

BENCHMARK(RoundTrip40Ours)->Name("RoundTrip40/Ours")->UseRealTime();
BENCHMARK(RoundTrip40RawUdp)->Name("RoundTrip40/RawUdp")->UseRealTime();
