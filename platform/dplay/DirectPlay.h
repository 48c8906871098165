#pragma once
// The DirectPlay object: one connection, at most one open session, the messages waiting for the
// game. Every call services the network without waiting beyond the time-outs it was given. A
// keeper thread services it as well while the game is busy elsewhere (loading, a title picture, a
// result waiting for a key), so that peers do not take this side for vanished.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "Connections.h"
#include "DPlay.h"
#include "Endpoint.h"
#include "MessageQueue.h"
#include "Session.h"
#include "SessionFinder.h"

namespace platform::dplay {

// What CoCreateInstance makes of CLSID_DirectPlay.
HRESULT CreateDirectPlay(REFIID interfaceId, LPVOID* object);

class DirectPlay final : public IDirectPlay3A, public RefCounted<DirectPlay>, private EndpointListener {
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

 private:
  friend class RefCounted<DirectPlay>;
  using Clock = std::chrono::steady_clock;
  using Lock = std::unique_lock<std::mutex>;
  struct SessionFilter;

  ~DirectPlay();

  bool OnDatagram(const ENetAddress& from, wire::ByteView bytes) override;
  void OnEvent(const ENetEvent& event) override;

  // All of these run with the lock held.
  void Service();
  bool EnsureEndpoint();
  void WaitForTraffic(Clock::time_point deadline);
  void SendQuery();
  HRESULT Host(const DPSESSIONDESC2& description);
  HRESULT Join(const GUID& instance);
  void CloseSession();

  HRESULT EnumSessionsTimed(Lock& lock, DWORD timeout, const SessionFilter& filter, LPDPENUMSESSIONSCALLBACK2 callback,
                            LPVOID context);
  HRESULT EnumSessionsAsync(Lock& lock, const SessionFilter& filter, LPDPENUMSESSIONSCALLBACK2 callback,
                            LPVOID context);
  void KeepAlive(std::stop_token stop);

  std::mutex mutex_;
  std::optional<ConnectionKind> connection_;
  enet_uint16 portBase_ = DefaultQueryPort;
  MessageQueue messages_;
  SessionFinder finder_;
  std::unique_ptr<Endpoint> endpoint_;
  std::unique_ptr<Session> session_;  // declared after the endpoint it uses, so it goes first
  Clock::time_point serviceTime_;     // when the running service began: the time of all it hears
  std::condition_variable_any keeperWake_;
  std::jthread keeper_;
};

}  // namespace platform::dplay
