#pragma once
// Two computers on two subnets with a router between them, as network namespaces that a test
// makes itself (which needs root) and removes again however it ends: no broadcast crosses from
// one subnet to the other, only routed traffic. Each computer may be given names in a hosts file
// of its own; its name server is its own loopback, where nothing answers, so that a name it does
// not know is looked up nowhere else.

#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace network_test {

class RoutedNamespaces {
 public:
  RoutedNamespaces() {
    const std::string id = std::to_string(getpid());
    names_ = {"vxg" + id + "l", "vxg" + id + "r", "vxg" + id + "x"};  // left, right, router
    const std::string net = std::to_string(getpid() % 250);
    subnets_ = {"10.78." + net + ".", "10.79." + net + "."};
  }
  ~RoutedNamespaces() {
    for (const std::string& name : made_) {
      RunCommand({"ip", "netns", "del", name});
      std::filesystem::remove_all(ConfigFolder(name));
    }
  }
  RoutedNamespaces(const RoutedNamespaces&) = delete;
  RoutedNamespaces& operator=(const RoutedNamespaces&) = delete;

  // Side 0 or 1: the two computers.
  const std::string& Name(int side) const { return names_[static_cast<std::size_t>(side)]; }
  std::string Address(int side) const { return subnets_[static_cast<std::size_t>(side)] + "2"; }

  // Empty when all went well, else why the namespaces could not be made.
  std::string Make() {
    for (const std::string& name : names_) {
      const CommandResult added = RunCommand({"ip", "netns", "add", name});
      if (added.status != 0) return "ip netns add " + name + " failed: " + added.output;
      made_.push_back(name);
      if (const std::string failure = WriteConfig(name, "resolv.conf", "nameserver 127.0.0.1\n"); !failure.empty())
        return failure;
    }
    const std::string& router = names_[2];
    std::vector<std::vector<std::string>> steps = {
        {"ip", "-n", router, "link", "set", "lo", "up"},
        {"ip", "netns", "exec", router, "sysctl", "-q", "-w", "net.ipv4.ip_forward=1"},
    };
    for (int side = 0; side < 2; ++side) {
      const std::string& name = Name(side);
      const std::string inner = name + "i";
      const std::string subnet = subnets_[static_cast<std::size_t>(side)];
      const std::vector<std::vector<std::string>> link = {
          {"ip", "link", "add", name, "type", "veth", "peer", "name", inner},
          {"ip", "link", "set", name, "netns", name},
          {"ip", "link", "set", inner, "netns", router},
          {"ip", "-n", name, "addr", "add", subnet + "2/24", "brd", "+", "dev", name},
          {"ip", "-n", router, "addr", "add", subnet + "1/24", "brd", "+", "dev", inner},
          {"ip", "-n", name, "link", "set", name, "up"},
          {"ip", "-n", name, "link", "set", "lo", "up"},
          {"ip", "-n", router, "link", "set", inner, "up"},
          {"ip", "-n", name, "route", "add", "default", "via", subnet + "1"},
      };
      steps.insert(steps.end(), link.begin(), link.end());
    }
    for (const std::vector<std::string>& step : steps) {
      const CommandResult result = RunCommand(step);
      if (result.status != 0) return step[1] + " " + step[2] + " " + step[3] + " failed: " + result.output;
    }
    return {};
  }

  // Side's computer knows the other one by Name.
  std::string Know(int side, const std::string& name) const {
    return WriteConfig(Name(side), "hosts", "127.0.0.1 localhost\n" + Address(1 - side) + " " + name + "\n");
  }

 private:
  // What "ip netns exec" lays over /etc for the namespace's programs.
  static std::filesystem::path ConfigFolder(const std::string& name) { return "/etc/netns/" + name; }

  static std::string WriteConfig(const std::string& name, const std::string& file, const std::string& text) {
    std::error_code error;
    std::filesystem::create_directories(ConfigFolder(name), error);
    std::ofstream(ConfigFolder(name) / file) << text;
    if (error || !std::filesystem::exists(ConfigFolder(name) / file)) return "cannot write /etc/netns/" + name;
    return {};
  }

  std::array<std::string, 3> names_;
  std::array<std::string, 2> subnets_;
  std::vector<std::string> made_;
};

}  // namespace network_test
