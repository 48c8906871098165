#pragma once
// A relay on this computer between a client and a host, for sessions over a slow or lossy line.
// Tests use it, and the tools that measure how play feels over such a line.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "TestQueryPorts.h"

namespace dplay_test {

// Forwards datagrams between one client and the host at 127.0.0.1:Upstream after Delay each way,
// losing a tenth of them once told so, and counts what it forwards each way.
class Relay {
 public:
  Relay(std::uint16_t port, std::uint16_t upstream, std::chrono::microseconds delay) : delay_(delay) {
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
  // The longest wait for traffic, so that the relay stops soon when told.
  static constexpr std::chrono::microseconds Idle{1000};

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
    if (socket < 0 || bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      if (socket >= 0) close(socket);
      throw std::runtime_error("the relay cannot bind port " + std::to_string(port));
    }
    return socket;
  }

  // Until a datagram comes or the next one is due: a delay of a fraction of a millisecond is kept
  // to within a few microseconds.
  void Wait(const std::deque<Pending>& pending) const {
    std::chrono::nanoseconds wait = Idle;
    if (!pending.empty()) wait = std::clamp<std::chrono::nanoseconds>(pending.front().due - Clock::now(), {}, Idle);
    const timespec limit{0, static_cast<long>(wait.count())};
    pollfd sockets[2] = {{front_, POLLIN, 0}, {back_, POLLIN, 0}};
    ppoll(sockets, 2, &limit, nullptr);
  }

  void Run(const std::stop_token& stop) {
    prctl(PR_SET_TIMERSLACK, 1UL);  // this thread's sleeps end when asked, not up to 50 µs later
    std::mt19937 random(2024);
    std::bernoulli_distribution lose(0.1);
    std::deque<Pending> pending;
    std::vector<std::uint8_t> buffer(70000);
    while (!stop.stop_requested()) {
      Wait(pending);
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
  const std::chrono::microseconds delay_;
  std::atomic<bool> losing_ = false;
  std::atomic<int> toHost_ = 0;
  std::atomic<int> toClient_ = 0;
  std::jthread thread_;
};

}  // namespace dplay_test
