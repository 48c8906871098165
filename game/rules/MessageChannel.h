#pragma once
// The other player as the two-player protocol sees it: texts out, the other player's texts in, a
// wait for traffic, and the news that the other player is gone.

#include <cstdint>
#include <optional>
#include <string>

// Broken: the other side sent what no copy of the game sends.
enum class OpponentGone { No, Left, SessionLost, Silent, Broken };

class MessageChannel {
 public:
  virtual void Send(const std::string& Text) = 0;
  // One look at what arrived: the next message of the other player as its cleaned text, or
  // nothing. Everything else that arrives (notices of the system, strangers' messages) is taken
  // in on the way; a notice that the other player left or the session was lost shows in Gone().
  virtual std::optional<std::string> Poll() = 0;
  // Returns when traffic may have arrived, at the latest after the given time.
  virtual void WaitForTraffic(std::int32_t Milliseconds) = 0;
  virtual OpponentGone Gone() const = 0;

 protected:
  ~MessageChannel() = default;
};
