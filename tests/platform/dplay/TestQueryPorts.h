#pragma once
// Tests run side by side (several at once, and in two builds at once): each test process takes
// query ports of its own, so that no test finds another's sessions.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace dplay_test {

inline constexpr std::uint16_t PortsPerBlock = 8;

inline bool PortFree(std::uint16_t port) {
  const int probe = socket(AF_INET, SOCK_DGRAM, 0);
  if (probe < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_ANY);
  const bool free = bind(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(probe);
  return free;
}

// The first port of a block of free ports below the ephemeral range, chosen by process ID and
// Skip (for a second block in the same test). A second block lies half the range away: test
// processes started while this one runs have IDs just above its own, and take blocks next to its
// first one.
inline std::uint16_t FreePortBlock(unsigned skip = 0) {
  constexpr unsigned First = 20000;
  constexpr unsigned Blocks = 1500;
  const unsigned start = static_cast<unsigned>(getpid()) + skip * (Blocks / 2);
  for (unsigned attempt = 0; attempt < Blocks; ++attempt) {
    const auto base = static_cast<std::uint16_t>(First + ((start + attempt) % Blocks) * PortsPerBlock);
    bool free = true;
    for (std::uint16_t offset = 0; offset < PortsPerBlock && free; ++offset) free = PortFree(base + offset);
    if (free) return base;
  }
  return 0;
}

// What the network service reads when a connection is initialised.
inline void UseQueryPorts(std::uint16_t base) { setenv("VXG_DPLAY_QUERY_PORT", std::to_string(base).c_str(), 1); }

}  // namespace dplay_test
