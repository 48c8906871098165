#pragma once
// What the game keeps of the network between the start screen and the rounds.

#include <cstdint>
#include <memory>
#include <string>

class TVXGNetwork;

// The network object and the two-player session behind the Start button.
struct NetworkState {
  std::unique_ptr<TVXGNetwork> Network;
  bool NetworkGame = false;
  bool IsHost = false;
  std::uint32_t LocalPlayerId = 0;
  std::uint32_t SenderId = 0;
  // The player whose messages are the game's: the other player listed when the match began.
  std::uint32_t OpponentId = 0;
  // This computer's addresses, when it opened the session for a player who joins by address.
  std::string ShownAddresses;

  NetworkState();
  NetworkState(const NetworkState&) = delete;
  NetworkState& operator=(const NetworkState&) = delete;
  ~NetworkState();
};
