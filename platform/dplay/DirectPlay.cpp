#include "DirectPlay.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <random>

#include "HostedSession.h"
#include "Interfaces.h"
#include "JoinedSession.h"
#include "platform/win/Clock.h"

namespace platform::dplay {

namespace {

// How long the keeper sleeps when nothing is due: without a session it only takes in answers.
constexpr std::chrono::milliseconds KeeperIdle{1000};
// While the game polls this often, the socket is the game's: the keeper would only make it wait
// for the lock.
constexpr std::chrono::milliseconds GamePolling{2};
// How long Open and CreatePlayer wait for the host to answer.
constexpr std::chrono::milliseconds HostAnswerTimeout{3000};
// The longest single wait on the socket, so that time-outs are kept closely.
constexpr std::chrono::milliseconds WaitSlice{5};

GUID NewGuid() {
  std::random_device random;
  std::array<std::uint32_t, 4> words{};
  for (std::uint32_t& word : words) word = random();
  GUID guid;
  std::memcpy(&guid, words.data(), sizeof guid);
  guid.Data3 = static_cast<WORD>((guid.Data3 & 0x0FFF) | 0x4000);  // random, version 4
  guid.Data4[0] = static_cast<BYTE>((guid.Data4[0] & 0x3F) | 0x80);
  return guid;
}

std::string NameOf(const char* name) { return name != nullptr ? std::string(name) : std::string(); }

}  // namespace

HRESULT CreateDirectPlay(REFIID interfaceId, LPVOID* object) {
  DirectPlay* directPlay = new (std::nothrow) DirectPlay;
  if (directPlay == nullptr) return E_OUTOFMEMORY;
  const HRESULT result = directPlay->QueryInterface(interfaceId, object);
  directPlay->Release();
  return result;
}

DirectPlay::~DirectPlay() {
  keeper_ = std::jthread();  // stops and joins the keeper before anything it uses goes
  CloseSession();
}

HRESULT DirectPlay::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IDirectPlayWait) {
    *object = static_cast<IDirectPlayWait*>(this);
  } else if (riid == IID_IDirectPlayAddress) {
    *object = static_cast<IDirectPlayAddress*>(this);
  } else if (riid == IID_IUnknown || riid == IID_IDirectPlay3A) {
    *object = static_cast<IDirectPlay3A*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT DirectPlay::EnumConnections(const GUID*, LPDPENUMCONNECTIONSCALLBACK callback, LPVOID context, DWORD flags) {
  if (callback == nullptr) return DPERR_INVALIDPARAMS;
  if (flags != 0 && (flags & DPCONNECTION_DIRECTPLAY) == 0) return DP_OK;  // there are no lobby providers
  for (const Connection& connection : Connections()) {
    ConnectionData data = MakeConnectionData(connection.kind);
    const DPNAME name{sizeof(DPNAME), 0, const_cast<char*>(connection.name), nullptr};
    if (!callback(&connection.serviceProvider, &data, sizeof data, &name, DPCONNECTION_DIRECTPLAY, context)) break;
  }
  return DP_OK;
}

HRESULT DirectPlay::InitializeConnection(LPVOID connection, DWORD flags) {
  if (connection == nullptr) return DPERR_INVALIDPARAMS;
  if (flags != 0) return DPERR_INVALIDFLAGS;
  ConnectionData data;
  std::memcpy(&data, connection, sizeof data);
  const std::optional<ConnectionKind> kind = ReadConnectionData(data);
  if (!kind) return DPERR_INVALIDPARAMS;

  const Lock lock(mutex_);
  if (connection_) return DPERR_ALREADYINITIALIZED;
  connection_ = *kind;
  portBase_ = QueryPortBase();
  keeper_ = std::jthread([this](std::stop_token stop) { KeepAlive(std::move(stop)); });
  return DP_OK;
}

HRESULT DirectPlay::Open(DPSESSIONDESC2* description, DWORD flags) {
  if (description == nullptr || description->dwSize != sizeof(DPSESSIONDESC2)) return DPERR_INVALIDPARAMS;
  const DWORD mode = flags & (DPOPEN_JOIN | DPOPEN_CREATE);
  if ((flags & ~(DPOPEN_JOIN | DPOPEN_CREATE | DPOPEN_RETURNSTATUS)) != 0 ||
      (mode != DPOPEN_JOIN && mode != DPOPEN_CREATE))
    return DPERR_INVALIDFLAGS;

  const Lock lock(mutex_);
  if (!connection_) return DPERR_UNINITIALIZED;
  if (session_ && !session_->Lost()) return DPERR_ALREADYINITIALIZED;
  CloseSession();
  return mode == DPOPEN_CREATE ? Host(*description) : Join(description->guidInstance);
}

HRESULT DirectPlay::Host(const DPSESSIONDESC2& description) {
  const std::string name = NameOf(description.lpszSessionNameA);
  if (name.size() > wire::MaxNameLength) return DPERR_INVALIDPARAMS;
  // Every other player may be on a peer of its own, and a few more peers are in the middle of
  // joining; ENet walks all peers at every service.
  endpoint_ = Endpoint::ForHost(*connection_, portBase_,
                                wire::PlayerLimit(description.dwMaxPlayers) + HostedSession::SparePeers, watch_);
  if (!endpoint_) return DPERR_CANTCREATESESSION;
  wire::SessionInfo session;
  session.flags = description.dwFlags;
  session.maxPlayers = description.dwMaxPlayers;
  session.instance = NewGuid();
  session.application = description.guidApplication;
  session.name = name;
  session.user = {description.dwUser1, description.dwUser2, description.dwUser3, description.dwUser4};
  session_ = std::make_unique<HostedSession>(*endpoint_, messages_, std::move(session));
  watch_.Wake();  // the keeper's next duty is sooner now
  return DP_OK;
}

HRESULT DirectPlay::Join(const GUID& instance) {
  const SessionFinder::Found* found = finder_.Find(instance);
  if (found == nullptr) return DPERR_NOSESSIONS;
  const ENetAddress address = found->address;
  const wire::Window window = WindowFor(found->session.maxPlayers);
  if (!EnsureEndpoint()) return DPERR_NOCONNECTION;

  auto session = std::make_unique<JoinedSession>(*endpoint_, messages_, address, instance, window);
  JoinedSession& joining = *session;
  session_ = std::move(session);
  const Clock::time_point deadline = Clock::now() + HostAnswerTimeout;
  for (;;) {
    Service();
    if (joining.GetState() != JoinedSession::State::Joining || Clock::now() >= deadline) break;
    WaitForTraffic(deadline);
  }
  joining.Abandon();
  if (joining.GetState() == JoinedSession::State::Joined) {
    watch_.Wake();
    return DP_OK;
  }
  const HRESULT refusal = joining.Refusal();
  session_.reset();
  return refusal;
}

HRESULT DirectPlay::Close() {
  const Lock lock(mutex_);
  CloseSession();
  return DP_OK;
}

void DirectPlay::CloseSession() {
  if (!session_) return;
  session_->Leave();
  session_.reset();
  endpoint_.reset();  // a host's query port is free again at once
  messages_.Clear();
}

HRESULT DirectPlay::CreatePlayer(DPID* player, DPNAME* name, HANDLE, LPVOID data, DWORD dataSize, DWORD flags) {
  if (player == nullptr || (name != nullptr && name->dwSize != sizeof(DPNAME))) return DPERR_INVALIDPARAMS;
  if (flags != 0) return DPERR_INVALIDFLAGS;
  if (data != nullptr && dataSize != 0) return DPERR_UNSUPPORTED;  // players carry no data here
  const std::string shortName = NameOf(name != nullptr ? name->lpszShortNameA : nullptr);
  if (shortName.size() > wire::MaxNameLength) return DPERR_INVALIDPARAMS;

  const Lock lock(mutex_);
  if (!connection_) return DPERR_UNINITIALIZED;
  if (!session_) return DPERR_NOCONNECTION;
  if (session_->Lost()) return DPERR_SESSIONLOST;
  DWORD ticket = 0;
  if (const HRESULT result = session_->RequestPlayer(shortName, ticket); FAILED(result)) return result;
  Session& session = *session_;
  const Clock::time_point deadline = Clock::now() + HostAnswerTimeout;
  for (;;) {
    if (const std::optional<PlayerOutcome> outcome = session.TakeOutcome(ticket)) {
      if (SUCCEEDED(outcome->result)) *player = outcome->id;
      return outcome->result;
    }
    if (Clock::now() >= deadline) return DPERR_TIMEOUT;
    WaitForTraffic(deadline);
    Service();
  }
}

HRESULT DirectPlay::EnumPlayers(GUID* instance, LPDPENUMPLAYERSCALLBACK2 callback, LPVOID context, DWORD flags) {
  if (callback == nullptr || ((flags & DPENUMPLAYERS_SESSION) != 0 && instance == nullptr)) return DPERR_INVALIDPARAMS;
  std::vector<std::pair<wire::PlayerEntry, DWORD>> players;  // with the flags the callback gets
  {
    const Lock lock(mutex_);
    if (!connection_) return DPERR_UNINITIALIZED;
    Service();
    if ((flags & DPENUMPLAYERS_SESSION) != 0) {
      const SessionFinder::Found* found = finder_.Find(*instance);
      if (found == nullptr) return DPERR_NOSESSIONS;
      for (const wire::PlayerEntry& entry : found->session.players) players.emplace_back(entry, 0);
    } else {
      if (!session_) return DPERR_NOCONNECTION;
      const bool onlyLocal = (flags & DPENUMPLAYERS_LOCAL) != 0;
      const bool onlyRemote = (flags & DPENUMPLAYERS_REMOTE) != 0;
      for (const Player& player : session_->Players())
        if (player.local ? !onlyRemote : !onlyLocal)
          players.emplace_back(player.entry, player.local ? DPENUMPLAYERS_LOCAL : DPENUMPLAYERS_REMOTE);
    }
  }
  for (auto& [entry, playerFlags] : players) {
    const DPNAME name{sizeof(DPNAME), 0, entry.name.data(), nullptr};
    if (!callback(entry.id, DPPLAYERTYPE_PLAYER, &name, playerFlags, context)) break;
  }
  return DP_OK;
}

HRESULT DirectPlay::Send(DPID from, DPID to, DWORD, LPVOID data, DWORD dataSize) {
  if (dataSize > wire::MaxMessageSize || (data == nullptr && dataSize != 0)) return DPERR_INVALIDPARAMS;
  const wire::ByteView bytes(static_cast<const std::uint8_t*>(data), dataSize);
  const Lock lock(mutex_);
  if (!connection_) return DPERR_UNINITIALIZED;
  // A peer whose game has not taken what it was sent has no room: wait, as a sender on a full
  // line does, until its game takes some, it or the session is gone, or the session lets it go
  // for holding the message up too long.
  const Clock::time_point waitingSince = Clock::now();
  for (;;) {
    if (!session_) return DPERR_INVALIDPLAYER;
    if (session_->Lost()) return DPERR_SESSIONLOST;
    if (const std::optional<HRESULT> result = session_->Send(from, to, bytes, waitingSince)) {
      arrived_.notify_all();  // for a local player of this side
      return *result;
    }
    WaitForTraffic(Clock::now() + WaitSlice);
    Service();
  }
}

HRESULT DirectPlay::Receive(DPID* from, DPID* to, DWORD flags, LPVOID data, DWORD* dataSize) {
  const Lock lock(mutex_);
  if (!connection_) return DPERR_UNINITIALIZED;
  Service(Endpoint::Reading::OneBatch);
  lastPoll_ = Clock::now();
  Origin taken;
  const HRESULT result = messages_.Receive(from, to, flags, data, dataSize, taken);
  if (session_ && taken.link != 0) session_->Taken(taken);
  return result;
}

// With a socket to watch, this thread watches it itself: handing the wait to the keeper and back
// would cost two thread wake-ups for every message, more than a message's way on a local network.
HRESULT DirectPlay::WaitForMessage(DWORD timeout) {
  Lock lock(mutex_);
  const std::uint64_t before = messages_.Arrivals();
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::milliseconds(timeout);
  Service(Endpoint::Reading::OneBatch);
  if (endpoint_) {
    watchingSocket_ = true;
    for (auto now = Clock::now(); endpoint_ && messages_.Arrivals() == before && now < deadline; now = Clock::now()) {
      Endpoint& endpoint = *endpoint_;
      lock.unlock();
      endpoint.WaitReadable(std::min(std::chrono::ceil<std::chrono::milliseconds>(deadline - now), WaitSlice));
      lock.lock();
      Service(Endpoint::Reading::OneBatch);
    }
    watchingSocket_ = false;
    lastPoll_ = Clock::now();
    keeperPause_.notify_all();
  } else {
    // The keeper takes in what arrives meanwhile and says so.
    lastPoll_ = {};
    keeperPause_.notify_all();
    arrived_.wait_until(lock, deadline, [&] { return messages_.Arrivals() != before; });
  }
  lock.unlock();
  // A program on a scripted clock waited in real time here; its clock goes along.
  platform::CurrentClock().RealTimePassed(
      static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count()));
  return DP_OK;
}

bool DirectPlay::OnDatagram(const ENetAddress& from, wire::ByteView bytes) {
  if (session_) session_->Heard(from, serviceTime_);
  if (!wire::IsServiceDatagram(bytes)) return false;
  const std::optional<wire::Datagram> datagram = wire::DecodeDatagram(bytes);
  if (!datagram) return true;
  std::visit(wire::Overloaded{
                 [&](const wire::Query& query) { Answer(from, query); },
                 [&](const wire::AnswerPart& part) { finder_.Answered(from, part, serviceTime_); },
                 [](const wire::Alive&) {},
             },
             *datagram);
  return true;
}

void DirectPlay::Answer(const ENetAddress& from, const wire::Query& query) {
  if (!session_ || session_->Lost()) return;
  const std::optional<wire::SessionInfo> advertised = session_->Advertised();
  if (!advertised || !limiter_.Allow(from.host, serviceTime_)) return;
  for (const wire::Bytes& part : wire::EncodeAnswer(query.nonce, ++answerSerial_, *advertised))
    endpoint_->SendDatagram(from, part);
}

void DirectPlay::OnEvent(const ENetEvent& event) {
  if (session_) {
    session_->OnEvent(event);
  } else if (event.type == ENET_EVENT_TYPE_CONNECT) {
    enet_peer_disconnect_now(event.peer, 0);  // nobody may connect outside a session
  }
}

void DirectPlay::Service(Endpoint::Reading reading) {
  if (!endpoint_) return;
  const std::uint64_t before = messages_.Arrivals();
  serviceTime_ = Clock::now();
  endpoint_->Service(*this, reading);
  if (session_) session_->KeepPeers(Clock::now());
  if (messages_.Arrivals() != before) arrived_.notify_all();
}

bool DirectPlay::EnsureEndpoint() {
  if (!endpoint_) endpoint_ = Endpoint::ForGuest(*connection_, watch_);
  return endpoint_ != nullptr;
}

void DirectPlay::WaitForTraffic(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  if (left.count() > 0) endpoint_->WaitReadable(std::min(left, WaitSlice));
}

void DirectPlay::SendQuery() {
  const std::vector<ENetAddress> targets = QueryTargets();
  if (targets.empty()) return;  // the address is not known yet: the next search asks
  const wire::Bytes query = wire::EncodeDatagram(wire::Query{finder_.Nonce()});
  for (const ENetAddress& target : targets) endpoint_->SendDatagram(target, query);
  finder_.Queried(Clock::now());
}

std::vector<ENetAddress> DirectPlay::QueryTargets() const {
  if (*connection_ != ConnectionKind::ByAddress) return dplay::QueryTargets(*connection_, portBase_);
  const std::optional<enet_uint32> host = sessionAddress_ ? sessionAddress_->Host() : std::nullopt;
  if (!host) return {};
  return AddressTargets(*host, sessionAddress_->Port(), portBase_);
}

HRESULT DirectPlay::SetSessionAddress(const char* address) {
  if (address == nullptr) return DPERR_INVALIDPARAMS;
  const Lock lock(mutex_);
  if (!connection_) return DPERR_UNINITIALIZED;
  if (*connection_ != ConnectionKind::ByAddress) return DPERR_UNSUPPORTED;
  sessionAddress_.emplace(address);
  finder_.EndSearch();  // answers from the last address are not this one's
  return DP_OK;
}

HRESULT DirectPlay::GetSessionAddressState(DWORD* state) {
  if (state == nullptr) return DPERR_INVALIDPARAMS;
  const Lock lock(mutex_);
  if (!sessionAddress_) {
    *state = DPADDRESS_NONE;
    return DP_OK;
  }
  switch (sessionAddress_->GetState()) {
    case AddressLookup::State::Resolving:
      *state = DPADDRESS_RESOLVING;
      break;
    case AddressLookup::State::Resolved:
      *state = DPADDRESS_RESOLVED;
      break;
    case AddressLookup::State::Unknown:
      *state = DPADDRESS_UNKNOWN;
      break;
    case AddressLookup::State::Invalid:
      *state = DPADDRESS_INVALID;
      break;
  }
  return DP_OK;
}

HRESULT DirectPlay::GetOwnAddresses(char* buffer, DWORD* size) {
  if (size == nullptr) return DPERR_INVALIDPARAMS;
  std::string text;
  for (const std::string& address : OwnAddresses()) text += (text.empty() ? "" : ", ") + address;
  const DWORD needed = static_cast<DWORD>(text.size() + 1);
  if (buffer == nullptr || *size < needed) {
    *size = needed;
    return DPERR_BUFFERTOOSMALL;
  }
  std::memcpy(buffer, text.c_str(), needed);
  *size = needed;
  return DP_OK;
}

void DirectPlay::KeepAlive(std::stop_token stop) {
  const std::stop_callback wake(stop, [this] {
    watch_.Wake();
    keeperPause_.notify_all();
  });
  Lock lock(mutex_);
  while (!stop.stop_requested()) {
    if (watchingSocket_) {
      keeperPause_.wait(lock);
      continue;
    }
    if (const Clock::time_point gameAway = lastPoll_ + GamePolling; Clock::now() < gameAway) {
      keeperPause_.wait_until(lock, gameAway);
      continue;
    }
    Service();
    const std::chrono::milliseconds wait = KeeperWait();
    lock.unlock();
    watch_.Wait(wait);
    lock.lock();
  }
}

std::chrono::milliseconds DirectPlay::KeeperWait() const {
  if (!session_) return KeeperIdle;
  const auto due = std::chrono::ceil<std::chrono::milliseconds>(session_->NextDuty() - Clock::now());
  return std::clamp(due, std::chrono::milliseconds(1), KeeperIdle);
}

}  // namespace platform::dplay
