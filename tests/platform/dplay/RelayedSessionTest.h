#pragma once
// A session whose guest reaches the host only through a relay on this computer.

#include <gtest/gtest.h>

#include <memory>

#include "DirectPlayTestSupport.h"
#include "Relay.h"

namespace dplay_test {

// A host with Anna and a guest with Bernd who knows the host only through a relay: it queries there
// and joins there.
class RelayedSessionTest : public ::testing::Test {
 protected:
  void Open(std::chrono::milliseconds delay) {
    const std::uint16_t hostPorts = FreePortBlock();
    const std::uint16_t relayPorts = FreePortBlock(1);
    ASSERT_TRUE(hostPorts != 0 && relayPorts != 0 && hostPorts != relayPorts);
    UseQueryPorts(hostPorts);
    host_ = Connected(ThisComputer);
    ASSERT_EQ(HostSession(*host_.Get(), "Fern", 4), DP_OK);
    anna_ = NewPlayer(*host_.Get(), "Anna");

    relay_ = std::make_unique<Relay>(relayPorts, hostPorts, delay);
    UseQueryPorts(relayPorts);
    guest_ = Connected(ThisComputer);
    ASSERT_NO_FATAL_FAILURE(FindAndJoin(*guest_.Get()));
    bernd_ = NewPlayer(*guest_.Get(), "Bernd");
    const std::optional<Message> joined = ReceiveWithin(*host_.Get(), std::chrono::seconds(2));
    ASSERT_TRUE(joined && joined->systemType == DPSYS_CREATEPLAYERORGROUP);
  }

  ComThread com_;
  std::unique_ptr<Relay> relay_;
  ComPtr<IDirectPlay3A> host_;
  ComPtr<IDirectPlay3A> guest_;
  DPID anna_ = 0;
  DPID bernd_ = 0;
};

}  // namespace dplay_test
