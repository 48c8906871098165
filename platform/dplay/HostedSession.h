#pragma once
// The host's side of a session: it admits peers, hands out player IDs, keeps the one true player
// list, tells every peer of players that come and go, and relays messages between peers.

#include <random>

#include "Session.h"

namespace platform::dplay {

class HostedSession final : public Session {
 public:
  HostedSession(Endpoint& endpoint, MessageQueue& messages, wire::SessionInfo description);

  void OnEvent(const ENetEvent& event) override;
  std::optional<wire::SessionInfo> Advertised() const override;
  HRESULT RequestPlayer(const std::string& name, DWORD& ticket) override;
  HRESULT Send(DPID from, DPID to, wire::ByteView bytes) override;
  void Leave() override;

 private:
  void PeerGone(ENetPeer* peer) override;
  void OnPacket(ENetPeer* peer, wire::ByteView bytes);
  void Handle(ENetPeer* peer, const wire::JoinRequest& request);
  void Handle(ENetPeer* peer, const wire::PlayerRequest& request);
  void Handle(ENetPeer* peer, const wire::Data& data, wire::ByteView packet);
  HRESULT Admission(const GUID& instance) const;
  bool HasRoom() const;
  DPID NewPlayerId();
  // Adds the player and tells every joined peer but Except of it.
  void Introduce(const Player& player, ENetPeer* except);
  // Sends a message packet on to the peers its receiver is reached through.
  void Forward(DPID to, wire::ByteView packet, ENetPeer* except);
  bool IsJoined(ENetPeer* peer) const;

  wire::SessionInfo description_;
  std::vector<ENetPeer*> joined_;
  std::mt19937 random_;
  DPID lastId_;
  DWORD lastTicket_ = 0;
};

}  // namespace platform::dplay
