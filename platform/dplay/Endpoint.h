#pragma once
// One UDP socket of the network service, run by ENet as its authors publish it: it carries a
// session's traffic, and beside it the plain datagrams that find sessions and tell that a peer is
// alive, which ENet hands over through its intercept callback. Hosts listen on the first free port
// of a small fixed range, so that two hosts on one computer do not fight over one port and every
// one of them is found.

#include <enet/enet.h>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "Connections.h"
#include "SocketWatch.h"
#include "Wire.h"

namespace platform::dplay {

inline constexpr enet_uint16 DefaultQueryPort = 24710;
inline constexpr enet_uint16 QueryPortCount = 8;

// The first query port: the fixed one, or VXG_DPLAY_QUERY_PORT where tests run side by side.
enet_uint16 QueryPortBase();

// Where a query goes: every query port on 127.0.0.1, and on the local network also on the
// broadcast address of every interface that is up.
std::vector<ENetAddress> QueryTargets(ConnectionKind kind, enet_uint16 portBase);
// Where a query to one computer goes: the port given, or else every query port.
std::vector<ENetAddress> AddressTargets(enet_uint32 host, std::optional<enet_uint16> port, enet_uint16 portBase);

// Receives what a service of the endpoint brings in.
class EndpointListener {
 public:
  // Sees every datagram before the session transport does; true when it was the service's own.
  virtual bool OnDatagram(const ENetAddress& from, wire::ByteView bytes) = 0;
  virtual void OnEvent(const ENetEvent& event) = 0;

 protected:
  ~EndpointListener() = default;
};

class Endpoint {
 public:
  // How much one service reads: the game's own poll takes one batch, so that it is never held up
  // for long by a busy peer; everything else reads until nothing is left.
  enum class Reading { OneBatch, UntilEmpty };

  // For finding and joining sessions, on a port the system chooses; nullptr when ENet fails.
  static std::unique_ptr<Endpoint> ForGuest(ConnectionKind kind, SocketWatch& watch);
  // For hosting Peers, on the first free query port; nullptr when every one is taken.
  static std::unique_ptr<Endpoint> ForHost(ConnectionKind kind, enet_uint16 portBase, std::size_t peers,
                                           SocketWatch& watch);
  ~Endpoint();
  Endpoint(const Endpoint&) = delete;
  Endpoint& operator=(const Endpoint&) = delete;

  ENetHost* Host() const { return host_; }
  // A datagram of the service's own, beside ENet's.
  void SendDatagram(const ENetAddress& to, wire::ByteView bytes) const;
  // Sends what is due and receives, handing every event to Listener; never waits.
  void Service(EndpointListener& listener, Reading reading);
  // Puts what ENet has queued on the wire.
  void Flush() { enet_host_flush(host_); }
  // Returns when a datagram waits or Limit has passed.
  void WaitReadable(std::chrono::milliseconds limit) const;

 private:
  Endpoint(ENetHost* host, SocketWatch& watch) : host_(host), watched_(std::in_place, watch, host->socket) {}
  static std::unique_ptr<Endpoint> Create(enet_uint32 bindHost, enet_uint16 port, std::size_t peers,
                                          SocketWatch& watch);
  bool Readable() const;

  ENetHost* host_;
  std::optional<SocketWatch::Watched> watched_;
};

}  // namespace platform::dplay
