// The local-network connection, with discovery by broadcast, between two network namespaces joined
// by a veth pair that the test makes itself; nothing reaches the machine's own interfaces.

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>

#include "ChildProcess.h"
#include "NamespacePair.h"
#include "NetworkTestSupport.h"

namespace network_test {
namespace {

using namespace std::chrono_literals;

TEST(LocalNetworkTest, FindsAndJoinsAHostInTheNextNamespaceByBroadcast) {
  if (geteuid() != 0) GTEST_SKIP() << "making network namespaces needs root; this test runs as user " << geteuid();
  if (RunCommand({"ip", "-V"}).status != 0) GTEST_SKIP() << "the ip command (iproute2) is not available";
  NamespacePair namespaces;
  if (const std::string failure = namespaces.Make(); !failure.empty())
    GTEST_SKIP() << "network namespaces cannot be made here: " << failure;

  // Both sides use the program's own query port: inside the namespaces it is theirs alone.
  ChildProcess host({"ip", "netns", "exec", namespaces.Name(0), "env", "-u", "VXG_DPLAY_QUERY_PORT", NETWORK_TEST_PEER,
                     "host", std::to_string(LocalNetwork), "Anna"});
  ASSERT_TRUE(host.Started());
  const std::optional<std::string> ready = host.ReadLine(10s);
  ASSERT_TRUE(ready && ready->rfind("ready ", 0) == 0) << ready.value_or("no line");

  ChildProcess guest({"ip", "netns", "exec", namespaces.Name(1), "env", "-u", "VXG_DPLAY_QUERY_PORT", NETWORK_TEST_PEER,
                      "join", std::to_string(LocalNetwork), "Bernd"});
  ASSERT_TRUE(guest.Started());
  const std::optional<std::string> joined = guest.ReadLine(10s);
  ASSERT_TRUE(joined && joined->rfind("joined ", 0) == 0) << joined.value_or("no line");
  EXPECT_EQ(guest.ReadLine(10s), "pong, players 2");
  EXPECT_EQ(guest.Wait(10s), 0);
  EXPECT_EQ(host.ReadLine(10s), "left");
  EXPECT_EQ(host.Wait(10s), 0);
}

}  // namespace
}  // namespace network_test
