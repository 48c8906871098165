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

// The largest description a session can have: every player there is, every name as long as it may be.
SessionInfo LargestSession() {
  SessionInfo session = SomeSession();
  session.name.assign(MaxNameLength, 'S');
  session.players.clear();
  for (DPID id = 1; id <= MaxPlayersListed; ++id) session.players.push_back({id, std::string(MaxNameLength, 'p')});
  return session;
}

std::vector<Packet> EveryKind() {
  return {JoinRequest{SomeSession().instance, {16, 70000}},
          JoinAccepted{SomeSession(), {5461, 5592405}},
          JoinRefused{DPERR_NONEWPLAYERS},
          PlayerRequest{3, "Bernd"},
          PlayerGranted{3, 0x12345678},
          PlayerRefused{4, DPERR_CANTADDPLAYER},
          PlayerAdded{{9, ""}, 3},
          PlayerRemoved{9, 2},
          Data{7, 0, {0, 0, 0, 0, 'y', '|', 0}},
          Credit{{1365, 1398101}}};
}

std::vector<Datagram> EveryDatagram() {
  return {Query{0xA1B2C3D4}, AnswerPart{0xA1B2C3D4, 9, 2, 3, {1, 2, 3}}, Alive{}};
}

TEST(Wire, EveryPacketAndDatagramComesBackAsItWent) {
  for (const Packet& packet : EveryKind()) {
    const std::optional<Packet> decoded = DecodePacket(EncodePacket(packet));
    ASSERT_TRUE(decoded) << "kind " << packet.index();
    EXPECT_EQ(*decoded, packet) << "kind " << packet.index();
  }
  for (const Datagram& datagram : EveryDatagram()) {
    const Bytes bytes = EncodeDatagram(datagram);
    EXPECT_TRUE(IsServiceDatagram(bytes));
    EXPECT_EQ(DecodeDatagram(bytes), datagram);
  }
}

TEST(Wire, AnAnswerComesInPartsThatNoNetworkSplitsAndGoBackTogether) {
  for (const SessionInfo& session : {SomeSession(), LargestSession()}) {
    const std::vector<Bytes> answer = EncodeAnswer(42, 7, session);
    ASSERT_FALSE(answer.empty());
    ASSERT_LE(answer.size(), MaxAnswerParts);
    Bytes whole;
    for (std::size_t index = 0; index < answer.size(); ++index) {
      EXPECT_LT(answer[index].size(), 1200u);
      const std::optional<Datagram> datagram = DecodeDatagram(answer[index]);
      ASSERT_TRUE(datagram && std::holds_alternative<AnswerPart>(*datagram));
      const AnswerPart& part = std::get<AnswerPart>(*datagram);
      EXPECT_EQ(part.nonce, 42u);
      EXPECT_EQ(part.serial, 7u);
      EXPECT_EQ(part.index, index);
      EXPECT_EQ(part.count, answer.size());
      whole.insert(whole.end(), part.bytes.begin(), part.bytes.end());
    }
    EXPECT_EQ(DecodeSession(whole), session);
  }
  EXPECT_GT(EncodeAnswer(1, 1, LargestSession()).size(), 1u);
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
  const Bytes session = EncodeSession(SomeSession());
  for (std::size_t length = 0; length < session.size(); ++length)
    EXPECT_FALSE(DecodeSession({session.data(), length})) << length;
  Bytes longer = session;
  longer.push_back(0);
  EXPECT_FALSE(DecodeSession(longer));
  for (const Datagram& datagram : EveryDatagram()) {
    const Bytes bytes = EncodeDatagram(datagram);
    // A part's bytes are the rest of its datagram: only its header can be cut short.
    const std::size_t shortest = std::holds_alternative<AnswerPart>(datagram) ? bytes.size() - 2 : bytes.size();
    for (std::size_t length = 0; length < shortest; ++length)
      EXPECT_FALSE(DecodeDatagram({bytes.data(), length})) << "kind " << datagram.index() << " cut to " << length;
    if (std::holds_alternative<AnswerPart>(datagram)) continue;
    Bytes lengthened = bytes;
    lengthened.push_back(0);
    EXPECT_FALSE(DecodeDatagram(lengthened)) << "kind " << datagram.index();
  }
}

TEST(Wire, ForeignOrForgedInputIsNothing) {
  EXPECT_FALSE(DecodePacket(Bytes{0}));
  EXPECT_FALSE(DecodePacket(Bytes{static_cast<std::uint8_t>(EveryKind().size() + 1), 0, 0, 0, 0}));

  Bytes query = EncodeDatagram(Query{3});
  query[4] = 1;  // another version
  EXPECT_FALSE(DecodeDatagram(query));
  query = EncodeDatagram(Query{3});
  query[0] = 'W';
  EXPECT_FALSE(IsServiceDatagram(query));
  EXPECT_FALSE(DecodeDatagram(query));
  query = EncodeDatagram(Query{3});
  query[5] = 9;  // an unknown kind
  EXPECT_FALSE(DecodeDatagram(query));

  // Parts that cannot belong to any answer.
  for (const AnswerPart& part :
       {AnswerPart{1, 1, 0, 0, {1}}, AnswerPart{1, 1, 2, 2, {1}}, AnswerPart{1, 1, 0, 1, {}},
        AnswerPart{1, 1, 0, MaxAnswerParts + 1, {1}}, AnswerPart{1, 1, 0, 1, Bytes(AnswerPartSize + 1, 1)}})
    EXPECT_FALSE(DecodeDatagram(EncodeDatagram(part))) << int{part.index} << " of " << int{part.count};

  // A zero byte inside a name.
  Bytes request = EncodePacket(PlayerRequest{1, "ab"});
  request.back() = 0;
  EXPECT_FALSE(DecodePacket(request));

  // More players than a session can take.
  SessionInfo crowded = SomeSession();
  crowded.players.assign(MaxPlayersListed, PlayerEntry{5, "p"});
  Bytes accepted = EncodePacket(JoinAccepted{crowded, {1, 2}});
  EXPECT_TRUE(DecodePacket(accepted));
  const std::size_t countAt = accepted.size() - 8 - MaxPlayersListed * 6 - 1;
  ASSERT_EQ(accepted[countAt], MaxPlayersListed);
  accepted[countAt] = MaxPlayersListed + 1;
  accepted.insert(accepted.end() - 8, {5, 0, 0, 0, 1, 'p'});
  EXPECT_FALSE(DecodePacket(accepted));

  // A message larger than any that may be sent.
  Data large{1, 2, Bytes(MaxMessageSize + 1, 'x')};
  EXPECT_FALSE(DecodePacket(EncodePacket(large)));
  large.bytes.pop_back();
  EXPECT_TRUE(DecodePacket(EncodePacket(large)));
}

}  // namespace
}  // namespace platform::dplay::wire
