#pragma once
// Polling a TVXGNetwork the way the game does, with the game's 260-byte buffer.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "lib/network/VXGNetwork.h"

namespace network_test {

inline constexpr int LocalNetwork = 0;
inline constexpr int ThisComputer = 1;
inline constexpr GUID Application = {0x5E1A7A2C, 0x4B1D, 0x4C3E, {0x8F, 0x10, 0x6A, 0x2B, 0x9C, 0x3D, 0x7E, 0x41}};

struct Received {
  std::uint32_t from = 0;
  std::uint32_t to = 0;
  std::string bytes;
  DWORD systemType = 0;  // for system messages
  DPID player = 0;       // for players created or destroyed
  std::string playerName;
};

// The player ID and name of a create or destroy record, read while its buffer lives.
template <class Record>
void ReadPlayer(const char* buffer, Received& received) {
  Record record;
  std::memcpy(&record, buffer, sizeof record);
  received.player = record.dpId;
  received.playerName = record.dpnName.lpszShortNameA;
}

inline std::optional<Received> Poll(TVXGNetwork& network, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  char buffer[260];
  Received received;
  std::uint32_t size = sizeof buffer;
  while (!network.Receive(received.from, received.to, buffer, size)) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  received.bytes.assign(buffer, size);
  if (received.from == DPID_SYSMSG) {
    std::memcpy(&received.systemType, buffer, sizeof(DWORD));
    if (received.systemType == DPSYS_CREATEPLAYERORGROUP) ReadPlayer<DPMSG_CREATEPLAYERORGROUP>(buffer, received);
    if (received.systemType == DPSYS_DESTROYPLAYERORGROUP) ReadPlayer<DPMSG_DESTROYPLAYERORGROUP>(buffer, received);
  }
  return received;
}

// Refreshes the session list until a session named Name is there or Limit has passed, as a player
// would; one short search may miss an answer on a busy machine.
inline std::optional<TVXGSession> FindSession(TVXGNetwork& network, const std::string& name,
                                              std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  do {
    network.RefreshSessions(GUID{}, 100);
    for (int i = 0; i < network.Sessions()->Count(); ++i)
      if (network.Sessions()->GetSession(i).Name == name) return network.Sessions()->GetSession(i);
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

inline std::vector<std::string> PlayerNames(TVXGNetwork& network) {
  network.RefreshPlayers(GUID{});
  std::vector<std::string> names;
  for (int i = 0; i < network.Players()->Count(); ++i) names.push_back(network.Players()->GetPlayer(i).Name);
  return names;
}

}  // namespace network_test
