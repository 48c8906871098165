#include "Wire.h"

#include <algorithm>
#include <cstring>

namespace platform::dplay::wire {

namespace {

constexpr std::array<std::uint8_t, 4> Magic = {'V', 'X', 'G', 'N'};
constexpr std::uint8_t Version = 2;

enum class DatagramKind : std::uint8_t { Query = 1, AnswerPart = 2, Alive = 3 };
// The packet kinds in the order of the Packet variant, starting at 1.
constexpr std::uint8_t FirstPacketKind = 1;

// Little-endian writer.
class Writer {
 public:
  void U8(std::uint8_t value) { bytes_.push_back(value); }
  void U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
  }
  void Raw(ByteView bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
  void Guid(const GUID& guid) {
    U32(guid.Data1);
    U8(static_cast<std::uint8_t>(guid.Data2));
    U8(static_cast<std::uint8_t>(guid.Data2 >> 8));
    U8(static_cast<std::uint8_t>(guid.Data3));
    U8(static_cast<std::uint8_t>(guid.Data3 >> 8));
    Raw(guid.Data4);
  }
  // Names are at most MaxNameLength bytes; the service refuses longer ones before they get here.
  void Name(const std::string& name) {
    const std::size_t length = std::min(name.size(), MaxNameLength);
    U8(static_cast<std::uint8_t>(length));
    Raw({reinterpret_cast<const std::uint8_t*>(name.data()), length});
  }
  void Window(const wire::Window& window) {
    U32(window.messages);
    U32(window.bytes);
  }
  Bytes Take() { return std::move(bytes_); }

 private:
  Bytes bytes_;
};

// Little-endian reader that fails, rather than reads past the end, on a short input.
class Reader {
 public:
  explicit Reader(ByteView bytes) : bytes_(bytes) {}

  bool U8(std::uint8_t& value) {
    if (Left() < 1) return false;
    value = bytes_[position_++];
    return true;
  }
  bool U32(std::uint32_t& value) {
    if (Left() < 4) return false;
    value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes_[position_ + static_cast<std::size_t>(i)];
    position_ += 4;
    return true;
  }
  bool I32(std::int32_t& value) {
    std::uint32_t raw = 0;
    if (!U32(raw)) return false;
    value = static_cast<std::int32_t>(raw);
    return true;
  }
  bool Guid(GUID& guid) {
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    if (!U32(guid.Data1) || !U8(low) || !U8(high)) return false;
    guid.Data2 = static_cast<WORD>(low | high << 8);
    if (!U8(low) || !U8(high)) return false;
    guid.Data3 = static_cast<WORD>(low | high << 8);
    if (Left() < sizeof guid.Data4) return false;
    std::memcpy(guid.Data4, bytes_.data() + position_, sizeof guid.Data4);
    position_ += sizeof guid.Data4;
    return true;
  }
  // A name never holds a zero byte: it ends up as a C string on the other side.
  bool Name(std::string& name) {
    std::uint8_t length = 0;
    if (!U8(length) || Left() < length) return false;
    const auto* begin = bytes_.data() + position_;
    if (std::find(begin, begin + length, 0) != begin + length) return false;
    name.assign(reinterpret_cast<const char*>(begin), length);
    position_ += length;
    return true;
  }
  bool Window(wire::Window& window) { return U32(window.messages) && U32(window.bytes); }
  ByteView Rest() {
    const ByteView rest = bytes_.subspan(position_);
    position_ = bytes_.size();
    return rest;
  }
  bool AtEnd() const { return position_ == bytes_.size(); }

 private:
  std::size_t Left() const { return bytes_.size() - position_; }

  ByteView bytes_;
  std::size_t position_ = 0;
};

void WritePlayer(Writer& out, const PlayerEntry& player) {
  out.U32(player.id);
  out.Name(player.name);
}

bool ReadPlayer(Reader& in, PlayerEntry& player) { return in.U32(player.id) && in.Name(player.name); }

void WriteSession(Writer& out, const SessionInfo& session) {
  out.U32(session.flags);
  out.U32(session.maxPlayers);
  out.U32(session.currentPlayers);
  out.Guid(session.instance);
  out.Guid(session.application);
  out.Name(session.name);
  for (const DWORD user : session.user) out.U32(user);
  const std::size_t count = std::min(session.players.size(), MaxPlayersListed);
  out.U8(static_cast<std::uint8_t>(count));
  for (std::size_t i = 0; i < count; ++i) WritePlayer(out, session.players[i]);
}

bool ReadSession(Reader& in, SessionInfo& session) {
  if (!in.U32(session.flags) || !in.U32(session.maxPlayers) || !in.U32(session.currentPlayers) ||
      !in.Guid(session.instance) || !in.Guid(session.application) || !in.Name(session.name))
    return false;
  for (DWORD& user : session.user)
    if (!in.U32(user)) return false;
  std::uint8_t count = 0;
  if (!in.U8(count) || count > MaxPlayersListed) return false;
  session.players.resize(count);
  for (PlayerEntry& player : session.players)
    if (!ReadPlayer(in, player)) return false;
  return true;
}

// Writing and reading of each packet's fields after its kind byte.
void WriteFields(Writer& out, const JoinRequest& p) {
  out.Guid(p.instance);
  out.Window(p.window);
}
void WriteFields(Writer& out, const JoinAccepted& p) {
  WriteSession(out, p.session);
  out.Window(p.window);
}
void WriteFields(Writer& out, const JoinRefused& p) { out.U32(static_cast<std::uint32_t>(p.result)); }
void WriteFields(Writer& out, const PlayerRequest& p) {
  out.U32(p.request);
  out.Name(p.name);
}
void WriteFields(Writer& out, const PlayerGranted& p) {
  out.U32(p.request);
  out.U32(p.id);
}
void WriteFields(Writer& out, const PlayerRefused& p) {
  out.U32(p.request);
  out.U32(static_cast<std::uint32_t>(p.result));
}
void WriteFields(Writer& out, const PlayerAdded& p) {
  WritePlayer(out, p.player);
  out.U32(p.currentPlayers);
}
void WriteFields(Writer& out, const PlayerRemoved& p) {
  out.U32(p.id);
  out.U32(p.currentPlayers);
}
void WriteFields(Writer& out, const Data& p) {
  out.U32(p.from);
  out.U32(p.to);
  out.Raw(p.bytes);
}
void WriteFields(Writer& out, const Credit& p) { out.Window(p.more); }

bool ReadFields(Reader& in, JoinRequest& p) { return in.Guid(p.instance) && in.Window(p.window); }
bool ReadFields(Reader& in, JoinAccepted& p) { return ReadSession(in, p.session) && in.Window(p.window); }
bool ReadFields(Reader& in, JoinRefused& p) { return in.I32(p.result); }
bool ReadFields(Reader& in, PlayerRequest& p) { return in.U32(p.request) && in.Name(p.name); }
bool ReadFields(Reader& in, PlayerGranted& p) { return in.U32(p.request) && in.U32(p.id); }
bool ReadFields(Reader& in, PlayerRefused& p) { return in.U32(p.request) && in.I32(p.result); }
bool ReadFields(Reader& in, PlayerAdded& p) { return ReadPlayer(in, p.player) && in.U32(p.currentPlayers); }
bool ReadFields(Reader& in, PlayerRemoved& p) { return in.U32(p.id) && in.U32(p.currentPlayers); }
bool ReadFields(Reader& in, Data& p) {
  if (!in.U32(p.from) || !in.U32(p.to)) return false;
  const ByteView rest = in.Rest();
  if (rest.size() > MaxMessageSize) return false;
  p.bytes.assign(rest.begin(), rest.end());
  return true;
}
bool ReadFields(Reader& in, Credit& p) { return in.Window(p.more); }

template <std::size_t Index = 0>
std::optional<Packet> ReadPacketOfKind(std::size_t kind, Reader& in) {
  if constexpr (Index < std::variant_size_v<Packet>) {
    if (kind != Index) return ReadPacketOfKind<Index + 1>(kind, in);
    std::variant_alternative_t<Index, Packet> packet;
    if (!ReadFields(in, packet) || !in.AtEnd()) return std::nullopt;
    return Packet{std::move(packet)};
  } else {
    return std::nullopt;
  }
}

}  // namespace

Bytes EncodeDatagram(const Datagram& datagram) {
  Writer out;
  out.Raw(Magic);
  out.U8(Version);
  std::visit(Overloaded{
                 [&out](const Query& query) {
                   out.U8(static_cast<std::uint8_t>(DatagramKind::Query));
                   out.U32(query.nonce);
                 },
                 [&out](const AnswerPart& part) {
                   out.U8(static_cast<std::uint8_t>(DatagramKind::AnswerPart));
                   out.U32(part.nonce);
                   out.U32(part.serial);
                   out.U8(part.index);
                   out.U8(part.count);
                   out.Raw(part.bytes);
                 },
                 [&out](const Alive&) { out.U8(static_cast<std::uint8_t>(DatagramKind::Alive)); },
             },
             datagram);
  return out.Take();
}

bool IsServiceDatagram(ByteView bytes) {
  return bytes.size() >= Magic.size() && std::equal(Magic.begin(), Magic.end(), bytes.begin());
}

std::optional<Datagram> DecodeDatagram(ByteView bytes) {
  if (!IsServiceDatagram(bytes)) return std::nullopt;
  Reader in(bytes.subspan(Magic.size()));
  std::uint8_t version = 0;
  std::uint8_t kind = 0;
  if (!in.U8(version) || version != Version || !in.U8(kind)) return std::nullopt;
  switch (static_cast<DatagramKind>(kind)) {
    case DatagramKind::Query: {
      Query query;
      if (in.U32(query.nonce) && in.AtEnd()) return query;
      return std::nullopt;
    }
    case DatagramKind::AnswerPart: {
      AnswerPart part;
      if (!in.U32(part.nonce) || !in.U32(part.serial) || !in.U8(part.index) || !in.U8(part.count)) return std::nullopt;
      const ByteView rest = in.Rest();
      if (part.count == 0 || part.count > MaxAnswerParts || part.index >= part.count || rest.empty() ||
          rest.size() > AnswerPartSize)
        return std::nullopt;
      part.bytes.assign(rest.begin(), rest.end());
      return part;
    }
    case DatagramKind::Alive:
      if (in.AtEnd()) return Alive{};
      return std::nullopt;
  }
  return std::nullopt;
}

Bytes EncodeSession(const SessionInfo& session) {
  Writer out;
  WriteSession(out, session);
  return out.Take();
}

std::optional<SessionInfo> DecodeSession(ByteView bytes) {
  Reader in(bytes);
  SessionInfo session;
  if (!ReadSession(in, session) || !in.AtEnd()) return std::nullopt;
  return session;
}

std::vector<Bytes> EncodeAnswer(std::uint32_t nonce, std::uint32_t serial, const SessionInfo& session) {
  const Bytes whole = EncodeSession(session);
  const std::size_t count = (whole.size() + AnswerPartSize - 1) / AnswerPartSize;
  std::vector<Bytes> datagrams;
  for (std::size_t index = 0; index < count; ++index) {
    const std::size_t begin = index * AnswerPartSize;
    const std::size_t end = std::min(whole.size(), begin + AnswerPartSize);
    datagrams.push_back(EncodeDatagram(AnswerPart{
        nonce, serial, static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(count),
        Bytes(whole.begin() + static_cast<std::ptrdiff_t>(begin), whole.begin() + static_cast<std::ptrdiff_t>(end))}));
  }
  return datagrams;
}

Bytes EncodePacket(const Packet& packet) {
  Writer out;
  out.U8(static_cast<std::uint8_t>(FirstPacketKind + packet.index()));
  std::visit([&out](const auto& fields) { WriteFields(out, fields); }, packet);
  return out.Take();
}

std::optional<Packet> DecodePacket(ByteView bytes) {
  Reader in(bytes);
  std::uint8_t kind = 0;
  if (!in.U8(kind) || kind < FirstPacketKind) return std::nullopt;
  return ReadPacketOfKind(kind - FirstPacketKind, in);
}

}  // namespace platform::dplay::wire
