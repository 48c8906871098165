#include "Session.h"

#include <algorithm>

namespace platform::dplay {

void Session::Heard(const ENetAddress& from, Clock::time_point now) {
  for (Tracked& tracked : tracked_)
    if (tracked.peer->address.host == from.host && tracked.peer->address.port == from.port) tracked.lastHeard = now;
}

void Session::KeepPeers(Clock::time_point now) {
  if (now - lastAlive_ >= std::chrono::milliseconds(PingIntervalMs)) {
    lastAlive_ = now;
    const wire::Bytes alive = wire::EncodeDatagram(wire::Alive{});
    for (const Tracked& tracked : tracked_) endpoint_.SendDatagram(tracked.peer->address, alive);
  }
  std::vector<ENetPeer*> silent;
  for (const Tracked& tracked : tracked_)
    if (now - tracked.lastHeard > VanishedAfter) silent.push_back(tracked.peer);
  for (ENetPeer* peer : silent) {
    Untrack(peer);
    enet_peer_reset(peer);
    PeerGone(peer);
  }
}

std::optional<PlayerOutcome> Session::TakeOutcome(DWORD ticket) {
  const auto outcome = outcomes_.find(ticket);
  if (outcome == outcomes_.end()) return std::nullopt;
  const PlayerOutcome result = outcome->second;
  outcomes_.erase(outcome);
  return result;
}

void Session::Track(ENetPeer* peer) {
  enet_peer_ping_interval(peer, PingIntervalMs);
  tracked_.push_back({peer, Clock::now()});
}

void Session::Untrack(ENetPeer* peer) {
  std::erase_if(tracked_, [peer](const Tracked& tracked) { return tracked.peer == peer; });
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

void Session::DeliverToLocal(DPID from, DPID to, wire::ByteView bytes) {
  for (const Player& player : players_)
    if (player.local && player.entry.id != from && (to == DPID_ALLPLAYERS || to == player.entry.id))
      messages_.PushPlayerMessage(from, player.entry.id, bytes);
}

void Session::SendTo(ENetPeer* peer, wire::ByteView bytes) {
  ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
  if (packet == nullptr) return;
  if (enet_peer_send(peer, 0, packet) != 0) enet_packet_destroy(packet);
  endpoint_.Flush();
}

void Session::SendTo(ENetPeer* peer, const wire::Packet& packet) { SendTo(peer, wire::EncodePacket(packet)); }

}  // namespace platform::dplay
