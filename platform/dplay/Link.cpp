#include "Link.h"

#include <algorithm>
#include <utility>

namespace platform::dplay {

wire::Window WindowFor(DWORD maxPlayers) {
  const std::size_t players = wire::PlayerLimit(maxPlayers);
  const std::size_t shares = players * std::max<std::size_t>(players - 1, 1);
  // A small session's share would be needlessly tight for large messages; never less than four
  // of the largest, so that a sender waiting for room is sure to be given some.
  const std::size_t messages = std::max<std::size_t>(MessageQueue::MaxMessages / shares, 16);
  const std::size_t bytes = std::max(MessageQueue::MaxBytes / shares, 4 * MessageQueue::Cost(wire::MaxMessageSize));
  return {static_cast<std::uint32_t>(messages), static_cast<std::uint32_t>(bytes)};
}

bool CarriesEveryMessage(const wire::Window& window) {
  return window.messages >= 1 && window.bytes >= MessageQueue::Cost(wire::MaxMessageSize);
}

Link::Link(std::uint32_t id, ENetPeer* peer, const wire::Window& granted, Clock::time_point now)
    : id_(id),
      peer_(peer),
      since_(now),
      lastHeard_(now),
      window_(granted),
      grantedMessages_(granted.messages),
      grantedBytes_(granted.bytes) {}

void Link::Grant(const wire::Window& more) {
  allowedMessages_ += more.messages;
  allowedBytes_ += more.bytes;
}

bool Link::MaySend(std::size_t size) const {
  return spentMessages_ + 1 <= allowedMessages_ && spentBytes_ + MessageQueue::Cost(size) <= allowedBytes_;
}

void Link::Spend(std::size_t size) {
  ++spentMessages_;
  spentBytes_ += MessageQueue::Cost(size);
}

std::optional<Link::Clock::time_point> Link::WaitingSince() const {
  if (held_.empty()) return std::nullopt;
  return held_.front().since;
}

std::optional<std::uint64_t> Link::Arrive(std::size_t size) {
  const std::size_t cost = MessageQueue::Cost(size);
  if (arrivedMessages_ + 1 > grantedMessages_ || arrivedBytes_ + cost > grantedBytes_) return std::nullopt;
  ++arrivedMessages_;
  arrivedBytes_ += cost;
  arrived_.push_back({1, cost});
  return firstHeld_ + arrived_.size() - 1;
}

void Link::Hold(std::uint64_t packet) {
  if (packet >= firstHeld_ && packet - firstHeld_ < arrived_.size()) ++arrived_[packet - firstHeld_].copies;
}

void Link::Release(std::uint64_t packet) {
  if (packet < firstHeld_ || packet - firstHeld_ >= arrived_.size()) return;
  Arrived& arrived = arrived_[packet - firstHeld_];
  if (arrived.copies == 0) return;
  if (--arrived.copies == 0) {
    ++freed_.messages;
    freed_.bytes += static_cast<std::uint32_t>(arrived.cost);
  }
  while (!arrived_.empty() && arrived_.front().copies == 0) {
    arrived_.pop_front();
    ++firstHeld_;
  }
}

std::optional<wire::Window> Link::CreditDue() {
  if (freed_.messages < std::max<std::uint32_t>(window_.messages / 4, 1) && freed_.bytes < window_.bytes / 4)
    return std::nullopt;
  const wire::Window credit = std::exchange(freed_, {});
  grantedMessages_ += credit.messages;
  grantedBytes_ += credit.bytes;
  return credit;
}

}  // namespace platform::dplay
