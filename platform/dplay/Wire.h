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

// Visits a datagram or packet with one handler per kind.
template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

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

// Datagrams beside the session's transport. A query carries a number of the asker's choosing that
// every answer repeats, so that nobody can slip in answers to a query never asked.
struct Query {
  std::uint32_t nonce = 0;
  bool operator==(const Query&) const = default;
};
// An answer is the session's description, cut into parts that each fit into a datagram no network
// splits: a session of many players with long names is larger than any one of them.
inline constexpr std::size_t AnswerPartSize = 1100;
inline constexpr std::size_t MaxAnswerParts = 16;
struct AnswerPart {
  std::uint32_t nonce = 0;
  std::uint32_t serial = 0;  // the same for every part of one answer
  std::uint8_t index = 0;
  std::uint8_t count = 1;
  Bytes bytes;
  bool operator==(const AnswerPart&) const = default;
};
// A peer in a session says it is still there. Plain datagrams, unlike the transport's own pings,
// never wait behind a lost one, so a live peer is heard from even on a lossy line.
struct Alive {
  bool operator==(const Alive&) const = default;
};
using Datagram = std::variant<Query, AnswerPart, Alive>;

Bytes EncodeDatagram(const Datagram& datagram);
std::optional<Datagram> DecodeDatagram(ByteView bytes);
// Whether a datagram claims to be ours at all (the rest is the session's transport).
bool IsServiceDatagram(ByteView bytes);

// The description of a session as its answer carries it, and the datagrams of that answer.
Bytes EncodeSession(const SessionInfo& session);
std::optional<SessionInfo> DecodeSession(ByteView bytes);
std::vector<Bytes> EncodeAnswer(std::uint32_t nonce, std::uint32_t serial, const SessionInfo& session);

// How much a receiver lets a peer send before the peer hears that the game took some of it:
// messages, and bytes as the receiver's queue counts them.
struct Window {
  std::uint32_t messages = 0;
  std::uint32_t bytes = 0;
  bool operator==(const Window&) const = default;
};

// Packets inside a session, between the host and each joined peer.
struct JoinRequest {
  GUID instance{};
  Window window;  // what the host may send before it hears more
  bool operator==(const JoinRequest&) const = default;
};
struct JoinAccepted {
  SessionInfo session;
  Window window;  // what the joined side may send before it hears more
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
// The game took messages: the sender may send this much more.
struct Credit {
  Window more;
  bool operator==(const Credit&) const = default;
};
using Packet = std::variant<JoinRequest, JoinAccepted, JoinRefused, PlayerRequest, PlayerGranted, PlayerRefused,
                            PlayerAdded, PlayerRemoved, Data, Credit>;

Bytes EncodePacket(const Packet& packet);
std::optional<Packet> DecodePacket(ByteView bytes);

}  // namespace platform::dplay::wire
