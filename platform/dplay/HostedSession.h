#pragma once
// The host's side of a session: it admits peers, hands out player IDs, keeps the one true player
// list, tells every peer of players that come and go, and relays messages between peers.

#include <random>

#include "Session.h"

namespace platform::dplay {

class HostedSession final : public Session {
 public:
  // Beside one peer for every player, this many for peers in the middle of joining, so that
  // strangers holding peers cannot keep a player out.
  static constexpr std::size_t SparePeers = 8;
  // A joined peer that has no player this long after it joined is let go: it holds a player's
  // place, and the game creates its player as soon as it has joined.
  static constexpr std::chrono::milliseconds PlayerlessTimeout{10000};

  HostedSession(Endpoint& endpoint, MessageQueue& messages, wire::SessionInfo description);

  void OnEvent(const ENetEvent& event) override;
  std::optional<wire::SessionInfo> Advertised() const override;
  HRESULT RequestPlayer(const std::string& name, DWORD& ticket) override;
  void Leave() override;

 private:
  std::vector<Link*> Destinations(DPID to) override;
  void PeerGone(ENetPeer* peer) override;
  void LetIdlersGo(Clock::time_point now) override;
  void OnPacket(ENetPeer* peer, wire::ByteView bytes);
  void Handle(ENetPeer* peer, const wire::JoinRequest& request);
  void Handle(Link& link, const wire::PlayerRequest& request);
  void Handle(Link& link, const wire::Data& data, wire::ByteView packet);
  HRESULT Admission(const wire::JoinRequest& request) const;
  // Whether another player fits; a joined peer without a player yet holds a place for one, which
  // Asking may use for itself.
  bool HasRoom(ENetPeer* asking = nullptr) const;
  bool HasPlayer(const ENetPeer* peer) const;
  DPID NewPlayerId();
  // Adds the player and tells every joined peer but Except of it.
  void Introduce(const Player& player, ENetPeer* except);

  wire::SessionInfo description_;
  std::mt19937 random_;
  DPID lastId_;
  DWORD lastTicket_ = 0;
};

}  // namespace platform::dplay
