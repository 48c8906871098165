#pragma once
// An open session as one side sees it: its players, the peers it talks to and whether they are
// still alive. The host's side and a joined side differ in who hands out player IDs and who
// relays messages; both keep the player list and turn comings and goings into system messages.

#include <enet/enet.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Endpoint.h"
#include "Link.h"
#include "MessageQueue.h"
#include "Wire.h"

namespace platform::dplay {

struct Player {
  wire::PlayerEntry entry;
  bool local = false;
  ENetPeer* peer = nullptr;  // on the host: the peer a remote player is reached through
};

// The end of a request for a local player: its new ID, or the failure.
struct PlayerOutcome {
  HRESULT result = DP_OK;
  DPID id = 0;
};

class Session {
 public:
  using Clock = std::chrono::steady_clock;
  // A peer heard nothing from for this long has vanished (killed, cable pulled). ENet's own
  // shortest time-out: a machine under load, a Wi-Fi power save or a debugger stop stays within it.
  static constexpr std::chrono::milliseconds VanishedAfter{ENET_PEER_TIMEOUT_MINIMUM};
  // Tells every peer that this side is alive this often, well within the time above.
  static constexpr std::chrono::milliseconds AliveInterval{500};
  // A peer of the transport that has not joined this long after it showed up is let go, so that
  // strangers cannot hold the peers meant for players.
  static constexpr std::chrono::milliseconds StrangerTimeout{3000};
  // A joined side lets go of a host whose window stays closed this long while a message waits
  // for it: its game takes nothing any more (stopped, or never giving room) and would hold the
  // sender up for ever. A game that only looks away for a while (loading, a picture waiting for
  // a key) falls behind the lock-step exchange by a few messages, far within its window.
  static constexpr std::chrono::milliseconds HostStalledAfter{3000};
  // The host lets go of a peer a second sooner, so that a peer holding up what the host passes
  // on is gone before the sender behind it takes the host for the one that stalls.
  static constexpr std::chrono::milliseconds PeerStalledAfter = HostStalledAfter - std::chrono::seconds(1);

  // StalledAfter: how long a peer may keep a message waiting for room.
  Session(Endpoint& endpoint, MessageQueue& messages, std::chrono::milliseconds stalledAfter)
      : endpoint_(endpoint), messages_(messages), stalledAfter_(stalledAfter) {}
  virtual ~Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  virtual void OnEvent(const ENetEvent& event) = 0;
  // Any datagram from From is a sign of life of the peer there.
  void Heard(const ENetAddress& from, Clock::time_point now);
  // Tells every peer that this side is alive, now and then, and lets go of peers gone silent or
  // stalled, of strangers and of idlers.
  void KeepPeers(Clock::time_point now);
  // When KeepPeers has something to do next.
  Clock::time_point NextDuty() const { return lastAlive_ + AliveInterval; }

  // What this side answers a query with; only a host answers.
  virtual std::optional<wire::SessionInfo> Advertised() const { return std::nullopt; }
  // Starts creating a local player; its outcome is then fetched with TakeOutcome(Ticket).
  virtual HRESULT RequestPlayer(const std::string& name, DWORD& ticket) = 0;
  std::optional<PlayerOutcome> TakeOutcome(DWORD ticket);
  // Sends a local player's message; nothing yet while a peer it goes to has no room for it. Peers
  // that have had no room for it since WaitingSince for too long are let go, and the message goes
  // to those left when it is sent again.
  std::optional<HRESULT> Send(DPID from, DPID to, wire::ByteView bytes, Clock::time_point waitingSince);
  // The game took a message that came from Origin: its sender has room for it again.
  void Taken(const Origin& origin) { Release(origin); }
  // Says goodbye to every peer; the session is over for this side.
  virtual void Leave() = 0;

  const std::vector<Player>& Players() const { return players_; }
  bool Lost() const { return lost_; }

 protected:
  // Whether From may send to To at all.
  virtual HRESULT MaySend(DPID from, DPID to);
  // The peers a message to To is sent on to.
  virtual std::vector<Link*> Destinations(DPID to) = 0;
  // Forgets the peer and all that depended on it; it is gone already.
  virtual void PeerGone(ENetPeer* peer) = 0;
  // Lets go of a peer at once: one gone silent or stalled, or one that sent beyond its window.
  void Drop(ENetPeer* peer);
  // Lets go of peers that hold a place in the session without using it; only a host has any.
  virtual void LetIdlersGo(Clock::time_point) {}

  Link& AddLink(ENetPeer* peer, const wire::Window& granted);
  Link* FindLink(ENetPeer* peer);
  // Forgets a link, giving back the room of what waited to go to it.
  void ForgetLink(ENetPeer* peer);
  const std::vector<std::unique_ptr<Link>>& Links() const { return links_; }

  Player* FindPlayer(DPID id);
  bool IsLocal(DPID id);
  void AddPlayer(Player player) { players_.push_back(std::move(player)); }
  DWORD PlayerCount() const { return static_cast<DWORD>(players_.size()); }
  // Removes the player and tells the game so.
  void DestroyPlayer(DPID id);
  // To 0: to every local player but the sender. Each copy holds room on Source, where it came
  // from; false when the queue had no room for all of them.
  bool DeliverToLocal(DPID from, DPID to, wire::ByteView bytes, const Origin& origin = {});
  // A message from the peer of Link that the game may take; nothing when the peer sent beyond its
  // window, which it is dropped for.
  std::optional<Origin> Arrive(Link& link, std::size_t size);
  // The arrival of Origin has made its copies: its room is held by them alone.
  void Settle(Link& link, const Origin& origin);
  // Reliable, in order, and on the wire before this returns.
  void SendNow(ENetPeer* peer, wire::ByteView bytes);
  void SendNow(ENetPeer* peer, const wire::Packet& packet) { SendNow(peer, wire::EncodePacket(packet)); }
  // A system packet to the peer of Link, behind any message that waits for room there.
  void SendTo(Link& link, const wire::Packet& packet);
  // A message from Origin to be passed on to the peer of Link, once there is room there.
  void PassOn(Link& link, wire::ByteView packet, std::size_t size, const Origin& origin);
  // The peer of Link gave room: what waited for it goes.
  void Granted(Link& link, const wire::Window& more);
  void Complete(DWORD ticket, PlayerOutcome outcome) { outcomes_[ticket] = outcome; }
  void MarkLost() { lost_ = true; }
  MessageQueue& Messages() { return messages_; }
  Endpoint& GetEndpoint() { return endpoint_; }

 private:
  struct Stranger {
    ENetPeer* peer;
    enet_uint32 connectId;
    Clock::time_point since;
  };

  Link* FindLink(std::uint32_t id);
  void Release(const Origin& origin);
  void GiveBackRoom(Link& link);
  void Pump(Link& link);
  void LetStrangersGo(Clock::time_point now);
  bool Stalled(const Link& link, Clock::time_point now) const;

  Endpoint& endpoint_;
  MessageQueue& messages_;
  const std::chrono::milliseconds stalledAfter_;
  std::vector<Player> players_;
  std::map<DWORD, PlayerOutcome> outcomes_;
  std::vector<std::unique_ptr<Link>> links_;
  std::uint32_t lastLinkId_ = 0;
  std::vector<Stranger> strangers_;
  Clock::time_point lastAlive_{};
  bool lost_ = false;
};

}  // namespace platform::dplay
