#pragma once
// The message channel of a real session: texts in the game's wire format through the network
// object, from this side's player to everyone, and only the other player's messages back.

#include "NetworkState.h"
#include "game/rules/MessageChannel.h"

class NetworkChannel final : public MessageChannel {
 public:
  explicit NetworkChannel(NetworkState& Net) : net_(Net) {}

  void Send(const std::string& Text) override;
  std::optional<std::string> Poll() override;
  void WaitForTraffic(std::int32_t Milliseconds) override;
  OpponentGone Gone() const override { return gone_; }

  // A new match: the other player is who it is now, and not gone.
  void Reset() { gone_ = OpponentGone::No; }

 private:
  void TakeNotice(const std::uint8_t* Data, std::uint32_t Size);

  NetworkState& net_;
  OpponentGone gone_ = OpponentGone::No;
};
