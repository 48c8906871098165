#pragma once
// This computer's network interfaces, as far as the network service cares: where a broadcast
// reaches the local network, and which addresses another computer may reach this one at.

#include <enet/enet.h>

#include <string>
#include <vector>

namespace platform::dplay {

// The broadcast address of every IPv4 interface that is up.
std::vector<enet_uint32> BroadcastAddresses();
// The IPv4 addresses of the interfaces that are up, loopback left out, dotted, in the system's order.
std::vector<std::string> OwnAddresses();

}  // namespace platform::dplay
