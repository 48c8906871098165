#pragma once
// One UDP socket of the network service, run by ENet: it carries a session's traffic, and beside it
// the datagrams that find sessions. Hosts listen on the first free port of a small fixed range, so
// that two hosts on one computer do not fight over one port and every one of them is found.

#include <enet/enet.h>

#include <chrono>
#include <memory>
#include <vector>

#include "Connections.h"
#include "SocketTraffic.h"
#include "Wire.h"

namespace platform::dplay {

inline constexpr enet_uint16 DefaultQueryPort = 24710;
inline constexpr enet_uint16 QueryPortCount = 8;

// The first query port: the fixed one, or VXG_DPLAY_QUERY_PORT where tests run side by side.
enet_uint16 QueryPortBase();

// Where a query goes: every query port on 127.0.0.1, and on the local network also on the
// broadcast address of every interface that is up.
std::vector<ENetAddress> QueryTargets(ConnectionKind kind, enet_uint16 portBase);

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
  // For finding and joining sessions, on a port the system chooses; nullptr when ENet fails.
  static std::unique_ptr<Endpoint> ForGuest(ConnectionKind kind);
  // For hosting Peers, on the first free query port; nullptr when every one is taken.
  static std::unique_ptr<Endpoint> ForHost(ConnectionKind kind, enet_uint16 portBase, std::size_t peers);
  ~Endpoint();
  Endpoint(const Endpoint&) = delete;
  Endpoint& operator=(const Endpoint&) = delete;

  ENetHost* Host() const { return host_; }
  void SendDatagram(const ENetAddress& to, wire::ByteView bytes) { traffic_.SendDatagram(to, bytes); }
  // Sends what is due, then receives until the game has something new or nothing is left, and
  // hands every event to Listener; never waits.
  void Service(EndpointListener& listener);
  // Puts what ENet has queued on the wire.
  void Flush();
  // Returns when a datagram waits or Limit has passed.
  void WaitReadable(std::chrono::milliseconds limit);

 private:
  explicit Endpoint(ENetHost* host) : host_(host), traffic_(host->socket) {}
  static std::unique_ptr<Endpoint> Create(enet_uint32 bindHost, enet_uint16 port, std::size_t peers);

  ENetHost* host_;
  SocketTraffic traffic_;
};

}  // namespace platform::dplay
