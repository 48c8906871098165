#include <gtest/gtest.h>

#include "platform/dplay/Wire.h"

namespace platform::dplay::wire {
namespace {

SessionInfo SomeSession() {
  SessionInfo session;
  session.flags = 0x44;
  session.maxPlayers = 4;
  session.currentPlayers = 2;
  session.instance = {0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16}};
  session.application = {0xA1A2A3A4, 0xB1B2, 0xC1C2, {1, 2, 3, 4, 5, 6, 7, 8}};
  session.name = "Veltranzik10";
  session.user = {1, 2, 3, 0xFFFFFFFF};
  session.players = {{7, "Anna"}, {0x80000001, std::string(255, 'x')}};
  return session;
}

std::vector<Packet> EveryKind() {
  return {JoinRequest{SomeSession().instance},
          JoinAccepted{SomeSession()},
          JoinRefused{DPERR_NONEWPLAYERS},
          PlayerRequest{3, "Bernd"},
          PlayerGranted{3, 0x12345678},
          PlayerRefused{4, DPERR_CANTADDPLAYER},
          PlayerAdded{{9, ""}, 3},
          PlayerRemoved{9, 2},
          Data{7, 0, {0, 0, 0, 0, 'y', '|', 0}}};
}

TEST(Wire, EveryPacketAndDatagramComesBackAsItWent) {
  for (const Packet& packet : EveryKind()) {
    const std::optional<Packet> decoded = DecodePacket(EncodePacket(packet));
    ASSERT_TRUE(decoded) << "kind " << packet.index();
    EXPECT_EQ(*decoded, packet) << "kind " << packet.index();
  }
  for (const Datagram& datagram : {Datagram{Query{}}, Datagram{Answer{SomeSession()}}, Datagram{Alive{}}}) {
    const Bytes bytes = EncodeDatagram(datagram);
    EXPECT_TRUE(IsServiceDatagram(bytes));
    EXPECT_EQ(DecodeDatagram(bytes), datagram);
  }
}

TEST(Wire, ShortenedOrLengthenedInputIsNothing) {
  for (const Packet& packet : EveryKind()) {
    const Bytes bytes = EncodePacket(packet);
    // A message's bytes are the rest of its packet: only its header can be cut short.
    const std::size_t shortest = std::holds_alternative<Data>(packet) ? 9 : bytes.size();
    for (std::size_t length = 0; length < shortest; ++length)
      EXPECT_FALSE(DecodePacket({bytes.data(), length})) << "kind " << packet.index() << " cut to " << length;
    if (std::holds_alternative<Data>(packet)) continue;
    Bytes longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(DecodePacket(longer)) << "kind " << packet.index();
  }
  const Bytes answer = EncodeDatagram(Answer{SomeSession()});
  for (std::size_t length = 0; length < answer.size(); ++length)
    EXPECT_FALSE(DecodeDatagram({answer.data(), length})) << length;
  Bytes longer = answer;
  longer.push_back(0);
  EXPECT_FALSE(DecodeDatagram(longer));
}

TEST(Wire, ForeignOrForgedInputIsNothing) {
  EXPECT_FALSE(DecodePacket(Bytes{0}));
  EXPECT_FALSE(DecodePacket(Bytes{static_cast<std::uint8_t>(EveryKind().size() + 1), 0, 0, 0, 0}));

  Bytes query = EncodeDatagram(Query{});
  query[4] = 2;  // another version
  EXPECT_FALSE(DecodeDatagram(query));
  query = EncodeDatagram(Query{});
  query[0] = 'W';
  EXPECT_FALSE(IsServiceDatagram(query));
  EXPECT_FALSE(DecodeDatagram(query));
  query = EncodeDatagram(Query{});
  query[5] = 9;  // an unknown kind
  EXPECT_FALSE(DecodeDatagram(query));

  // A zero byte inside a name.
  Bytes request = EncodePacket(PlayerRequest{1, "ab"});
  request.back() = 0;
  EXPECT_FALSE(DecodePacket(request));

  // More players than a session can take.
  SessionInfo crowded = SomeSession();
  crowded.players.assign(MaxPlayersListed, PlayerEntry{5, "p"});
  Bytes accepted = EncodePacket(JoinAccepted{crowded});
  EXPECT_TRUE(DecodePacket(accepted));
  const std::size_t countAt = accepted.size() - MaxPlayersListed * 6 - 1;
  ASSERT_EQ(accepted[countAt], MaxPlayersListed);
  accepted[countAt] = MaxPlayersListed + 1;
  accepted.insert(accepted.end(), {5, 0, 0, 0, 1, 'p'});
  EXPECT_FALSE(DecodePacket(accepted));

  // A message larger than any that may be sent.
  Data large{1, 2, Bytes(MaxMessageSize + 1, 'x')};
  EXPECT_FALSE(DecodePacket(EncodePacket(large)));
  large.bytes.pop_back();
  EXPECT_TRUE(DecodePacket(EncodePacket(large)));
}

}  // namespace
}  // namespace platform::dplay::wire
