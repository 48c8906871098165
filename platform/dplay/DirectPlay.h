#pragma once
// The DirectPlay object: one connection, at most one open session, the messages waiting for the
// game. Every call services the network without waiting beyond the time-outs it was given, except
// a Send that waits for room at a peer whose game has not taken what it was sent, until that peer
// takes some or is let go for stalling (Session::HostStalledAfter at most). A keeper thread
// services it as well, as soon as anything arrives, while the game is busy elsewhere (loading, a
// title picture, a result waiting for a key): it takes in everything, so that peers are answered
// and do not take this side for vanished. While the game waits for a message it watches the socket
// itself and the keeper rests.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "AddressLookup.h"
#include "Connections.h"
#include "DPlay.h"
#include "DirectPlayAddress.h"
#include "DirectPlayWait.h"
#include "Endpoint.h"
#include "MessageQueue.h"
#include "QueryLimiter.h"
#include "Session.h"
#include "SessionFinder.h"
#include "SocketWatch.h"

namespace platform::dplay {

// What CoCreateInstance makes of CLSID_DirectPlay.
HRESULT CreateDirectPlay(REFIID interfaceId, LPVOID* object);

class DirectPlay final : public IDirectPlay3A,
                         public IDirectPlayWait,
                         public IDirectPlayAddress,
                         public RefCounted<DirectPlay>,
                         private EndpointListener {
 public:
  DirectPlay() = default;

  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return AddRefImpl(); }
  ULONG Release() override { return ReleaseImpl(); }

  HRESULT Close() override;
  HRESULT CreatePlayer(DPID* player, DPNAME* name, HANDLE event, LPVOID data, DWORD dataSize, DWORD flags) override;
  HRESULT EnumPlayers(GUID* instance, LPDPENUMPLAYERSCALLBACK2 callback, LPVOID context, DWORD flags) override;
  HRESULT EnumSessions(DPSESSIONDESC2* description, DWORD timeout, LPDPENUMSESSIONSCALLBACK2 callback, LPVOID context,
                       DWORD flags) override;
  HRESULT Open(DPSESSIONDESC2* description, DWORD flags) override;
  HRESULT Receive(DPID* from, DPID* to, DWORD flags, LPVOID data, DWORD* dataSize) override;
  HRESULT Send(DPID from, DPID to, DWORD flags, LPVOID data, DWORD dataSize) override;
  HRESULT EnumConnections(const GUID* application, LPDPENUMCONNECTIONSCALLBACK callback, LPVOID context,
                          DWORD flags) override;
  HRESULT InitializeConnection(LPVOID connection, DWORD flags) override;
  HRESULT WaitForMessage(DWORD timeout) override;
  HRESULT SetSessionAddress(const char* address) override;
  HRESULT GetSessionAddressState(DWORD* state) override;
  HRESULT GetOwnAddresses(char* buffer, DWORD* size) override;

 private:
  friend class RefCounted<DirectPlay>;
  using Clock = std::chrono::steady_clock;
  using Lock = std::unique_lock<std::mutex>;
  struct SessionFilter;

  ~DirectPlay();

  bool OnDatagram(const ENetAddress& from, wire::ByteView bytes) override;
  void OnEvent(const ENetEvent& event) override;

  // All of these run with the lock held.
  void Service(Endpoint::Reading reading = Endpoint::Reading::UntilEmpty);
  bool EnsureEndpoint();
  void WaitForTraffic(Clock::time_point deadline);
  void SendQuery();
  std::vector<ENetAddress> QueryTargets() const;
  void Answer(const ENetAddress& from, const wire::Query& query);
  HRESULT Host(const DPSESSIONDESC2& description);
  HRESULT Join(const GUID& instance);
  void CloseSession();

  HRESULT EnumSessionsTimed(Lock& lock, DWORD timeout, const SessionFilter& filter, LPDPENUMSESSIONSCALLBACK2 callback,
                            LPVOID context);
  HRESULT EnumSessionsAsync(Lock& lock, const SessionFilter& filter, LPDPENUMSESSIONSCALLBACK2 callback,
                            LPVOID context);
  void KeepAlive(std::stop_token stop);
  std::chrono::milliseconds KeeperWait() const;

  std::mutex mutex_;
  SocketWatch watch_;  // before the endpoint whose socket it watches
  std::optional<ConnectionKind> connection_;
  enet_uint16 portBase_ = DefaultQueryPort;
  std::optional<AddressLookup> sessionAddress_;  // where the connection by address asks
  MessageQueue messages_;
  SessionFinder finder_;
  QueryLimiter limiter_;
  std::uint32_t answerSerial_ = 0;
  std::unique_ptr<Endpoint> endpoint_;
  std::unique_ptr<Session> session_;  // declared after the endpoint it uses, so it goes first
  Clock::time_point serviceTime_;     // when the running service began: the time of all it hears
  std::condition_variable arrived_;   // a message came into the queue
  Clock::time_point lastPoll_;        // of the game's Receive
  bool watchingSocket_ = false;       // the game's thread waits on the socket itself
  std::condition_variable keeperPause_;
  std::jthread keeper_;
};

}  // namespace platform::dplay
