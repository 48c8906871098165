// Acknowledgements ride on the next datagram to their peer, and a lock-step exchange costs one
// datagram each way.

#include <gtest/gtest.h>

#include "DirectPlayTestSupport.h"
#include "Relay.h"
#include "platform/dplay/SocketTraffic.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;
using platform::dplay::SocketTraffic;
using Bytes = std::vector<std::uint8_t>;

// ENet's datagrams as it hands them to its socket: the peer field (flags in the top bits), the
// sent time where flagged, then commands.
constexpr std::uint16_t SentTime = ENET_PROTOCOL_HEADER_FLAG_SENT_TIME;
constexpr std::uint16_t Compressed = ENET_PROTOCOL_HEADER_FLAG_COMPRESSED;

Bytes Header(std::uint16_t peerField) {
  Bytes header = {static_cast<std::uint8_t>(peerField >> 8), static_cast<std::uint8_t>(peerField)};
  if ((peerField & SentTime) != 0) header.insert(header.end(), {0x12, 0x34});
  return header;
}

Bytes Acknowledge(std::uint8_t sequence) {
  return {ENET_PROTOCOL_COMMAND_ACKNOWLEDGE, 0, 0, sequence, 0, sequence, 0x56, 0x78};
}

Bytes SendReliable(std::uint8_t sequence, std::size_t payload) {
  constexpr std::uint8_t Command = ENET_PROTOCOL_COMMAND_SEND_RELIABLE;
  constexpr std::uint8_t Flag = ENET_PROTOCOL_COMMAND_FLAG_ACKNOWLEDGE;
  Bytes command(sizeof(ENetProtocolSendReliable) + payload, 'x');
  const std::uint8_t head[] = {
      Command | Flag, 0, 0, sequence, static_cast<std::uint8_t>(payload >> 8), static_cast<std::uint8_t>(payload)};
  std::copy(std::begin(head), std::end(head), command.begin());
  return command;
}

Bytes Joined(std::initializer_list<Bytes> parts) {
  Bytes joined;
  for (const Bytes& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

class SocketTrafficTest : public ::testing::Test {
 protected:
  SocketTrafficTest() {
    const sockaddr_in local = LoopbackAddress();
    for (const int socket : {sender_, receiver_}) bind(socket, reinterpret_cast<const sockaddr*>(&local), sizeof local);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(receiver_, reinterpret_cast<sockaddr*>(&bound), &length);
    receiverAddress_ = {bound.sin_addr.s_addr, ntohs(bound.sin_port)};
  }
  ~SocketTrafficTest() override {
    close(sender_);
    close(receiver_);
  }

  static sockaddr_in LoopbackAddress() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
  }

  // Sends Datagram the way ENet does, in pieces.
  int Send(const Bytes& datagram) {
    const std::size_t split = datagram.size() / 2;
    auto* bytes = const_cast<std::uint8_t*>(datagram.data());
    const ENetBuffer buffers[] = {{bytes, split}, {bytes + split, datagram.size() - split}};
    return traffic_.Send(receiverAddress_, buffers, 2);
  }

  // Every datagram that has arrived, in order.
  std::vector<Bytes> Arrived() {
    std::vector<Bytes> arrived;
    Bytes buffer(8192);
    ssize_t length;
    while ((length = recv(receiver_, buffer.data(), buffer.size(), 0)) >= 0)
      arrived.emplace_back(buffer.begin(), buffer.begin() + length);
    return arrived;
  }

  int sender_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
  int receiver_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
  ENetAddress receiverAddress_{};
  SocketTraffic traffic_{sender_};
};

TEST_F(SocketTrafficTest, AcknowledgementsWaitAndTravelInsideTheNextDatagramToTheirPeer) {
  const Bytes first = Joined({Header(7), Acknowledge(1)});
  const Bytes second = Joined({Header(7), Acknowledge(2), Acknowledge(3)});
  EXPECT_EQ(Send(first), static_cast<int>(first.size()));
  EXPECT_EQ(Send(second), static_cast<int>(second.size()));
  EXPECT_TRUE(Arrived().empty());

  // With a sent time the header is four bytes long; the acknowledgements follow it.
  const Bytes data = Joined({Header(SentTime | 7), SendReliable(9, 40)});
  EXPECT_EQ(Send(data), static_cast<int>(data.size()));
  const Bytes expected =
      Joined({Header(SentTime | 7), Acknowledge(1), Acknowledge(2), Acknowledge(3), SendReliable(9, 40)});
  EXPECT_EQ(Arrived(), std::vector<Bytes>{expected});

  // Nothing waits any more: the next datagram goes as it is.
  const Bytes plain = Joined({Header(7), SendReliable(10, 3)});
  Send(plain);
  traffic_.SendWaitingAcknowledgements(true);
  EXPECT_EQ(Arrived(), std::vector<Bytes>{plain});
}

TEST_F(SocketTrafficTest, WaitingAcknowledgementsLeaveAloneOnceTheyHaveWaitedOrBeforeAWait) {
  const Bytes acknowledgements = Joined({Header(3), Acknowledge(4)});
  Send(acknowledgements);
  traffic_.SendWaitingAcknowledgements(false);
  EXPECT_TRUE(Arrived().empty());
  std::this_thread::sleep_for(SocketTraffic::AcknowledgementDelay + 1ms);
  traffic_.SendWaitingAcknowledgements(false);
  EXPECT_EQ(Arrived(), std::vector<Bytes>{acknowledgements});

  Send(acknowledgements);
  traffic_.SendWaitingAcknowledgements(true);
  EXPECT_EQ(Arrived(), std::vector<Bytes>{acknowledgements});
}

TEST_F(SocketTrafficTest, WhatCannotCarryTheAcknowledgementsGoesAfterThemUnchanged) {
  const Bytes acknowledgements = Joined({Header(3), Acknowledge(4)});
  const std::vector<Bytes> cannotCarry = {
      Joined({Header(SentTime | 5), SendReliable(1, 8)}),                      // another peer
      Joined({Header(SentTime | Compressed | 3), SendReliable(1, 8)}),         // compressed
      Joined({Header(SentTime | 3), SendReliable(1, ENET_HOST_DEFAULT_MTU)}),  // too large with them
  };
  for (const Bytes& datagram : cannotCarry) {
    Send(acknowledgements);
    Send(datagram);
    EXPECT_EQ(Arrived(), (std::vector<Bytes>{acknowledgements, datagram}));
  }
}

TEST_F(SocketTrafficTest, DatagramsThatAreNotAcknowledgementsAloneAreNeverHeld) {
  const std::vector<Bytes> sentAtOnce = {
      Joined({Header(3), Acknowledge(4), {1, 2, 3}}),           // not whole commands
      Joined({Header(3), Acknowledge(4), SendReliable(2, 2)}),  // more than acknowledgements
      Joined({Header(SentTime | 3), Acknowledge(4)}),           // flagged header
      Bytes{'V', 'X', 1, 0, 0, 0, 0, 0, 0, 0},                  // not ENet's
      Header(3),                                                // header only
  };
  for (const Bytes& datagram : sentAtOnce) {
    Send(datagram);
    EXPECT_EQ(Arrived(), std::vector<Bytes>{datagram});
  }
  traffic_.SendDatagram(receiverAddress_, Joined({Header(3), Acknowledge(4)}));
  EXPECT_EQ(Arrived().size(), 1U);
}

TEST_F(RelayedSessionTest, ALockStepExchangeCostsOneDatagramEachWay) {
  ASSERT_NO_FATAL_FAILURE(Open(0ms));
  constexpr int Exchanges = 200;
  const int toHostBefore = relay_->ToHost();
  const int toClientBefore = relay_->ToClient();
  for (int exchange = 0; exchange < Exchanges; ++exchange) {
    ASSERT_EQ(SendText(*guest_.Get(), bernd_, anna_, "Stand " + std::to_string(exchange)), DP_OK);
    const std::optional<Message> status = ReceiveWithin(*host_.Get(), 2s);
    ASSERT_TRUE(status && status->text == "Stand " + std::to_string(exchange));
    ASSERT_EQ(SendText(*host_.Get(), anna_, bernd_, "Antwort"), DP_OK);
    const std::optional<Message> answer = ReceiveWithin(*guest_.Get(), 2s);
    ASSERT_TRUE(answer && answer->text == "Antwort");
  }
  // ENet alone sends a datagram of acknowledgements for every message as well: twice as many.
  EXPECT_LE(relay_->ToHost() - toHostBefore, Exchanges * 5 / 4);
  EXPECT_LE(relay_->ToClient() - toClientBefore, Exchanges * 5 / 4);
}

}  // namespace
}  // namespace dplay_test
