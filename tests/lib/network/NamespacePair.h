#pragma once
// Two network namespaces joined by a veth pair, made by a test for itself (which needs root) and
// removed again, with the pair, however the test ends: two hosts of a local network on one machine,
// and nothing reaches the machine's own interfaces.

#include <unistd.h>

#include <array>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace network_test {

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

}  // namespace network_test
