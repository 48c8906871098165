// Arbitrary bytes as the address a player typed or adresse.txt held: what is taken must be a host
// name or IPv4 address of allowed characters with a port in range, and taking it again as the game
// shows it must give the same. Nothing here resolves a name: that would ask a name server.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/dplay/AddressLookup.h"

namespace {

bool Allowed(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
}

std::string Shown(const platform::dplay::TypedAddress& typed) {
  return typed.host + (typed.port ? ":" + std::to_string(*typed.port) : "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto typed = platform::dplay::ReadTypedAddress(text);
  if (!typed) return 0;
  if (typed->host.empty() || typed->host.size() > 253 || !std::all_of(typed->host.begin(), typed->host.end(), Allowed))
    std::abort();
  if (typed->port && *typed->port == 0) std::abort();
  const auto again = platform::dplay::ReadTypedAddress(Shown(*typed));
  if (!again || again->host != typed->host || again->port != typed->port) std::abort();
  return 0;
}
