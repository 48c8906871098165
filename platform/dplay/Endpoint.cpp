#include "Endpoint.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "Interfaces.h"
#include "platform/win/ScopedOverride.h"

namespace platform::dplay {

namespace {

// The largest packet a peer may send: one message and its header. ENet would take 32 MiB.
constexpr std::size_t MaxPacketSize = wire::MaxMessageSize + 64;
constexpr std::size_t MaxWaitingData = 8 * 1024 * 1024;
// One batch is what one service of ENet reads (up to 256 datagrams). Reading until nothing is left
// stops after this many batches all the same, so that a flood cannot keep the lock for ever; the
// keeper comes back at once while the socket stays readable.
constexpr int MaxBatches = 64;

bool EnetReady() {
  static const bool ready = enet_initialize() == 0;
  return ready;
}

enet_uint32 Loopback() { return htonl(INADDR_LOOPBACK); }

enet_uint32 BindAddress(ConnectionKind kind) {
  return kind == ConnectionKind::ThisComputer ? Loopback() : ENET_HOST_ANY;
}

// The listener of the service running on this thread, for ENet's intercept callback.
thread_local EndpointListener* activeListener = nullptr;

int ENET_CALLBACK Intercept(ENetHost* host, ENetEvent*) {
  if (activeListener == nullptr) return 0;
  const wire::ByteView bytes(host->receivedData, host->receivedDataLength);
  return activeListener->OnDatagram(host->receivedAddress, bytes) ? 1 : 0;
}

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
  for (const enet_uint32 host : hosts) {
    const std::vector<ENetAddress> ports = AddressTargets(host, std::nullopt, portBase);
    targets.insert(targets.end(), ports.begin(), ports.end());
  }
  return targets;
}

std::vector<ENetAddress> AddressTargets(enet_uint32 host, std::optional<enet_uint16> port, enet_uint16 portBase) {
  if (port) return {ENetAddress{host, *port}};
  std::vector<ENetAddress> targets;
  for (enet_uint16 offset = 0; offset < QueryPortCount; ++offset)
    targets.push_back({host, static_cast<enet_uint16>(portBase + offset)});
  return targets;
}

std::unique_ptr<Endpoint> Endpoint::Create(enet_uint32 bindHost, enet_uint16 port, std::size_t peers,
                                           SocketWatch& watch) {
  if (!EnetReady()) return nullptr;
  const ENetAddress address{bindHost, port};
  ENetHost* host = enet_host_create(&address, peers, 1, 0, 0);
  if (host == nullptr) return nullptr;
  host->intercept = &Intercept;
  host->maximumPacketSize = MaxPacketSize;
  host->maximumWaitingData = MaxWaitingData;
  return std::unique_ptr<Endpoint>(new Endpoint(host, watch));
}

std::unique_ptr<Endpoint> Endpoint::ForGuest(ConnectionKind kind, SocketWatch& watch) {
  // One peer for the host it joins, one that a stranger may take meanwhile.
  return Create(BindAddress(kind), 0, 2, watch);
}

std::unique_ptr<Endpoint> Endpoint::ForHost(ConnectionKind kind, enet_uint16 portBase, std::size_t peers,
                                            SocketWatch& watch) {
  for (enet_uint16 offset = 0; offset < QueryPortCount; ++offset)
    if (auto endpoint = Create(BindAddress(kind), static_cast<enet_uint16>(portBase + offset), peers, watch))
      return endpoint;
  return nullptr;
}

Endpoint::~Endpoint() {
  watched_.reset();
  enet_host_destroy(host_);
}

void Endpoint::SendDatagram(const ENetAddress& to, wire::ByteView bytes) const {
  const ENetBuffer buffer{const_cast<std::uint8_t*>(bytes.data()), bytes.size()};
  enet_socket_send(host_->socket, &to, &buffer, 1);
}

void Endpoint::Service(EndpointListener& listener, Reading reading) {
  const ScopedOverride<EndpointListener*> active(activeListener, &listener);
  for (int batch = 0; batch < MaxBatches; ++batch) {
    ENetEvent event;
    // A failure is a datagram ENet could not take (one too large for it); the next is read all the same.
    int result = enet_host_service(host_, &event, 0);
    while (result > 0) {
      listener.OnEvent(event);
      if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
      result = enet_host_check_events(host_, &event);
    }
    if (reading == Reading::OneBatch || !Readable()) return;
  }
}

bool Endpoint::Readable() const {
  enet_uint32 condition = ENET_SOCKET_WAIT_RECEIVE;
  return enet_socket_wait(host_->socket, &condition, 0) == 0 && (condition & ENET_SOCKET_WAIT_RECEIVE) != 0;
}

void Endpoint::WaitReadable(std::chrono::milliseconds limit) const {
  enet_uint32 condition = ENET_SOCKET_WAIT_RECEIVE;
  enet_socket_wait(host_->socket, &condition, static_cast<enet_uint32>(limit.count()));
}

}  // namespace platform::dplay
