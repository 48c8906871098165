#pragma once
// An ENet host that the test drives by hand, to say what a real peer of the network service never
// would: forged, truncated and out-of-turn packets, and answers to queries of its own making.

#include <arpa/inet.h>
#include <enet/enet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "platform/dplay/Wire.h"

namespace dplay_test {

namespace wire = platform::dplay::wire;

struct RogueEvent {
  ENetEventType type = ENET_EVENT_TYPE_NONE;
  ENetPeer* peer = nullptr;
  wire::Bytes bytes;
};

class RogueHost {
 public:
  // Makes the datagrams that answer a query of the service (given whole).
  using Responder = std::function<std::vector<wire::Bytes>(wire::ByteView query)>;

  // On 127.0.0.1:Port (0: any port) with room for Peers peers; answers every query datagram with
  // what Respond makes of it.
  explicit RogueHost(enet_uint16 port, Responder respond = {}, std::size_t peers = 4) : respond_(std::move(respond)) {
    static const bool ready = enet_initialize() == 0;
    EXPECT_TRUE(ready);
    const ENetAddress address{htonl(INADDR_LOOPBACK), port};
    host_ = enet_host_create(&address, peers, 1, 0, 0);
    EXPECT_NE(host_, nullptr) << "port " << port;
    if (host_ == nullptr) return;
    host_->intercept = &Intercept;
    Instances().push_back(this);
  }
  ~RogueHost() {
    server_ = std::jthread();
    std::erase(Instances(), this);
    if (host_ != nullptr) enet_host_destroy(host_);
  }
  RogueHost(const RogueHost&) = delete;
  RogueHost& operator=(const RogueHost&) = delete;

  ENetPeer* Connect(enet_uint16 port) {
    const ENetAddress address{htonl(INADDR_LOOPBACK), port};
    return enet_host_connect(host_, &address, 1, 0);
  }

  void Send(ENetPeer* peer, const wire::Packet& packet) { SendBytes(peer, wire::EncodePacket(packet)); }
  void SendBytes(ENetPeer* peer, const wire::Bytes& bytes) {
    enet_peer_send(peer, 0, enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE));
    enet_host_flush(host_);
  }

  // The next event within Limit.
  std::optional<RogueEvent> Next(std::chrono::milliseconds limit) {
    ENetEvent event;
    if (enet_host_service(host_, &event, static_cast<enet_uint32>(limit.count())) <= 0) return std::nullopt;
    RogueEvent rogue{event.type, event.peer, {}};
    if (event.type == ENET_EVENT_TYPE_RECEIVE) {
      rogue.bytes.assign(event.packet->data, event.packet->data + event.packet->dataLength);
      enet_packet_destroy(event.packet);
    }
    return rogue;
  }

  // The next packet received within Limit, decoded.
  std::optional<wire::Packet> NextPacket(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      const std::optional<RogueEvent> event = Next(std::chrono::milliseconds(10));
      if (event && event->type == ENET_EVENT_TYPE_RECEIVE) return wire::DecodePacket(event->bytes);
    }
    return std::nullopt;
  }

  // Sends Count packets that Make makes, servicing the host now and then; true once the peer is
  // disconnected (nothing more is sent then), false when that did not happen within Limit.
  bool Flood(ENetPeer* peer, std::uint32_t count, const std::function<wire::Bytes(std::uint32_t)>& make,
             std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (std::uint32_t index = 0; index < count; ++index) {
      const wire::Bytes bytes = make(index);
      enet_peer_send(peer, 0, enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE));
      if (index % 64 == 63 && Disconnected(0)) return true;
    }
    while (std::chrono::steady_clock::now() < deadline)
      if (Disconnected(10)) return true;
    return false;
  }

  // From now on a thread of its own services the host and hands every event to React.
  void Serve(std::function<void(RogueHost&, const RogueEvent&)> react) {
    server_ = std::jthread([this, react = std::move(react)](std::stop_token stop) {
      while (!stop.stop_requested())
        if (const std::optional<RogueEvent> event = Next(std::chrono::milliseconds(5))) react(*this, *event);
    });
  }

 private:
  static std::vector<RogueHost*>& Instances() {
    static std::vector<RogueHost*> instances;
    return instances;
  }

  // Services the host for up to WaitMs; true when that brought a disconnection.
  bool Disconnected(enet_uint32 waitMs) {
    ENetEvent event;
    while (enet_host_service(host_, &event, waitMs) > 0) {
      if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
      if (event.type == ENET_EVENT_TYPE_DISCONNECT) return true;
    }
    return false;
  }

  static int ENET_CALLBACK Intercept(ENetHost* host, ENetEvent*) {
    const wire::ByteView bytes(host->receivedData, host->receivedDataLength);
    if (!wire::IsServiceDatagram(bytes)) return 0;
    for (RogueHost* rogue : Instances()) {
      if (rogue->host_ != host || !rogue->respond_) continue;
      for (const wire::Bytes& answer : rogue->respond_(bytes)) {
        ENetBuffer buffer{const_cast<std::uint8_t*>(answer.data()), answer.size()};
        enet_socket_send(host->socket, &host->receivedAddress, &buffer, 1);
      }
    }
    return 1;
  }

  ENetHost* host_ = nullptr;
  Responder respond_;
  std::jthread server_;
};

// The number a query asks with, for answers that repeat it.
inline std::uint32_t QueryNonce(wire::ByteView query) {
  const std::optional<wire::Datagram> datagram = wire::DecodeDatagram(query);
  return datagram && std::holds_alternative<wire::Query>(*datagram) ? std::get<wire::Query>(*datagram).nonce : 0;
}

// The session an answer of one datagram describes.
inline std::optional<wire::SessionInfo> AnsweredSession(wire::ByteView answer) {
  const std::optional<wire::Datagram> datagram = wire::DecodeDatagram(answer);
  if (!datagram || !std::holds_alternative<wire::AnswerPart>(*datagram)) return std::nullopt;
  return wire::DecodeSession(std::get<wire::AnswerPart>(*datagram).bytes);
}

// Sends Datagrams to 127.0.0.1:Port from a socket of its own and returns what comes back within Limit.
inline std::vector<wire::Bytes> ExchangeDatagrams(std::uint16_t port, const std::vector<wire::Bytes>& datagrams,
                                                  std::chrono::milliseconds limit) {
  const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  for (const wire::Bytes& datagram : datagrams)
    sendto(socket, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  std::vector<wire::Bytes> answers;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    wire::Bytes buffer(70000);
    const ssize_t got = recv(socket, buffer.data(), buffer.size(), 0);
    if (got < 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    buffer.resize(static_cast<std::size_t>(got));
    answers.push_back(buffer);
  }
  close(socket);
  return answers;
}

}  // namespace dplay_test
