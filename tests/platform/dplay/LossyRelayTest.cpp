// A session through a relay on this computer that loses a tenth of the datagrams and delays the
// rest by 30 ms: every message still arrives, in order, and nobody is taken for vanished.

#include <gtest/gtest.h>

#include "DirectPlayTestSupport.h"
#include "Relay.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

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
  Relay relay(relayPorts, hostPorts, 30ms);
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
