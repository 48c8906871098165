#include "JoinedSession.h"

namespace platform::dplay {

namespace {

// A refusal must be a failure: a peer cannot turn it into a success.
HRESULT AsFailure(HRESULT result) { return FAILED(result) ? result : DPERR_GENERIC; }

}  // namespace

JoinedSession::JoinedSession(Endpoint& endpoint, MessageQueue& messages, const ENetAddress& host, const GUID& instance,
                             const wire::Window& window)
    : Session(endpoint, messages, HostStalledAfter),
      host_(enet_host_connect(endpoint.Host(), &host, 1, 0)),
      instance_(instance),
      window_(window) {
  if (host_ == nullptr) {
    Refuse(DPERR_NOSESSIONS);
  } else {
    AddLink(host_, window_);
  }
}

void JoinedSession::Abandon() {
  if (state_ != State::Joining) return;
  ForgetLink(host_);
  enet_peer_reset(host_);
  Refuse(DPERR_NOSESSIONS);
}

void JoinedSession::OnEvent(const ENetEvent& event) {
  if (host_ == nullptr || event.peer != host_) {
    // Nobody else may talk to a joined side.
    if (event.type == ENET_EVENT_TYPE_CONNECT) enet_peer_disconnect_now(event.peer, 0);
    return;
  }
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
      SendNow(host_, wire::JoinRequest{instance_, window_});
      break;
    case ENET_EVENT_TYPE_DISCONNECT:
      PeerGone(host_);
      break;
    case ENET_EVENT_TYPE_RECEIVE:
      OnPacket({event.packet->data, event.packet->dataLength});
      break;
    case ENET_EVENT_TYPE_NONE:
      break;
  }
}

void JoinedSession::OnPacket(wire::ByteView bytes) {
  const std::optional<wire::Packet> packet = wire::DecodePacket(bytes);
  if (!packet) return;
  const bool joining = state_ == State::Joining;
  const bool joined = state_ == State::Joined;
  std::visit(wire::Overloaded{
                 [&](const wire::JoinAccepted& p) {
                   if (joining) Handle(p);
                 },
                 [&](const wire::JoinRefused& p) {
                   if (joining) Handle(p);
                 },
                 [&](const wire::PlayerGranted& p) {
                   if (joined) Handle(p);
                 },
                 [&](const wire::PlayerRefused& p) {
                   if (joined) Handle(p);
                 },
                 [&](const wire::PlayerAdded& p) {
                   if (joined) Handle(p);
                 },
                 [&](const wire::PlayerRemoved& p) {
                   if (joined) Handle(p);
                 },
                 [&](const wire::Data& p) {
                   if (joined) Handle(p);
                 },
                 [&](const wire::Credit& p) {
                   if (Link* link = FindLink(host_); joined && link != nullptr) Granted(*link, p.more);
                 },
                 [](const auto&) {},
             },
             *packet);
}

void JoinedSession::Handle(const wire::JoinAccepted& accepted) {
  if (!(accepted.session.instance == instance_)) return;
  playerLimit_ = wire::PlayerLimit(accepted.session.maxPlayers);
  for (const wire::PlayerEntry& entry : accepted.session.players)
    if (entry.id != DPID_SYSMSG && FindPlayer(entry.id) == nullptr && PlayerCount() < playerLimit_)
      AddPlayer({entry, false, nullptr});
  if (Link* link = FindLink(host_)) link->Grant(accepted.window);
  state_ = State::Joined;
}

void JoinedSession::Handle(const wire::JoinRefused& refused) {
  enet_peer_disconnect_now(host_, 0);
  ForgetLink(host_);
  Refuse(AsFailure(refused.result));
}

void JoinedSession::Handle(const wire::PlayerGranted& granted) {
  const auto request = pending_.find(granted.request);
  if (request == pending_.end()) return;
  if (granted.id == DPID_SYSMSG || FindPlayer(granted.id) != nullptr) {
    Complete(granted.request, {DPERR_CANTCREATEPLAYER, 0});
  } else {
    AddPlayer({{granted.id, request->second}, true, nullptr});
    Complete(granted.request, {DP_OK, granted.id});
  }
  pending_.erase(request);
}

void JoinedSession::Handle(const wire::PlayerRefused& refused) {
  if (pending_.erase(refused.request) == 0) return;
  Complete(refused.request, {AsFailure(refused.result), 0});
}

void JoinedSession::Handle(const wire::PlayerAdded& added) {
  if (added.player.id == DPID_SYSMSG || FindPlayer(added.player.id) != nullptr || PlayerCount() >= playerLimit_) return;
  // News the game has no room for is more than the host may send.
  if (!Messages().PushPlayerCreated(added.player, PlayerCount() + 1)) {
    Drop(host_);
    return;
  }
  AddPlayer({added.player, false, nullptr});
}

void JoinedSession::Handle(const wire::PlayerRemoved& removed) {
  const Player* player = FindPlayer(removed.id);
  if (player == nullptr || player->local) return;
  DestroyPlayer(removed.id);
}

void JoinedSession::Handle(const wire::Data& data) {
  Link* link = FindLink(host_);
  if (link == nullptr) return;
  const std::optional<Origin> origin = Arrive(*link, data.bytes.size());
  if (!origin) {
    Drop(host_);
    return;
  }
  const Player* sender = FindPlayer(data.from);
  const bool valid = sender != nullptr && !sender->local && (data.to == DPID_ALLPLAYERS || IsLocal(data.to));
  const bool fits = !valid || DeliverToLocal(data.from, data.to, data.bytes, *origin);
  Settle(*link, *origin);
  if (!fits) Drop(host_);
}

HRESULT JoinedSession::RequestPlayer(const std::string& name, DWORD& ticket) {
  Link* link = FindLink(host_);
  if (state_ != State::Joined || link == nullptr) return DPERR_NOCONNECTION;
  ticket = ++lastTicket_;
  pending_[ticket] = name;
  SendTo(*link, wire::PlayerRequest{ticket, name});
  return DP_OK;
}

HRESULT JoinedSession::MaySend(DPID from, DPID to) {
  if (state_ != State::Joined) return DPERR_NOCONNECTION;
  return Session::MaySend(from, to);
}

std::vector<Link*> JoinedSession::Destinations(DPID to) {
  Link* link = FindLink(host_);
  if (link == nullptr || (to != DPID_ALLPLAYERS && IsLocal(to))) return {};
  return {link};
}

void JoinedSession::Leave() {
  if (host_ == nullptr) return;
  enet_peer_disconnect_now(host_, 0);
  ForgetLink(host_);
  host_ = nullptr;
}

void JoinedSession::PeerGone(ENetPeer*) {
  ForgetLink(host_);
  if (state_ == State::Joining) {
    Refuse(DPERR_NOSESSIONS);
  } else if (state_ == State::Joined) {
    LoseSession();
  }
}

void JoinedSession::Refuse(HRESULT result) {
  state_ = State::Refused;
  refusal_ = result;
  host_ = nullptr;
}

// Every player on the other side is gone with the host, then the session itself.
void JoinedSession::LoseSession() {
  std::vector<DPID> remote;
  for (const Player& player : Players())
    if (!player.local) remote.push_back(player.entry.id);
  for (const DPID id : remote) DestroyPlayer(id);
  Messages().PushSessionLost();
  for (const auto& [ticket, name] : pending_) Complete(ticket, {DPERR_SESSIONLOST, 0});
  pending_.clear();
  host_ = nullptr;
  state_ = State::Refused;
  refusal_ = DPERR_SESSIONLOST;
  MarkLost();
}

}  // namespace platform::dplay
