#pragma once
// What travels between copies of the network service: the datagrams that find sessions and the
// packets inside a session. Decoding trusts nothing a peer sends: any datagram or packet that is
// not exactly one of ours decodes to nothing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "DPlay.h"

namespace platform::dplay::wire {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

inline constexpr std::size_t MaxNameLength = 255;
inline constexpr std::size_t MaxMessageSize = 64 * 1024;
// Also the most players a session takes, so that every player fits into one answer.
inline constexpr std::size_t MaxPlayersListed = 64;

// How many players a session with MaxPlayers takes (0 asks for no limit).
constexpr DWORD PlayerLimit(DWORD maxPlayers) {
  return maxPlayers == 0 || maxPlayers > MaxPlayersListed ? DWORD{MaxPlayersListed} : maxPlayers;
}

struct PlayerEntry {
  DPID id = 0;
  std::string name;
  bool operator==(const PlayerEntry&) const = default;
};

struct SessionInfo {
  DWORD flags = 0;
  DWORD maxPlayers = 0;
  DWORD currentPlayers = 0;
  GUID instance{};
  GUID application{};
  std::string name;
  std::array<DWORD, 4> user{};
  std::vector<PlayerEntry> players;
  bool operator==(const SessionInfo&) const = default;
};

// Datagrams on the query port: a query asks every host to answer with its session.
struct Query {
  bool operator==(const Query&) const = default;
};
struct Answer {
  SessionInfo session;
  bool operator==(const Answer&) const = default;
};
// A peer in a session says it is still there. Plain datagrams, unlike the transport's own pings,
// never wait behind a lost one, so a live peer is heard from even on a lossy line.
struct Alive {
  bool operator==(const Alive&) const = default;
};
using Datagram = std::variant<Query, Answer, Alive>;

Bytes EncodeDatagram(const Datagram& datagram);
std::optional<Datagram> DecodeDatagram(ByteView bytes);
// Whether a datagram claims to be ours at all (the rest is the session's transport).
bool IsServiceDatagram(ByteView bytes);

// Packets inside a session, between the host and each joined peer.
struct JoinRequest {
  GUID instance{};
  bool operator==(const JoinRequest&) const = default;
};
struct JoinAccepted {
  SessionInfo session;
  bool operator==(const JoinAccepted&) const = default;
};
struct JoinRefused {
  HRESULT result = 0;
  bool operator==(const JoinRefused&) const = default;
};
struct PlayerRequest {
  DWORD request = 0;
  std::string name;
  bool operator==(const PlayerRequest&) const = default;
};
struct PlayerGranted {
  DWORD request = 0;
  DPID id = 0;
  bool operator==(const PlayerGranted&) const = default;
};
struct PlayerRefused {
  DWORD request = 0;
  HRESULT result = 0;
  bool operator==(const PlayerRefused&) const = default;
};
struct PlayerAdded {
  PlayerEntry player;
  DWORD currentPlayers = 0;
  bool operator==(const PlayerAdded&) const = default;
};
struct PlayerRemoved {
  DPID id = 0;
  DWORD currentPlayers = 0;
  bool operator==(const PlayerRemoved&) const = default;
};
struct Data {
  DPID from = 0;
  DPID to = 0;
  Bytes bytes;
  bool operator==(const Data&) const = default;
};
using Packet = std::variant<JoinRequest, JoinAccepted, JoinRefused, PlayerRequest, PlayerGranted, PlayerRefused,
                            PlayerAdded, PlayerRemoved, Data>;

Bytes EncodePacket(const Packet& packet);
std::optional<Packet> DecodePacket(ByteView bytes);

}  // namespace platform::dplay::wire
