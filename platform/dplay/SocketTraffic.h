#pragma once
// The datagrams of one ENet socket. ENet makes every socket call through enet_socket_send and
// enet_socket_receive; this program defines both itself, and while an endpoint runs ENet on its
// thread they come here. Two things change against ENet's own calls: a service reads one datagram
// at a time, so that the endpoint can stop reading once the game has a message (ENet would read
// until a read finds nothing), and acknowledgements with nothing else to carry wait for the next
// datagram to their peer and travel inside it. A lock-step exchange then costs one datagram and
// one read each way, as plain UDP does. Datagrams too large for ENet's buffer, such as the answer
// of a session with many players, are kept whole for the endpoint instead of being cut off.

#include <enet/enet.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "Wire.h"

namespace platform::dplay {

class SocketTraffic {
 public:
  using Clock = std::chrono::steady_clock;
  // How long acknowledgements wait for a datagram to ride in before a service sends them alone.
  static constexpr std::chrono::milliseconds AcknowledgementDelay{2};

  explicit SocketTraffic(ENetSocket socket) : socket_(socket) {}
  SocketTraffic(const SocketTraffic&) = delete;
  SocketTraffic& operator=(const SocketTraffic&) = delete;

  ENetSocket Socket() const { return socket_; }
  // The next receive may read one datagram.
  void AllowRead() {
    mayRead_ = true;
    read_ = false;
  }
  // True when a datagram was read since AllowRead.
  bool Read() const { return read_; }
  // Sends the acknowledgements that have waited AcknowledgementDelay or longer; all when Everything
  // is set.
  void SendWaitingAcknowledgements(bool everything);

  // A datagram too large for ENet's buffer, read by Receive and handed to nobody yet.
  struct LargeDatagram {
    ENetAddress from;
    wire::Bytes bytes;
  };
  std::optional<LargeDatagram> TakeLargeDatagram();

  // ENet's calls: the length of the datagram, 0 for none, -1 for a failing socket.
  int Receive(ENetAddress& from, ENetBuffer* buffers, std::size_t bufferCount);
  int Send(const ENetAddress& to, const ENetBuffer* buffers, std::size_t bufferCount);

  // A datagram that is not ENet's, sent as it is.
  void SendDatagram(const ENetAddress& to, wire::ByteView bytes) const;

 private:
  // Acknowledgements travel inside a datagram only while it stays within ENet's own size.
  static constexpr std::size_t MergedLimit = ENET_HOST_DEFAULT_MTU;
  static constexpr std::size_t RememberedPeers = 8;
  static constexpr std::size_t LargestDatagram = 65535;

  // What waits for one peer; kept with its room when empty, as most peers are heard again soon.
  struct Waiting {
    ENetAddress to;
    Clock::time_point since;
    wire::Bytes datagram;  // ENet's header, then acknowledge commands only
    bool Holds() const { return !datagram.empty(); }
  };

  int SendBytes(const ENetAddress& to, wire::ByteView bytes) const;
  void Hold(Waiting& waiting, wire::ByteView acknowledgements);
  int SendMerged(Waiting& waiting, wire::ByteView datagram);
  Waiting* WaitingFor(const ENetAddress& to);
  void Release(Waiting& waiting);

  ENetSocket socket_;
  bool mayRead_ = true;
  bool read_ = false;
  std::vector<Waiting> waiting_;
  wire::Bytes gathered_;
  wire::Bytes overflow_ = wire::Bytes(LargestDatagram);
  std::optional<LargeDatagram> large_;
};

// Lets Traffic take ENet's socket calls on this thread for as long as it lives.
class ActiveTraffic {
 public:
  explicit ActiveTraffic(SocketTraffic& traffic);
  ~ActiveTraffic();
  ActiveTraffic(const ActiveTraffic&) = delete;
  ActiveTraffic& operator=(const ActiveTraffic&) = delete;

  // The traffic running Socket on this thread, or nullptr.
  static SocketTraffic* For(ENetSocket socket);

 private:
  SocketTraffic* previous_;
};

}  // namespace platform::dplay
