#include "HostedSession.h"

#include <algorithm>

namespace platform::dplay {

HostedSession::HostedSession(Endpoint& endpoint, MessageQueue& messages, wire::SessionInfo description)
    : Session(endpoint, messages),
      description_(std::move(description)),
      random_(std::random_device{}()),
      lastId_(static_cast<DPID>(random_())) {}

void HostedSession::OnEvent(const ENetEvent& event) {
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
      Track(event.peer);
      break;
    case ENET_EVENT_TYPE_DISCONNECT:
      Untrack(event.peer);
      PeerGone(event.peer);
      break;
    case ENET_EVENT_TYPE_RECEIVE:
      OnPacket(event.peer, {event.packet->data, event.packet->dataLength});
      break;
    case ENET_EVENT_TYPE_NONE:
      break;
  }
}

void HostedSession::OnPacket(ENetPeer* peer, wire::ByteView bytes) {
  const std::optional<wire::Packet> packet = wire::DecodePacket(bytes);
  if (!packet) return;
  // Only joined peers create players or send; a peer never sends what only the host sends.
  std::visit(Overloaded{
                 [&](const wire::JoinRequest& request) { Handle(peer, request); },
                 [&](const wire::PlayerRequest& request) {
                   if (IsJoined(peer)) Handle(peer, request);
                 },
                 [&](const wire::Data& data) {
                   if (IsJoined(peer)) Handle(peer, data, bytes);
                 },
                 [](const auto&) {},
             },
             *packet);
}

void HostedSession::Handle(ENetPeer* peer, const wire::JoinRequest& request) {
  if (IsJoined(peer)) return;
  const HRESULT admission = Admission(request.instance);
  if (FAILED(admission)) {
    SendTo(peer, wire::JoinRefused{admission});
    return;
  }
  joined_.push_back(peer);
  SendTo(peer, wire::JoinAccepted{*Advertised()});
}

void HostedSession::Handle(ENetPeer* peer, const wire::PlayerRequest& request) {
  if (!HasRoom()) {
    SendTo(peer, wire::PlayerRefused{request.request, DPERR_CANTADDPLAYER});
    return;
  }
  const Player player{{NewPlayerId(), request.name}, false, peer};
  SendTo(peer, wire::PlayerGranted{request.request, player.entry.id});
  Introduce(player, peer);
}

void HostedSession::Handle(ENetPeer* peer, const wire::Data& data, wire::ByteView packet) {
  const Player* sender = FindPlayer(data.from);
  if (sender == nullptr || sender->peer != peer) return;
  if (data.to != DPID_ALLPLAYERS && FindPlayer(data.to) == nullptr) return;
  DeliverToLocal(data.from, data.to, data.bytes);
  Forward(data.to, packet, peer);
}

HRESULT HostedSession::Admission(const GUID& instance) const {
  if (!(instance == description_.instance)) return DPERR_NOSESSIONS;
  if ((description_.flags & (DPSESSION_NEWPLAYERSDISABLED | DPSESSION_JOINDISABLED)) != 0 || !HasRoom())
    return DPERR_NONEWPLAYERS;
  return DP_OK;
}

bool HostedSession::HasRoom() const { return PlayerCount() < wire::PlayerLimit(description_.maxPlayers); }

DPID HostedSession::NewPlayerId() {
  do {
    ++lastId_;
  } while (lastId_ == DPID_SYSMSG || lastId_ == DPID_SERVERPLAYER || lastId_ == DPID_UNKNOWN ||
           FindPlayer(lastId_) != nullptr);
  return lastId_;
}

void HostedSession::Introduce(const Player& player, ENetPeer* except) {
  AddPlayer(player);
  if (!player.local) Messages().PushPlayerCreated(player.entry, PlayerCount());
  for (ENetPeer* peer : joined_)
    if (peer != except) SendTo(peer, wire::PlayerAdded{player.entry, PlayerCount()});
}

void HostedSession::Forward(DPID to, wire::ByteView packet, ENetPeer* except) {
  if (to == DPID_ALLPLAYERS) {
    for (ENetPeer* peer : joined_)
      if (peer != except) SendTo(peer, packet);
    return;
  }
  const Player* receiver = FindPlayer(to);
  if (receiver != nullptr && !receiver->local && receiver->peer != except) SendTo(receiver->peer, packet);
}

bool HostedSession::IsJoined(ENetPeer* peer) const {
  return std::find(joined_.begin(), joined_.end(), peer) != joined_.end();
}

std::optional<wire::SessionInfo> HostedSession::Advertised() const {
  wire::SessionInfo session = description_;
  session.currentPlayers = PlayerCount();
  for (const Player& player : Players()) session.players.push_back(player.entry);
  return session;
}

HRESULT HostedSession::RequestPlayer(const std::string& name, DWORD& ticket) {
  if (!HasRoom()) return DPERR_CANTADDPLAYER;
  const Player player{{NewPlayerId(), name}, true, nullptr};
  Introduce(player, nullptr);
  ticket = ++lastTicket_;
  Complete(ticket, {DP_OK, player.entry.id});
  return DP_OK;
}

HRESULT HostedSession::Send(DPID from, DPID to, wire::ByteView bytes) {
  if (!IsLocal(from) || (to != DPID_ALLPLAYERS && FindPlayer(to) == nullptr)) return DPERR_INVALIDPLAYER;
  DeliverToLocal(from, to, bytes);
  if (to == DPID_ALLPLAYERS ? !joined_.empty() : !IsLocal(to))
    Forward(to, wire::EncodePacket(wire::Data{from, to, {bytes.begin(), bytes.end()}}), nullptr);
  return DP_OK;
}

void HostedSession::Leave() {
  ENetHost* host = GetEndpoint().Host();
  for (std::size_t i = 0; i < host->peerCount; ++i)
    if (host->peers[i].state != ENET_PEER_STATE_DISCONNECTED) enet_peer_disconnect_now(&host->peers[i], 0);
}

void HostedSession::PeerGone(ENetPeer* peer) {
  std::erase(joined_, peer);
  std::vector<DPID> gone;
  for (const Player& player : Players())
    if (player.peer == peer) gone.push_back(player.entry.id);
  for (const DPID id : gone) {
    DestroyPlayer(id);
    for (ENetPeer* other : joined_) SendTo(other, wire::PlayerRemoved{id, PlayerCount()});
  }
}

}  // namespace platform::dplay
