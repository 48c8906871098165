#include "Session.h"

#include <algorithm>

namespace platform::dplay {

void Session::Heard(const ENetAddress& from, Clock::time_point now) {
  for (const std::unique_ptr<Link>& link : links_)
    if (link->Peer()->address.host == from.host && link->Peer()->address.port == from.port) link->Heard(now);
}

void Session::KeepPeers(Clock::time_point now) {
  if (now - lastAlive_ >= AliveInterval) {
    lastAlive_ = now;
    const wire::Bytes alive = wire::EncodeDatagram(wire::Alive{});
    for (const std::unique_ptr<Link>& link : links_) endpoint_.SendDatagram(link->Peer()->address, alive);
  }
  std::vector<ENetPeer*> gone;
  for (const std::unique_ptr<Link>& link : links_)
    if (now - link->LastHeard() > VanishedAfter || Stalled(*link, now)) gone.push_back(link->Peer());
  for (ENetPeer* peer : gone) Drop(peer);
  LetStrangersGo(now);
  LetIdlersGo(now);
}

bool Session::Stalled(const Link& link, Clock::time_point now) const {
  const std::optional<Clock::time_point> since = link.WaitingSince();
  return since && now - *since >= stalledAfter_;
}

void Session::LetStrangersGo(Clock::time_point now) {
  ENetHost* host = endpoint_.Host();
  std::vector<Stranger> still;
  for (std::size_t i = 0; i < host->peerCount; ++i) {
    ENetPeer* peer = &host->peers[i];
    if (peer->state == ENET_PEER_STATE_DISCONNECTED || FindLink(peer) != nullptr) continue;
    const auto known = std::find_if(strangers_.begin(), strangers_.end(), [&](const Stranger& stranger) {
      return stranger.peer == peer && stranger.connectId == peer->connectID;
    });
    const Clock::time_point since = known != strangers_.end() ? known->since : now;
    if (now - since >= StrangerTimeout) {
      enet_peer_disconnect_now(peer, 0);
      continue;
    }
    still.push_back({peer, peer->connectID, since});
  }
  strangers_ = std::move(still);
}

std::optional<PlayerOutcome> Session::TakeOutcome(DWORD ticket) {
  const auto outcome = outcomes_.find(ticket);
  if (outcome == outcomes_.end()) return std::nullopt;
  const PlayerOutcome result = outcome->second;
  outcomes_.erase(outcome);
  return result;
}

HRESULT Session::MaySend(DPID from, DPID to) {
  if (!IsLocal(from) || (to != DPID_ALLPLAYERS && FindPlayer(to) == nullptr)) return DPERR_INVALIDPLAYER;
  return DP_OK;
}

std::optional<HRESULT> Session::Send(DPID from, DPID to, wire::ByteView bytes, Clock::time_point waitingSince) {
  if (const HRESULT refusal = MaySend(from, to); FAILED(refusal)) return refusal;
  std::size_t localCopies = 0;
  for (const Player& player : players_)
    if (player.local && player.entry.id != from && (to == DPID_ALLPLAYERS || to == player.entry.id)) ++localCopies;
  // This side's own game would wait for itself: it is told at once instead.
  if (!messages_.HasRoom(localCopies, bytes.size())) return DPERR_BUSY;
  const std::vector<Link*> destinations = Destinations(to);
  std::vector<ENetPeer*> blocking;
  for (Link* link : destinations)
    if (!link->Waiting().empty() || !link->MaySend(bytes.size())) blocking.push_back(link->Peer());
  if (!blocking.empty()) {
    // Held up this long, the message goes on without them at the caller's next try.
    if (Clock::now() - waitingSince >= stalledAfter_)
      for (ENetPeer* peer : blocking) Drop(peer);
    return std::nullopt;
  }

  DeliverToLocal(from, to, bytes);
  if (destinations.empty()) return DP_OK;
  const wire::Bytes packet = wire::EncodePacket(wire::Data{from, to, {bytes.begin(), bytes.end()}});
  for (Link* link : destinations) {
    link->Spend(bytes.size());
    SendNow(link->Peer(), packet);
  }
  return DP_OK;
}

void Session::Drop(ENetPeer* peer) {
  enet_peer_disconnect_now(peer, 0);
  PeerGone(peer);
}

Link& Session::AddLink(ENetPeer* peer, const wire::Window& granted) {
  return *links_.emplace_back(std::make_unique<Link>(++lastLinkId_, peer, granted, Clock::now()));
}

Link* Session::FindLink(ENetPeer* peer) {
  const auto link = std::find_if(links_.begin(), links_.end(), [peer](const auto& l) { return l->Peer() == peer; });
  return link == links_.end() ? nullptr : link->get();
}

Link* Session::FindLink(std::uint32_t id) {
  const auto link = std::find_if(links_.begin(), links_.end(), [id](const auto& l) { return l->Id() == id; });
  return link == links_.end() ? nullptr : link->get();
}

void Session::ForgetLink(ENetPeer* peer) {
  const auto link = std::find_if(links_.begin(), links_.end(), [peer](const auto& l) { return l->Peer() == peer; });
  if (link == links_.end()) return;
  const std::unique_ptr<Link> gone = std::move(*link);
  links_.erase(link);
  for (const Link::Held& held : gone->Waiting())
    if (held.origin.link != 0) Release(held.origin);
}

Player* Session::FindPlayer(DPID id) {
  const auto player =
      std::find_if(players_.begin(), players_.end(), [id](const Player& p) { return p.entry.id == id; });
  return player == players_.end() ? nullptr : &*player;
}

bool Session::IsLocal(DPID id) {
  const Player* player = FindPlayer(id);
  return player != nullptr && player->local;
}

void Session::DestroyPlayer(DPID id) {
  const auto player =
      std::find_if(players_.begin(), players_.end(), [id](const Player& p) { return p.entry.id == id; });
  if (player == players_.end()) return;
  const wire::PlayerEntry entry = player->entry;
  players_.erase(player);
  messages_.PushPlayerDestroyed(entry);
}

bool Session::DeliverToLocal(DPID from, DPID to, wire::ByteView bytes, const Origin& origin) {
  Link* source = origin.link != 0 ? FindLink(origin.link) : nullptr;
  for (const Player& player : players_) {
    if (!player.local || player.entry.id == from || (to != DPID_ALLPLAYERS && to != player.entry.id)) continue;
    if (!messages_.PushPlayerMessage(from, player.entry.id, bytes, origin)) return false;
    if (source != nullptr) source->Hold(origin.packet);
  }
  return true;
}

std::optional<Origin> Session::Arrive(Link& link, std::size_t size) {
  const std::optional<std::uint64_t> packet = link.Arrive(size);
  if (!packet) return std::nullopt;
  return Origin{link.Id(), *packet};
}

void Session::Settle(Link& link, const Origin& origin) {
  link.Release(origin.packet);
  GiveBackRoom(link);
}

void Session::Release(const Origin& origin) {
  if (Link* source = FindLink(origin.link)) {
    source->Release(origin.packet);
    GiveBackRoom(*source);
  }
}

void Session::GiveBackRoom(Link& link) {
  // Never behind what waits: the peer may be waiting for this room before it gives any back.
  if (const std::optional<wire::Window> more = link.CreditDue()) SendNow(link.Peer(), wire::Credit{*more});
}

void Session::SendNow(ENetPeer* peer, wire::ByteView bytes) {
  ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
  if (packet == nullptr) return;
  if (enet_peer_send(peer, 0, packet) != 0) enet_packet_destroy(packet);
  endpoint_.Flush();
}

void Session::SendTo(Link& link, const wire::Packet& packet) {
  if (link.Waiting().empty()) {
    SendNow(link.Peer(), packet);
  } else {
    link.Waiting().push_back({wire::EncodePacket(packet), std::nullopt, {}, Clock::now()});
  }
}

void Session::PassOn(Link& link, wire::ByteView packet, std::size_t size, const Origin& origin) {
  if (Link* source = FindLink(origin.link)) source->Hold(origin.packet);
  link.Waiting().push_back({{packet.begin(), packet.end()}, size, origin, Clock::now()});
  Pump(link);
}

void Session::Granted(Link& link, const wire::Window& more) {
  link.Grant(more);
  Pump(link);
}

void Session::Pump(Link& link) {
  std::deque<Link::Held>& waiting = link.Waiting();
  while (!waiting.empty()) {
    if (waiting.front().messageSize && !link.MaySend(*waiting.front().messageSize)) return;
    const Link::Held held = std::move(waiting.front());
    waiting.pop_front();
    if (held.messageSize) link.Spend(*held.messageSize);
    SendNow(link.Peer(), held.packet);
    if (held.origin.link != 0) Release(held.origin);
  }
}

}  // namespace platform::dplay
