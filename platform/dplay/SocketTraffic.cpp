#include "SocketTraffic.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/uio.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform::dplay {

namespace {

constexpr std::size_t PeerFieldSize = 2;
constexpr std::size_t SentTimeSize = 2;
constexpr std::size_t AcknowledgeSize = sizeof(ENetProtocolAcknowledge);

thread_local SocketTraffic* activeTraffic = nullptr;

sockaddr_in SocketAddress(const ENetAddress& address) {
  sockaddr_in socketAddress{};
  socketAddress.sin_family = AF_INET;
  socketAddress.sin_port = htons(address.port);
  socketAddress.sin_addr.s_addr = address.host;
  return socketAddress;
}

ENetAddress EnetAddress(const sockaddr_in& address) { return {address.sin_addr.s_addr, ntohs(address.sin_port)}; }

bool SameAddress(const ENetAddress& a, const ENetAddress& b) { return a.host == b.host && a.port == b.port; }

// ENet's socket calls as it makes them itself, for sockets no endpoint runs on this thread.
int SendPlain(ENetSocket socket, const ENetAddress* to, const ENetBuffer* buffers, std::size_t bufferCount) {
  sockaddr_in address{};
  msghdr message{};
  if (to != nullptr) {
    address = SocketAddress(*to);
    message.msg_name = &address;
    message.msg_namelen = sizeof address;
  }
  // ENet's buffers are laid out as iovec on this system.
  message.msg_iov = reinterpret_cast<iovec*>(const_cast<ENetBuffer*>(buffers));
  message.msg_iovlen = bufferCount;
  const ssize_t sent = sendmsg(socket, &message, MSG_NOSIGNAL);
  if (sent >= 0) return static_cast<int>(sent);
  return errno == EWOULDBLOCK || errno == EAGAIN ? 0 : -1;
}

// Reads one datagram into Pieces, passing over any too large for them; its length, 0 when none
// waits, -1 for a failing socket.
ssize_t ReceiveInto(ENetSocket socket, ENetAddress* from, iovec* pieces, std::size_t pieceCount) {
  for (;;) {
    sockaddr_in address{};
    msghdr message{};
    message.msg_name = &address;
    message.msg_namelen = sizeof address;
    message.msg_iov = pieces;
    message.msg_iovlen = pieceCount;
    const ssize_t received = recvmsg(socket, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (received < 0) return errno == EWOULDBLOCK || errno == EAGAIN ? 0 : -1;
    if ((message.msg_flags & MSG_TRUNC) != 0) continue;
    if (from != nullptr) *from = EnetAddress(address);
    return received;
  }
}

int ReceivePlain(ENetSocket socket, ENetAddress* from, ENetBuffer* buffers, std::size_t bufferCount) {
  return static_cast<int>(ReceiveInto(socket, from, reinterpret_cast<iovec*>(buffers), bufferCount));
}

std::uint16_t PeerField(wire::ByteView datagram) { return static_cast<std::uint16_t>(datagram[0] << 8 | datagram[1]); }

std::size_t HeaderSize(wire::ByteView datagram) {
  return (PeerField(datagram) & ENET_PROTOCOL_HEADER_FLAG_SENT_TIME) != 0 ? PeerFieldSize + SentTimeSize
                                                                          : PeerFieldSize;
}

// A datagram of ENet's that carries acknowledgements and nothing else; ENet sends one whenever
// it has received reliable commands and has nothing of its own to send back.
bool IsAcknowledgementsOnly(wire::ByteView datagram) {
  if (datagram.size() < PeerFieldSize + AcknowledgeSize) return false;
  if ((PeerField(datagram) & ENET_PROTOCOL_HEADER_FLAG_MASK) != 0) return false;
  if ((datagram.size() - PeerFieldSize) % AcknowledgeSize != 0) return false;
  for (std::size_t at = PeerFieldSize; at < datagram.size(); at += AcknowledgeSize)
    if (datagram[at] != ENET_PROTOCOL_COMMAND_ACKNOWLEDGE) return false;
  return true;
}

// The peer and session a datagram is for, without the header's flags.
std::uint16_t Recipient(wire::ByteView datagram) {
  return static_cast<std::uint16_t>(PeerField(datagram) & ~ENET_PROTOCOL_HEADER_FLAG_MASK);
}

}  // namespace

void SocketTraffic::SendWaitingAcknowledgements(bool everything) {
  if (std::none_of(waiting_.begin(), waiting_.end(), [](const Waiting& entry) { return entry.Holds(); })) return;
  const Clock::time_point now = Clock::now();
  for (Waiting& entry : waiting_)
    if (entry.Holds() && (everything || now - entry.since >= AcknowledgementDelay)) Release(entry);
  // Forget peers that are quiet, so that many short-lived ones do not pile up.
  if (waiting_.size() > RememberedPeers) std::erase_if(waiting_, [](const Waiting& entry) { return !entry.Holds(); });
}

int SocketTraffic::Receive(ENetAddress& from, ENetBuffer* buffers, std::size_t bufferCount) {
  if (!mayRead_ || bufferCount == 0) return 0;  // ENet reads into one buffer
  mayRead_ = false;
  // ENet's buffer first; the rest of a datagram too large to be ENet's goes on into overflow_.
  iovec pieces[] = {{buffers[0].data, buffers[0].dataLength}, {overflow_.data(), overflow_.size()}};
  const ssize_t received = ReceiveInto(socket_, &from, pieces, std::size(pieces));
  read_ = received > 0;
  if (received <= static_cast<ssize_t>(buffers[0].dataLength)) return static_cast<int>(received);
  const auto* start = static_cast<const std::uint8_t*>(buffers[0].data);
  wire::Bytes bytes(start, start + buffers[0].dataLength);
  bytes.insert(bytes.end(), overflow_.begin(), overflow_.begin() + (received - pieces[0].iov_len));
  large_ = LargeDatagram{from, std::move(bytes)};
  return 0;
}

std::optional<SocketTraffic::LargeDatagram> SocketTraffic::TakeLargeDatagram() { return std::exchange(large_, {}); }

int SocketTraffic::Send(const ENetAddress& to, const ENetBuffer* buffers, std::size_t bufferCount) {
  gathered_.clear();
  for (std::size_t index = 0; index < bufferCount; ++index) {
    const auto* data = static_cast<const std::uint8_t*>(buffers[index].data);
    gathered_.insert(gathered_.end(), data, data + buffers[index].dataLength);
  }
  const wire::ByteView datagram(gathered_);
  Waiting* waiting = WaitingFor(to);
  if (IsAcknowledgementsOnly(datagram)) {
    Hold(waiting != nullptr ? *waiting : waiting_.emplace_back(Waiting{to, {}, {}}), datagram);
    return static_cast<int>(datagram.size());
  }
  if (waiting == nullptr || !waiting->Holds()) return SendBytes(to, datagram);
  return SendMerged(*waiting, datagram);
}

void SocketTraffic::Hold(Waiting& waiting, wire::ByteView acknowledgements) {
  const wire::ByteView commands = acknowledgements.subspan(PeerFieldSize);
  const bool joins = waiting.Holds() && Recipient(waiting.datagram) == Recipient(acknowledgements) &&
                     waiting.datagram.size() + commands.size() <= MergedLimit;
  if (joins) {
    waiting.datagram.insert(waiting.datagram.end(), commands.begin(), commands.end());
    return;
  }
  if (waiting.Holds()) Release(waiting);
  waiting.since = Clock::now();
  waiting.datagram.assign(acknowledgements.begin(), acknowledgements.end());
}

int SocketTraffic::SendMerged(Waiting& waiting, wire::ByteView datagram) {
  const wire::ByteView acknowledgements = wire::ByteView(waiting.datagram).subspan(PeerFieldSize);
  const bool mergeable =
      datagram.size() >= PeerFieldSize && (PeerField(datagram) & ENET_PROTOCOL_HEADER_FLAG_COMPRESSED) == 0 &&
      Recipient(datagram) == Recipient(waiting.datagram) && datagram.size() >= HeaderSize(datagram) &&
      datagram.size() + acknowledgements.size() <= MergedLimit;
  if (!mergeable) {
    Release(waiting);
    return SendBytes(waiting.to, datagram);
  }
  // ENet's header, the waiting acknowledgements, then the datagram's own commands.
  const std::size_t headerSize = HeaderSize(datagram);
  auto* bytes = const_cast<std::uint8_t*>(datagram.data());
  const ENetBuffer pieces[] = {
      {bytes, headerSize},
      {const_cast<std::uint8_t*>(acknowledgements.data()), acknowledgements.size()},
      {bytes + headerSize, datagram.size() - headerSize},
  };
  const int sent = SendPlain(socket_, &waiting.to, pieces, std::size(pieces));
  waiting.datagram.clear();
  return sent < 0 ? -1 : static_cast<int>(datagram.size());
}

void SocketTraffic::SendDatagram(const ENetAddress& to, wire::ByteView bytes) const { SendBytes(to, bytes); }

int SocketTraffic::SendBytes(const ENetAddress& to, wire::ByteView bytes) const {
  const ENetBuffer buffer{const_cast<std::uint8_t*>(bytes.data()), bytes.size()};
  return SendPlain(socket_, &to, &buffer, 1);
}

SocketTraffic::Waiting* SocketTraffic::WaitingFor(const ENetAddress& to) {
  const auto found =
      std::find_if(waiting_.begin(), waiting_.end(), [&](const Waiting& entry) { return SameAddress(entry.to, to); });
  return found == waiting_.end() ? nullptr : &*found;
}

void SocketTraffic::Release(Waiting& waiting) {
  SendBytes(waiting.to, waiting.datagram);
  waiting.datagram.clear();
}

ActiveTraffic::ActiveTraffic(SocketTraffic& traffic) : previous_(activeTraffic) { activeTraffic = &traffic; }

ActiveTraffic::~ActiveTraffic() { activeTraffic = previous_; }

SocketTraffic* ActiveTraffic::For(ENetSocket socket) {
  return activeTraffic != nullptr && activeTraffic->Socket() == socket ? activeTraffic : nullptr;
}

}  // namespace platform::dplay

// ENet's two socket calls, taken over for this program (see SocketTraffic.h).
int enet_socket_send(ENetSocket socket, const ENetAddress* address, const ENetBuffer* buffers, size_t bufferCount) {
  using platform::dplay::ActiveTraffic;
  if (platform::dplay::SocketTraffic* traffic = ActiveTraffic::For(socket); traffic != nullptr && address != nullptr)
    return traffic->Send(*address, buffers, bufferCount);
  return platform::dplay::SendPlain(socket, address, buffers, bufferCount);
}

int enet_socket_receive(ENetSocket socket, ENetAddress* address, ENetBuffer* buffers, size_t bufferCount) {
  using platform::dplay::ActiveTraffic;
  if (platform::dplay::SocketTraffic* traffic = ActiveTraffic::For(socket); traffic != nullptr && address != nullptr)
    return traffic->Receive(*address, buffers, bufferCount);
  return platform::dplay::ReceivePlain(socket, address, buffers, bufferCount);
}
