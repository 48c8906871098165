// A session through a relay on this computer that loses a tenth of the datagrams and delays the
// rest by 30 ms: every message still arrives, in order, and nobody is taken for vanished.

#include <gtest/gtest.h>

#include "DirectPlayTestSupport.h"
#include "RelayedSessionTest.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string Numbered(int number) {
  std::string text = std::to_string(number);
  text.resize(40, '.');
  return text;
}

TEST_F(RelayedSessionTest, AThousandMessagesEachWayArriveWholeAndInOrderOverALossyLine) {
  ASSERT_NO_FATAL_FAILURE(Open(30ms));
  relay_->StartLosing();

  constexpr int Count = 1000;
  int sent = 0;
  int atHost = 0;
  int atGuest = 0;
  const auto deadline = Clock::now() + 120s;
  while ((atHost < Count || atGuest < Count) && Clock::now() < deadline) {
    if (sent < Count) {
      ASSERT_EQ(SendText(*guest_.Get(), bernd_, anna_, Numbered(sent)), DP_OK);
      ASSERT_EQ(SendText(*host_.Get(), anna_, DPID_ALLPLAYERS, Numbered(sent)), DP_OK);
      ++sent;
    }
    for (auto [side, received] : {std::pair{host_.Get(), &atHost}, std::pair{guest_.Get(), &atGuest}}) {
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
  const std::optional<Message> quiet = ReceiveWithin(*guest_.Get(), 3s);
  EXPECT_FALSE(quiet) << "system message " << quiet->systemType;
  EXPECT_FALSE(ReceiveOnce(*host_.Get()));
}

}  // namespace
}  // namespace dplay_test
