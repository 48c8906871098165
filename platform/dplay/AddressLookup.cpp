#include "AddressLookup.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <mutex>
#include <thread>

namespace platform::dplay {

namespace {

constexpr std::size_t MaxHostLength = 253;

bool HostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<enet_uint16> ReadPort(std::string_view text) {
  unsigned port = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || port == 0 || port > 65535)
    return std::nullopt;
  return static_cast<enet_uint16>(port);
}

// The first IPv4 address of Host; NumericOnly looks at the text alone and asks no name server.
std::optional<enet_uint32> Resolve(const std::string& host, bool numericOnly) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_flags = numericOnly ? AI_NUMERICHOST : 0;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return std::nullopt;
  sockaddr_in address{};
  std::memcpy(&address, found->ai_addr, sizeof address);
  freeaddrinfo(found);
  return address.sin_addr.s_addr;
}

}  // namespace

std::optional<TypedAddress> ReadTypedAddress(std::string_view text) {
  text = Trimmed(text);
  TypedAddress typed;
  if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
    typed.port = ReadPort(text.substr(colon + 1));
    if (!typed.port) return std::nullopt;
    text = text.substr(0, colon);
  }
  if (text.empty() || text.size() > MaxHostLength || !std::all_of(text.begin(), text.end(), HostCharacter) ||
      text.front() == '-' || text.front() == '.')
    return std::nullopt;
  typed.host = std::string(text);
  return typed;
}

struct AddressLookup::Outcome {
  mutable std::mutex mutex;
  State state = State::Resolving;
  enet_uint32 host = 0;

  void Settle(std::optional<enet_uint32> found) {
    const std::lock_guard lock(mutex);
    state = found ? State::Resolved : State::Unknown;
    host = found.value_or(0);
  }
};

AddressLookup::AddressLookup(std::string_view typed)
    : typed_(ReadTypedAddress(typed)), outcome_(std::make_shared<Outcome>()) {
  if (!typed_) {
    outcome_->state = State::Invalid;
    return;
  }
  if (const std::optional<enet_uint32> numeric = Resolve(typed_->host, true)) {
    outcome_->Settle(numeric);
    return;
  }
  // getaddrinfo cannot be stopped: the thread owns its share of the outcome and ends on its own,
  // whether anybody still waits for it or not.
  std::thread([outcome = outcome_, host = typed_->host] { outcome->Settle(Resolve(host, false)); }).detach();
}

AddressLookup::State AddressLookup::GetState() const {
  const std::lock_guard lock(outcome_->mutex);
  return outcome_->state;
}

std::optional<enet_uint32> AddressLookup::Host() const {
  const std::lock_guard lock(outcome_->mutex);
  if (outcome_->state != State::Resolved) return std::nullopt;
  return outcome_->host;
}

}  // namespace platform::dplay
