// The other side of a network test, in a process of its own: it hosts or joins "Veltranzik10" with
// a TVXGNetwork and reports what happens as lines on its output.
//   network_test_peer host CONNECTION NAME   hosts; answers "ping" with "pong"; ends when a guest left
//   network_test_peer join CONNECTION NAME   joins, says "ping", waits for "pong", leaves
//   network_test_peer guest CONNECTION NAME  joins and stays until it is killed

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "lib/network/VXGNetwork.h"

namespace {

constexpr GUID Application = {0x5E1A7A2C, 0x4B1D, 0x4C3E, {0x8F, 0x10, 0x6A, 0x2B, 0x9C, 0x3D, 0x7E, 0x41}};
constexpr auto GiveUpAfter = std::chrono::seconds(30);

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

struct Message {
  std::uint32_t from = 0;
  std::string text;
  DWORD systemType = 0;
};

bool Next(TVXGNetwork& network, Message& message) {
  char buffer[260];
  std::uint32_t to = 0;
  std::uint32_t size = sizeof buffer;
  if (!network.Receive(message.from, to, buffer, size)) return false;
  message.text.assign(buffer, size);
  message.systemType = 0;
  if (message.from == DPID_SYSMSG) std::memcpy(&message.systemType, buffer, sizeof(DWORD));
  return true;
}

int Host(TVXGNetwork& network, const std::string& name) {
  network.CreateSession("Veltranzik10", Application, 4);
  const std::uint32_t id = network.CreatePlayer(name);
  Say("ready " + std::to_string(id));
  const auto deadline = std::chrono::steady_clock::now() + GiveUpAfter;
  while (std::chrono::steady_clock::now() < deadline) {
    Message message;
    if (!Next(network, message)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } else if (message.systemType == DPSYS_DESTROYPLAYERORGROUP) {
      Say("left");
      return 0;
    } else if (message.from != DPID_SYSMSG && message.text == "ping") {
      network.Send(id, message.from, "pong", 4);
    }
  }
  return 1;
}

// Searches until the session is there, as a player would, for a while.
bool JoinTheSession(TVXGNetwork& network) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    network.RefreshSessions(GUID{}, 200);
    const TVXGSessionList& sessions = *network.Sessions();
    for (int i = 0; i < sessions.Count(); ++i) {
      if (sessions.GetSession(i).Name != "Veltranzik10") continue;
      network.JoinSession(sessions.GetSession(i).Instance);
      return true;
    }
  }
  return false;
}

int Guest(TVXGNetwork& network, const std::string& name, bool leave) {
  if (!JoinTheSession(network)) {
    Say("no session");
    return 1;
  }
  const std::uint32_t id = network.CreatePlayer(name);
  Say("joined " + std::to_string(id));
  network.Send(id, 0, "ping", 4);
  const auto deadline = std::chrono::steady_clock::now() + GiveUpAfter;
  while (std::chrono::steady_clock::now() < deadline) {
    Message message;
    if (!Next(network, message)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } else if (message.text == "pong") {
      network.RefreshPlayers(GUID{});
      Say("pong, players " + std::to_string(network.Players()->Count()));
      if (!leave) std::this_thread::sleep_for(GiveUpAfter);
      network.LeaveSession();
      return 0;
    }
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s host|join|guest CONNECTION NAME\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  try {
    TVXGNetwork network;
    network.AssignDriver(std::stoi(argv[2]));
    if (mode == "host") return Host(network, argv[3]);
    return Guest(network, argv[3], mode == "join");
  } catch (const std::exception& e) {
    Say(std::string("error: ") + e.what());
    return 1;
  }
}
