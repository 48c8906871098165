#pragma once
// The messages waiting for Receive: players' messages and the system's notices of players that
// came or went and of a lost session. System messages are laid out in the caller's buffer as
// DirectPlay lays them out: the record, then the strings it points to.

#include <cstddef>
#include <deque>
#include <string>

#include "Wire.h"

namespace platform::dplay {

class MessageQueue {
 public:
  // Messages beyond this many bytes waiting are dropped: a peer cannot make us hold without end.
  static constexpr std::size_t MaxWaitingBytes = 64 * 1024 * 1024;

  void PushPlayerMessage(DPID from, DPID to, wire::ByteView bytes);
  void PushPlayerCreated(const wire::PlayerEntry& player, DWORD currentPlayers);
  void PushPlayerDestroyed(const wire::PlayerEntry& player);
  void PushSessionLost();
  void Clear();

  // The Receive of IDirectPlay3A on this queue.
  HRESULT Receive(DPID* from, DPID* to, DWORD flags, LPVOID data, DWORD* dataSize);

 private:
  struct Message {
    DPID from = DPID_SYSMSG;
    DPID to = 0;
    DWORD systemType = 0;  // 0 for a player's message
    wire::PlayerEntry player;
    DWORD currentPlayers = 0;
    wire::Bytes bytes;
  };

  static DWORD SizeOf(const Message& message);
  static void WriteTo(const Message& message, std::uint8_t* data);
  void Push(Message message);

  std::deque<Message> messages_;
  std::size_t waitingBytes_ = 0;
};

}  // namespace platform::dplay
