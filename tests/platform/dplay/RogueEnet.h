#pragma once
// An ENet host that the test drives by hand, to say what a real peer of the network service never
// would: forged, truncated and out-of-turn packets, and answers to queries of its own making.

#include <arpa/inet.h>
#include <enet/enet.h>
#include <gtest/gtest.h>

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
  // On 127.0.0.1:Port (0: any port); answers every query datagram with the datagrams of Answers.
  RogueHost(enet_uint16 port, std::vector<wire::Bytes> answers = {}) : answers_(std::move(answers)) {
    static const bool ready = enet_initialize() == 0;
    EXPECT_TRUE(ready);
    const ENetAddress address{htonl(INADDR_LOOPBACK), port};
    host_ = enet_host_create(&address, 4, 1, 0, 0);
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

  static int ENET_CALLBACK Intercept(ENetHost* host, ENetEvent*) {
    const wire::ByteView bytes(host->receivedData, host->receivedDataLength);
    if (!wire::IsServiceDatagram(bytes)) return 0;
    for (RogueHost* rogue : Instances()) {
      if (rogue->host_ != host) continue;
      for (const wire::Bytes& answer : rogue->answers_) {
        ENetBuffer buffer{const_cast<std::uint8_t*>(answer.data()), answer.size()};
        enet_socket_send(host->socket, &host->receivedAddress, &buffer, 1);
      }
    }
    return 1;
  }

  ENetHost* host_ = nullptr;
  std::vector<wire::Bytes> answers_;
  std::jthread server_;
};

}  // namespace dplay_test
