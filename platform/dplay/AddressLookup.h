#pragma once
// The address a player typed for the other computer, read and resolved: a host name or IPv4
// address with an optional ":port". A name is looked up on a thread of its own, so that nothing
// waits for a slow or silent name server; a lookup given up runs out by itself.

#include <enet/enet.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform::dplay {

struct TypedAddress {
  std::string host;
  std::optional<enet_uint16> port;
};

// Blanks round it are passed over; nullopt for anything but a host name (letters, digits, ".",
// "-", "_") or an IPv4 address, with a port from 1 to 65535 after a ":".
std::optional<TypedAddress> ReadTypedAddress(std::string_view text);

class AddressLookup {
 public:
  enum class State { Resolving, Resolved, Unknown, Invalid };

  explicit AddressLookup(std::string_view typed);

  State GetState() const;
  // Where the address leads once resolved, in network order, and the port if one was typed.
  std::optional<enet_uint32> Host() const;
  std::optional<enet_uint16> Port() const { return typed_ ? typed_->port : std::nullopt; }

 private:
  struct Outcome;

  std::optional<TypedAddress> typed_;
  std::shared_ptr<Outcome> outcome_;  // shared with the lookup's thread
};

}  // namespace platform::dplay
