#include "Interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstring>
#include <functional>
#include <memory>

namespace platform::dplay {

namespace {

// Calls Visit with every IPv4 interface that is up.
void ForEachIpv4Interface(const std::function<void(const ifaddrs&)>& Visit) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return;
  const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> owner(list, &freeifaddrs);
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next)
    if (entry->ifa_addr != nullptr && entry->ifa_addr->sa_family == AF_INET && (entry->ifa_flags & IFF_UP) != 0)
      Visit(*entry);
}

in_addr Ipv4Of(const sockaddr* address) {
  sockaddr_in ipv4{};
  std::memcpy(&ipv4, address, sizeof ipv4);
  return ipv4.sin_addr;
}

}  // namespace

std::vector<enet_uint32> BroadcastAddresses() {
  std::vector<enet_uint32> addresses;
  ForEachIpv4Interface([&](const ifaddrs& entry) {
    if ((entry.ifa_flags & IFF_BROADCAST) != 0 && entry.ifa_broadaddr != nullptr)
      addresses.push_back(Ipv4Of(entry.ifa_broadaddr).s_addr);
  });
  return addresses;
}

std::vector<std::string> OwnAddresses() {
  std::vector<std::string> addresses;
  ForEachIpv4Interface([&](const ifaddrs& entry) {
    if ((entry.ifa_flags & IFF_LOOPBACK) != 0) return;
    const in_addr address = Ipv4Of(entry.ifa_addr);
    char text[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, &address, text, sizeof text) != nullptr) addresses.emplace_back(text);
  });
  return addresses;
}

}  // namespace platform::dplay
