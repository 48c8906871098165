#include "Endpoint.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace platform::dplay {

namespace {

// The largest packet a peer may send: one message and its header. ENet would take 32 MiB.
constexpr std::size_t MaxPacketSize = wire::MaxMessageSize + 64;
constexpr std::size_t MaxWaitingData = 8 * 1024 * 1024;
// As many as ENet itself reads in one service; the rest wait for the next.
constexpr int MaxDatagramsPerService = 256;

bool EnetReady() {
  static const bool ready = enet_initialize() == 0;
  return ready;
}

enet_uint32 Loopback() { return htonl(INADDR_LOOPBACK); }

enet_uint32 BindAddress(ConnectionKind kind) {
  return kind == ConnectionKind::ThisComputer ? Loopback() : ENET_HOST_ANY;
}

std::vector<enet_uint32> BroadcastAddresses() {
  std::vector<enet_uint32> addresses;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return addresses;
  const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> owner(list, &freeifaddrs);
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    const bool usable = entry->ifa_addr != nullptr && entry->ifa_addr->sa_family == AF_INET &&
                        (entry->ifa_flags & IFF_UP) != 0 && (entry->ifa_flags & IFF_BROADCAST) != 0 &&
                        entry->ifa_broadaddr != nullptr;
    if (!usable) continue;
    sockaddr_in broadcast{};
    std::memcpy(&broadcast, entry->ifa_broadaddr, sizeof broadcast);
    addresses.push_back(broadcast.sin_addr.s_addr);
  }
  return addresses;
}

// The listener of the service running on this thread, for ENet's intercept callback.
thread_local EndpointListener* activeListener = nullptr;

int ENET_CALLBACK Intercept(ENetHost* host, ENetEvent*) {
  if (activeListener == nullptr) return 0;
  const wire::ByteView bytes(host->receivedData, host->receivedDataLength);
  return activeListener->OnDatagram(host->receivedAddress, bytes) ? 1 : 0;
}

class ActiveListener {
 public:
  explicit ActiveListener(EndpointListener& listener) : previous_(activeListener) { activeListener = &listener; }
  ~ActiveListener() { activeListener = previous_; }
  ActiveListener(const ActiveListener&) = delete;
  ActiveListener& operator=(const ActiveListener&) = delete;

 private:
  EndpointListener* previous_;
};

}  // namespace

enet_uint16 QueryPortBase() {
  const char* text = std::getenv("VXG_DPLAY_QUERY_PORT");
  if (text == nullptr) return DefaultQueryPort;
  const std::string_view view(text);
  unsigned port = 0;
  const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), port);
  const bool valid =
      error == std::errc() && end == view.data() + view.size() && port > 0 && port + QueryPortCount <= 65536;
  return valid ? static_cast<enet_uint16>(port) : DefaultQueryPort;
}

std::vector<ENetAddress> QueryTargets(ConnectionKind kind, enet_uint16 portBase) {
  std::vector<enet_uint32> hosts = {Loopback()};
  if (kind == ConnectionKind::LocalNetwork) {
    const std::vector<enet_uint32> broadcasts = BroadcastAddresses();
    hosts.insert(hosts.end(), broadcasts.begin(), broadcasts.end());
  }
  std::vector<ENetAddress> targets;
  for (const enet_uint32 host : hosts)
    for (enet_uint16 offset = 0; offset < QueryPortCount; ++offset)
      targets.push_back({host, static_cast<enet_uint16>(portBase + offset)});
  return targets;
}

std::unique_ptr<Endpoint> Endpoint::Create(enet_uint32 bindHost, enet_uint16 port, std::size_t peers) {
  if (!EnetReady()) return nullptr;
  const ENetAddress address{bindHost, port};
  ENetHost* host = enet_host_create(&address, peers, 1, 0, 0);
  if (host == nullptr) return nullptr;
  host->intercept = &Intercept;
  host->maximumPacketSize = MaxPacketSize;
  host->maximumWaitingData = MaxWaitingData;
  return std::unique_ptr<Endpoint>(new Endpoint(host));
}

std::unique_ptr<Endpoint> Endpoint::ForGuest(ConnectionKind kind) { return Create(BindAddress(kind), 0, 1); }

std::unique_ptr<Endpoint> Endpoint::ForHost(ConnectionKind kind, enet_uint16 portBase, std::size_t peers) {
  for (enet_uint16 offset = 0; offset < QueryPortCount; ++offset)
    if (auto endpoint = Create(BindAddress(kind), static_cast<enet_uint16>(portBase + offset), peers)) return endpoint;
  return nullptr;
}

Endpoint::~Endpoint() { enet_host_destroy(host_); }

void Endpoint::Service(EndpointListener& listener) {
  const ActiveListener active(listener);
  const ActiveTraffic traffic(traffic_);
  traffic_.SendWaitingAcknowledgements(false);
  // One datagram at a time, until one brings the game something or none is left.
  for (int datagrams = 0; datagrams < MaxDatagramsPerService; ++datagrams) {
    traffic_.AllowRead();
    bool delivered = false;
    ENetEvent event;
    int result = enet_host_service(host_, &event, 0);
    while (result > 0) {
      delivered = delivered || event.type == ENET_EVENT_TYPE_RECEIVE;
      listener.OnEvent(event);
      if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
      result = enet_host_check_events(host_, &event);
    }
    if (std::optional<SocketTraffic::LargeDatagram> large = traffic_.TakeLargeDatagram())
      listener.OnDatagram(large->from, large->bytes);
    if (delivered || !traffic_.Read()) return;
  }
}

void Endpoint::Flush() {
  const ActiveTraffic traffic(traffic_);
  enet_host_flush(host_);
}

void Endpoint::WaitReadable(std::chrono::milliseconds limit) {
  // The peer may be waiting for these before it says more.
  traffic_.SendWaitingAcknowledgements(true);
  enet_uint32 condition = ENET_SOCKET_WAIT_RECEIVE;
  enet_socket_wait(host_->socket, &condition, static_cast<enet_uint32>(limit.count()));
}

}  // namespace platform::dplay
