#pragma once
// The messages waiting for Receive: players' messages and the system's notices of players that
// came or went and of a lost session. System messages are laid out in the caller's buffer as
// DirectPlay lays them out: the record, then the strings it points to.
//
// The queue is bounded by messages and by bytes, each message counted with what it costs beyond
// its bytes, so that a peer cannot make this side hold without end. A message that does not fit is
// refused, never dropped: the caller decides what refusing means for the one who sent it.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "Wire.h"

namespace platform::dplay {

// Where a waiting message came from, so that taking it gives its sender room again: a peer's link
// and the number of the packet on it; link 0 for a message of this side's own.
struct Origin {
  std::uint32_t link = 0;
  std::uint64_t packet = 0;
};

class MessageQueue {
 public:
  static constexpr std::size_t MaxMessages = 65536;
  static constexpr std::size_t MaxBytes = 64 * 1024 * 1024;
  // What a waiting message costs beside its bytes: its record, the heap block of its bytes and
  // its slot in the queue, rounded up.
  static constexpr std::size_t Overhead = 192;
  static constexpr std::size_t Cost(std::size_t size) { return size + Overhead; }

  // Whether Count more messages of Size bytes each fit.
  bool HasRoom(std::size_t count, std::size_t size) const;
  // False, and nothing queued, when the message does not fit.
  bool PushPlayerMessage(DPID from, DPID to, wire::ByteView bytes, Origin origin = {});
  bool PushPlayerCreated(const wire::PlayerEntry& player, DWORD currentPlayers);
  // News of players and sessions gone always finds room: it is how an overflow is told. There is
  // at most one for every player and session that was let in while there was room.
  void PushPlayerDestroyed(const wire::PlayerEntry& player);
  void PushSessionLost();
  void Clear();
  // How many messages came into the queue in all, for those who wait for the next.
  std::uint64_t Arrivals() const { return arrivals_; }

  // The Receive of IDirectPlay3A on this queue; Taken tells where a message taken out came from.
  HRESULT Receive(DPID* from, DPID* to, DWORD flags, LPVOID data, DWORD* dataSize, Origin& taken);

 private:
  struct Message {
    DPID from = DPID_SYSMSG;
    DPID to = 0;
    DWORD systemType = 0;  // 0 for a player's message
    wire::PlayerEntry player;
    DWORD currentPlayers = 0;
    wire::Bytes bytes;
    Origin origin;
  };

  static DWORD SizeOf(const Message& message);
  static std::size_t CostOf(const Message& message) { return Cost(message.bytes.size() + message.player.name.size()); }
  static void WriteTo(const Message& message, std::uint8_t* data);
  bool Fits(const Message& message) const { return HasRoom(1, message.bytes.size() + message.player.name.size()); }
  void Push(Message message);

  std::deque<Message> messages_;
  std::size_t waitingBytes_ = 0;
  std::uint64_t arrivals_ = 0;
};

}  // namespace platform::dplay
