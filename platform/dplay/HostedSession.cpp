#include "HostedSession.h"

#include <algorithm>

namespace platform::dplay {

HostedSession::HostedSession(Endpoint& endpoint, MessageQueue& messages, wire::SessionInfo description)
    : Session(endpoint, messages, PeerStalledAfter),
      description_(std::move(description)),
      random_(std::random_device{}()),
      lastId_(static_cast<DPID>(random_())) {}

void HostedSession::OnEvent(const ENetEvent& event) {
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
      break;  // a stranger until it asks to join
    case ENET_EVENT_TYPE_DISCONNECT:
      if (FindLink(event.peer) != nullptr) PeerGone(event.peer);
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
  // Only joined peers create players, send or give room; a peer never sends what only the host sends.
  Link* link = FindLink(peer);
  std::visit(wire::Overloaded{
                 [&](const wire::JoinRequest& request) {
                   if (link == nullptr) Handle(peer, request);
                 },
                 [&](const wire::PlayerRequest& request) {
                   if (link != nullptr) Handle(*link, request);
                 },
                 [&](const wire::Data& data) {
                   if (link != nullptr) Handle(*link, data, bytes);
                 },
                 [&](const wire::Credit& credit) {
                   if (link != nullptr) Granted(*link, credit.more);
                 },
                 [](const auto&) {},
             },
             *packet);
}

void HostedSession::Handle(ENetPeer* peer, const wire::JoinRequest& request) {
  const HRESULT admission = Admission(request);
  if (FAILED(admission)) {
    SendNow(peer, wire::JoinRefused{admission});
    enet_peer_disconnect_later(peer, 0);  // once it has heard why
    return;
  }
  const wire::Window window = WindowFor(description_.maxPlayers);
  Link& link = AddLink(peer, window);
  link.Grant(request.window);
  SendNow(peer, wire::JoinAccepted{*Advertised(), window});
}

void HostedSession::Handle(Link& link, const wire::PlayerRequest& request) {
  if (!HasRoom(link.Peer()) || !Messages().HasRoom(1, request.name.size())) {
    SendTo(link, wire::PlayerRefused{request.request, DPERR_CANTADDPLAYER});
    return;
  }
  const Player player{{NewPlayerId(), request.name}, false, link.Peer()};
  SendTo(link, wire::PlayerGranted{request.request, player.entry.id});
  Introduce(player, link.Peer());
}

void HostedSession::Handle(Link& link, const wire::Data& data, wire::ByteView packet) {
  const std::optional<Origin> origin = Arrive(link, data.bytes.size());
  if (!origin) {
    Drop(link.Peer());
    return;
  }
  const Player* sender = FindPlayer(data.from);
  const bool valid = sender != nullptr && sender->peer == link.Peer() &&
                     (data.to == DPID_ALLPLAYERS || FindPlayer(data.to) != nullptr);
  bool fits = true;
  if (valid) {
    fits = DeliverToLocal(data.from, data.to, data.bytes, *origin);
    if (fits)
      for (Link* destination : Destinations(data.to))
        if (destination != &link) PassOn(*destination, packet, data.bytes.size(), *origin);
  }
  ENetPeer* peer = link.Peer();
  Settle(link, *origin);
  if (!fits) Drop(peer);
}

HRESULT HostedSession::Admission(const wire::JoinRequest& request) const {
  if (!(request.instance == description_.instance)) return DPERR_NOSESSIONS;
  if (!CarriesEveryMessage(request.window)) return DPERR_INVALIDPARAMS;
  if ((description_.flags & (DPSESSION_NEWPLAYERSDISABLED | DPSESSION_JOINDISABLED)) != 0 || !HasRoom())
    return DPERR_NONEWPLAYERS;
  return DP_OK;
}

bool HostedSession::HasRoom(ENetPeer* asking) const {
  std::size_t places = Players().size();
  for (const std::unique_ptr<Link>& link : Links())
    if (!HasPlayer(link->Peer()) && link->Peer() != asking) ++places;
  return places < wire::PlayerLimit(description_.maxPlayers);
}

bool HostedSession::HasPlayer(const ENetPeer* peer) const {
  return std::any_of(Players().begin(), Players().end(), [peer](const Player& player) { return player.peer == peer; });
}

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
  for (const std::unique_ptr<Link>& link : Links())
    if (link->Peer() != except) SendTo(*link, wire::PlayerAdded{player.entry, PlayerCount()});
}

std::vector<Link*> HostedSession::Destinations(DPID to) {
  std::vector<Link*> destinations;
  if (to == DPID_ALLPLAYERS) {
    for (const std::unique_ptr<Link>& link : Links()) destinations.push_back(link.get());
  } else if (const Player* receiver = FindPlayer(to); receiver != nullptr && !receiver->local) {
    if (Link* link = FindLink(receiver->peer)) destinations.push_back(link);
  }
  return destinations;
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

void HostedSession::Leave() {
  ENetHost* host = GetEndpoint().Host();
  for (std::size_t i = 0; i < host->peerCount; ++i)
    if (host->peers[i].state != ENET_PEER_STATE_DISCONNECTED) enet_peer_disconnect_now(&host->peers[i], 0);
}

void HostedSession::LetIdlersGo(Clock::time_point now) {
  std::vector<ENetPeer*> playerless;
  for (const std::unique_ptr<Link>& link : Links())
    if (now - link->Since() >= PlayerlessTimeout && !HasPlayer(link->Peer())) playerless.push_back(link->Peer());
  for (ENetPeer* peer : playerless) Drop(peer);
}

void HostedSession::PeerGone(ENetPeer* peer) {
  ForgetLink(peer);
  std::vector<DPID> gone;
  for (const Player& player : Players())
    if (player.peer == peer) gone.push_back(player.entry.id);
  for (const DPID id : gone) {
    DestroyPlayer(id);
    for (const std::unique_ptr<Link>& link : Links()) SendTo(*link, wire::PlayerRemoved{id, PlayerCount()});
  }
}

}  // namespace platform::dplay
