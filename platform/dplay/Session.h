#pragma once
// An open session as one side sees it: its players, the peers it talks to and whether they are
// still alive. The host's side and a joined side differ in who hands out player IDs and who
// relays messages; both keep the player list and turn comings and goings into system messages.

#include <enet/enet.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Endpoint.h"
#include "MessageQueue.h"
#include "Wire.h"

namespace platform::dplay {

// Visits a packet with one handler per kind.
template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

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
  // A peer heard nothing from for this long has vanished (killed, cable pulled).
  static constexpr std::chrono::milliseconds VanishedAfter{2000};
  // Asks a quiet peer for a sign of life this often, well within the time above.
  static constexpr enet_uint32 PingIntervalMs = 200;

  Session(Endpoint& endpoint, MessageQueue& messages) : endpoint_(endpoint), messages_(messages) {}
  virtual ~Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  virtual void OnEvent(const ENetEvent& event) = 0;
  // Any datagram from From is a sign of life of the peer there.
  void Heard(const ENetAddress& from, Clock::time_point now);
  // Tells every peer that this side is alive, now and then, and drops the peers gone silent.
  void KeepPeers(Clock::time_point now);

  // What this side answers a query with; only a host answers.
  virtual std::optional<wire::SessionInfo> Advertised() const { return std::nullopt; }
  // Starts creating a local player; its outcome is then fetched with TakeOutcome(Ticket).
  virtual HRESULT RequestPlayer(const std::string& name, DWORD& ticket) = 0;
  std::optional<PlayerOutcome> TakeOutcome(DWORD ticket);
  virtual HRESULT Send(DPID from, DPID to, wire::ByteView bytes) = 0;
  // Says goodbye to every peer; the session is over for this side.
  virtual void Leave() = 0;

  const std::vector<Player>& Players() const { return players_; }
  bool Lost() const { return lost_; }

 protected:
  virtual void PeerGone(ENetPeer* peer) = 0;

  void Track(ENetPeer* peer);
  void Untrack(ENetPeer* peer);
  Player* FindPlayer(DPID id);
  bool IsLocal(DPID id);
  void AddPlayer(Player player) { players_.push_back(std::move(player)); }
  DWORD PlayerCount() const { return static_cast<DWORD>(players_.size()); }
  // Removes the player and tells the game so.
  void DestroyPlayer(DPID id);
  // To 0: to every local player but the sender.
  void DeliverToLocal(DPID from, DPID to, wire::ByteView bytes);
  // Reliable, in order, and on the wire before this returns.
  void SendTo(ENetPeer* peer, wire::ByteView bytes);
  void SendTo(ENetPeer* peer, const wire::Packet& packet);
  void Complete(DWORD ticket, PlayerOutcome outcome) { outcomes_[ticket] = outcome; }
  void MarkLost() { lost_ = true; }
  MessageQueue& Messages() { return messages_; }
  Endpoint& GetEndpoint() { return endpoint_; }

 private:
  struct Tracked {
    ENetPeer* peer;
    Clock::time_point lastHeard;
  };

  Endpoint& endpoint_;
  MessageQueue& messages_;
  std::vector<Player> players_;
  std::map<DWORD, PlayerOutcome> outcomes_;
  std::vector<Tracked> tracked_;
  Clock::time_point lastAlive_{};
  bool lost_ = false;
};

}  // namespace platform::dplay
