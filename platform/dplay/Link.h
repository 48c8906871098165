#pragma once
// One peer of a session, reached over ENet: when it was last heard from, and how much each side
// may still send the other. Each side grants its peer a window of messages and bytes (counted as
// its queue counts them) and gives back what its game has taken; a side whose window is spent
// waits. So a side whose game does not poll holds no more than it granted, a busy sender waits
// instead of overflowing it, a peer that keeps a sender waiting too long is let go, and a peer
// that sends beyond its window breaks the rules.

#include <enet/enet.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>

#include "MessageQueue.h"
#include "Wire.h"

namespace platform::dplay {

// The window a side grants each peer of a session of MaxPlayers. Every other player may send from
// a peer of its own, and each message may wait here once for every player of this side; the
// windows of all peers together then leave the queue a share for this side's own messages.
wire::Window WindowFor(DWORD maxPlayers);
// Whether a window lets its peer be sent every message, if only one at a time: a peer granting
// less could never be sent the largest, and its senders would wait for it in vain.
bool CarriesEveryMessage(const wire::Window& window);

class Link {
 public:
  using Clock = std::chrono::steady_clock;

  // A packet to the peer that waits for its window or behind one that does.
  struct Held {
    wire::Bytes packet;
    std::optional<std::size_t> messageSize;  // for a player's message: what the window is charged
    Origin origin;                           // for a message passed on: where it came from
    Clock::time_point since;                 // when it began to wait
  };

  Link(std::uint32_t id, ENetPeer* peer, const wire::Window& granted, Clock::time_point now);

  std::uint32_t Id() const { return id_; }
  ENetPeer* Peer() const { return peer_; }
  // When the peer became one of the session's: on the host, when it joined.
  Clock::time_point Since() const { return since_; }
  void Heard(Clock::time_point now) { lastHeard_ = now; }
  Clock::time_point LastHeard() const { return lastHeard_; }

  // Sending: what the peer lets this side send, and the packets waiting for it.
  void Grant(const wire::Window& more);
  bool MaySend(std::size_t size) const;
  void Spend(std::size_t size);
  std::deque<Held>& Waiting() { return held_; }
  // When the first of what waits began to wait; nothing while nothing waits.
  std::optional<Clock::time_point> WaitingSince() const;

  // Receiving: a message of Size arrives and gets the next number; nothing when it is beyond the
  // window this side granted. Each copy of it that waits here (in the queue, or to be passed on)
  // holds its room until Release; the arrival itself holds it until its copies are made.
  std::optional<std::uint64_t> Arrive(std::size_t size);
  void Hold(std::uint64_t packet);
  void Release(std::uint64_t packet);
  // What to give back to the peer now: once a quarter of the window is free again, so that a
  // lock-step exchange costs no packet of its own, and a waiting sender is sure to hear.
  std::optional<wire::Window> CreditDue();

 private:
  struct Arrived {
    std::uint32_t copies;
    std::size_t cost;
  };

  std::uint32_t id_;
  ENetPeer* peer_;
  Clock::time_point since_;
  Clock::time_point lastHeard_;
  // Sums over the link's life: what the peer granted and what this side spent of it.
  std::uint64_t allowedMessages_ = 0;
  std::uint64_t allowedBytes_ = 0;
  std::uint64_t spentMessages_ = 0;
  std::uint64_t spentBytes_ = 0;
  std::deque<Held> held_;
  // What this side granted in all, what arrived, and what is free again but not yet given back.
  wire::Window window_;
  std::uint64_t grantedMessages_;
  std::uint64_t grantedBytes_;
  std::uint64_t arrivedMessages_ = 0;
  std::uint64_t arrivedBytes_ = 0;
  std::deque<Arrived> arrived_;  // from number firstHeld_ on
  std::uint64_t firstHeld_ = 0;
  wire::Window freed_;
};

}  // namespace platform::dplay
