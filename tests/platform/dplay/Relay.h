#pragma once
// A relay on this computer between a client and a host, for sessions over a slow or lossy line.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "DirectPlayTestSupport.h"

namespace dplay_test {

// Forwards datagrams between one client and the host at 127.0.0.1:Upstream after Delay, losing a
// tenth of them once told so, and counts what it forwards each way.
class Relay {
 public:
  Relay(std::uint16_t port, std::uint16_t upstream, std::chrono::milliseconds delay) : delay_(delay) {
    front_ = Bound(port);
    back_ = Bound(0);
    upstream_ = Address(upstream);
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
  }
  ~Relay() {
    thread_ = std::jthread();
    close(front_);
    close(back_);
  }
  Relay(const Relay&) = delete;
  Relay& operator=(const Relay&) = delete;

  void StartLosing() { losing_ = true; }
  int ToHost() const { return toHost_; }
  int ToClient() const { return toClient_; }

 private:
  using Clock = std::chrono::steady_clock;

  struct Pending {
    Clock::time_point due;
    int socket;
    sockaddr_in to;
    std::vector<std::uint8_t> bytes;
  };

  static sockaddr_in Address(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
  }
  static int Bound(std::uint16_t port) {
    const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
    const sockaddr_in address = Address(port);
    EXPECT_EQ(bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << "port " << port;
    return socket;
  }

  void Run(const std::stop_token& stop) {
    std::mt19937 random(2024);
    std::bernoulli_distribution lose(0.1);
    std::deque<Pending> pending;
    std::vector<std::uint8_t> buffer(70000);
    while (!stop.stop_requested()) {
      pollfd sockets[2] = {{front_, POLLIN, 0}, {back_, POLLIN, 0}};
      poll(sockets, 2, 1);
      for (const int socket : {front_, back_}) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        ssize_t got;
        while ((got = recvfrom(socket, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &length)) >=
               0) {
          if (socket == front_) client_ = from;
          if (losing_ && lose(random)) continue;
          ++(socket == front_ ? toHost_ : toClient_);
          pending.push_back({Clock::now() + delay_,
                             socket == front_ ? back_ : front_,
                             socket == front_ ? upstream_ : client_,
                             {buffer.begin(), buffer.begin() + got}});
        }
      }
      while (!pending.empty() && pending.front().due <= Clock::now()) {
        const Pending& next = pending.front();
        sendto(next.socket, next.bytes.data(), next.bytes.size(), 0, reinterpret_cast<const sockaddr*>(&next.to),
               sizeof next.to);
        pending.pop_front();
      }
    }
  }

  int front_ = -1;
  int back_ = -1;
  sockaddr_in upstream_{};
  sockaddr_in client_{};
  const std::chrono::milliseconds delay_;
  std::atomic<bool> losing_ = false;
  std::atomic<int> toHost_ = 0;
  std::atomic<int> toClient_ = 0;
  std::jthread thread_;
};

// A host with Anna and a guest with Bernd who knows the host only through a relay: it queries there
// and joins there.
class RelayedSessionTest : public ::testing::Test {
 protected:
  void Open(std::chrono::milliseconds delay) {
    const std::uint16_t hostPorts = FreePortBlock();
    const std::uint16_t relayPorts = FreePortBlock(1);
    ASSERT_TRUE(hostPorts != 0 && relayPorts != 0 && hostPorts != relayPorts);
    UseQueryPorts(hostPorts);
    host_ = Connected(ThisComputer);
    ASSERT_EQ(HostSession(*host_.Get(), "Fern", 4), DP_OK);
    anna_ = NewPlayer(*host_.Get(), "Anna");

    relay_ = std::make_unique<Relay>(relayPorts, hostPorts, delay);
    UseQueryPorts(relayPorts);
    guest_ = Connected(ThisComputer);
    ASSERT_NO_FATAL_FAILURE(FindAndJoin(*guest_.Get()));
    bernd_ = NewPlayer(*guest_.Get(), "Bernd");
    const std::optional<Message> joined = ReceiveWithin(*host_.Get(), std::chrono::seconds(2));
    ASSERT_TRUE(joined && joined->systemType == DPSYS_CREATEPLAYERORGROUP);
  }

  ComThread com_;
  std::unique_ptr<Relay> relay_;
  ComPtr<IDirectPlay3A> host_;
  ComPtr<IDirectPlay3A> guest_;
  DPID anna_ = 0;
  DPID bernd_ = 0;
};

}  // namespace dplay_test
