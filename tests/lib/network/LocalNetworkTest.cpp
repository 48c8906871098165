// The local-network connection, with discovery by broadcast, between two network namespaces joined
// by a veth pair that the test makes itself; nothing reaches the machine's own interfaces.

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>

#include "ChildProcess.h"
#include "NetworkTestSupport.h"

namespace network_test {
namespace {

using namespace std::chrono_literals;

// Two namespaces with a veth pair between them, removed again (with the pair) however the test ends.
class NamespacePair {
 public:
  NamespacePair() {
    const std::string id = std::to_string(getpid());
    names_ = {"vxg" + id + "a", "vxg" + id + "b"};
  }
  ~NamespacePair() {
    for (const std::string& name : made_) RunCommand({"ip", "netns", "del", name});
  }
  NamespacePair(const NamespacePair&) = delete;
  NamespacePair& operator=(const NamespacePair&) = delete;

  const std::string& Name(int side) const { return names_[static_cast<std::size_t>(side)]; }

  // Empty when all went well, else why the namespaces could not be made.
  std::string Make() {
    for (const std::string& name : names_) {
      const CommandResult added = RunCommand({"ip", "netns", "add", name});
      if (added.status != 0) return "ip netns add " + name + " failed: " + added.output;
      made_.push_back(name);
    }
    const std::string subnet = "10.77." + std::to_string(getpid() % 250) + ".";
    const std::vector<std::vector<std::string>> steps = {
        {"ip", "link", "add", names_[0], "type", "veth", "peer", "name", names_[1]},
        {"ip", "link", "set", names_[0], "netns", names_[0]},
        {"ip", "link", "set", names_[1], "netns", names_[1]},
        {"ip", "-n", names_[0], "addr", "add", subnet + "1/24", "brd", "+", "dev", names_[0]},
        {"ip", "-n", names_[1], "addr", "add", subnet + "2/24", "brd", "+", "dev", names_[1]},
        {"ip", "-n", names_[0], "link", "set", names_[0], "up"},
        {"ip", "-n", names_[1], "link", "set", names_[1], "up"},
        {"ip", "-n", names_[0], "link", "set", "lo", "up"},
        {"ip", "-n", names_[1], "link", "set", "lo", "up"},
    };
    for (const std::vector<std::string>& step : steps) {
      const CommandResult result = RunCommand(step);
      if (result.status != 0) return step[1] + " " + step[2] + " failed: " + result.output;
    }
    return {};
  }

 private:
  std::array<std::string, 2> names_;
  std::vector<std::string> made_;
};

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
