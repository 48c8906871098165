// A session through a relay on this computer that loses a tenth of the datagrams and delays the
// rest by 30 ms: every message still arrives, in order, and nobody is taken for vanished.

#include <gtest/gtest.h>
#include <poll.h>

#include <deque>
#include <random>

#include "DirectPlayTestSupport.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Forwards datagrams between one client and the host at 127.0.0.1:Upstream, losing some once told so.
class LossyRelay {
 public:
  LossyRelay(std::uint16_t port, std::uint16_t upstream) {
    front_ = Bound(port);
    back_ = Bound(0);
    upstream_ = Address(upstream);
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
  }
  ~LossyRelay() {
    thread_ = std::jthread();
    close(front_);
    close(back_);
  }
  LossyRelay(const LossyRelay&) = delete;
  LossyRelay& operator=(const LossyRelay&) = delete;

  void StartLosing() { losing_ = true; }

 private:
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
          pending.push_back({Clock::now() + 30ms,
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
  std::atomic<bool> losing_ = false;
  std::jthread thread_;
};

std::string Numbered(int number) {
  std::string text = std::to_string(number);
  text.resize(40, '.');
  return text;
}

TEST(LossyRelayTest, AThousandMessagesEachWayArriveWholeAndInOrder) {
  ComThread com;
  const std::uint16_t hostPorts = FreePortBlock();
  const std::uint16_t relayPorts = FreePortBlock(1);
  ASSERT_TRUE(hostPorts != 0 && relayPorts != 0 && hostPorts != relayPorts);
  UseQueryPorts(hostPorts);
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Fern", 4), DP_OK);
  const DPID anna = NewPlayer(*host.Get(), "Anna");

  // The guest knows the relay only: it queries there and joins there.
  LossyRelay relay(relayPorts, hostPorts);
  UseQueryPorts(relayPorts);
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*guest.Get()));
  const DPID bernd = NewPlayer(*guest.Get(), "Bernd");
  std::optional<Message> joined = ReceiveWithin(*host.Get(), 2s);
  ASSERT_TRUE(joined && joined->systemType == DPSYS_CREATEPLAYERORGROUP);
  relay.StartLosing();

  constexpr int Count = 1000;
  int sent = 0;
  int atHost = 0;
  int atGuest = 0;
  const auto deadline = Clock::now() + 120s;
  while ((atHost < Count || atGuest < Count) && Clock::now() < deadline) {
    if (sent < Count) {
      ASSERT_EQ(SendText(*guest.Get(), bernd, anna, Numbered(sent)), DP_OK);
      ASSERT_EQ(SendText(*host.Get(), anna, DPID_ALLPLAYERS, Numbered(sent)), DP_OK);
      ++sent;
    }
    for (auto [side, received] : {std::pair{host.Get(), &atHost}, std::pair{guest.Get(), &atGuest}}) {
      while (const std::optional<Message> message = ReceiveOnce(*side)) {
        ASSERT_NE(message->from, DPID_SYSMSG) << "system message " << message->systemType;
        ASSERT_EQ(message->text, Numbered(*received));
        ++*received;
      }
    }
    if (sent == Count) std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(atHost, Count);
  EXPECT_EQ(atGuest, Count);

  // Quiet but alive: three seconds of keep-alive through the relay, and nobody vanishes.
  const std::optional<Message> quiet = ReceiveWithin(*guest.Get(), 3s);
  EXPECT_FALSE(quiet) << "system message " << quiet->systemType;
  EXPECT_FALSE(ReceiveOnce(*host.Get()));
}

}  // namespace
}  // namespace dplay_test
