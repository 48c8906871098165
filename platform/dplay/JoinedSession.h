#pragma once
// A joined side of a session: it talks to the host alone, asks it for player IDs, follows the
// player list it announces, and loses the session when the host goes.

#include "Session.h"

namespace platform::dplay {

class JoinedSession final : public Session {
 public:
  enum class State { Joining, Joined, Refused };

  // Window: what the host may send before it hears that the game took some of it.
  JoinedSession(Endpoint& endpoint, MessageQueue& messages, const ENetAddress& host, const GUID& instance,
                const wire::Window& window);

  State GetState() const { return state_; }
  // Why the host did not take us, once Refused.
  HRESULT Refusal() const { return refusal_; }
  // Gives up a join that is still under way.
  void Abandon();

  void OnEvent(const ENetEvent& event) override;
  HRESULT RequestPlayer(const std::string& name, DWORD& ticket) override;
  void Leave() override;

 private:
  HRESULT MaySend(DPID from, DPID to) override;
  std::vector<Link*> Destinations(DPID to) override;
  void PeerGone(ENetPeer* peer) override;
  void OnPacket(wire::ByteView bytes);
  void Handle(const wire::JoinAccepted& accepted);
  void Handle(const wire::JoinRefused& refused);
  void Handle(const wire::PlayerGranted& granted);
  void Handle(const wire::PlayerRefused& refused);
  void Handle(const wire::PlayerAdded& added);
  void Handle(const wire::PlayerRemoved& removed);
  void Handle(const wire::Data& data);
  void Refuse(HRESULT result);
  void LoseSession();

  ENetPeer* host_;
  GUID instance_;
  wire::Window window_;
  DWORD playerLimit_ = 0;  // of the session, once joined
  State state_ = State::Joining;
  HRESULT refusal_ = DP_OK;
  std::map<DWORD, std::string> pending_;  // player requests by ticket
  DWORD lastTicket_ = 0;
};

}  // namespace platform::dplay
