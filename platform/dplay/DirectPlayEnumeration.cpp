// Finding sessions: EnumSessions of the DirectPlay object.

#include <algorithm>

#include "DirectPlay.h"

namespace platform::dplay {

namespace {

// Used when a timed enumeration asks for the service's own time-out (0).
constexpr std::chrono::milliseconds DefaultEnumTimeout{500};
// A timed enumeration repeats its query this often, should a datagram have been lost; a host
// answers one address some 20 times a second, so that several searches on one computer still fit.
constexpr std::chrono::milliseconds RequeryInterval{100};
// An asynchronous enumeration reports the sessions that answered this recently.
constexpr std::chrono::milliseconds RecentAnswers{2000};

GUID NoGuid() { return GUID{}; }

}  // namespace

struct DirectPlay::SessionFilter {
  GUID application;
  bool all;  // also sessions that take no new players

  bool Matches(const wire::SessionInfo& session) const {
    if (!(application == NoGuid()) && !(session.application == application)) return false;
    if (all) return true;
    const bool closed = (session.flags & (DPSESSION_NEWPLAYERSDISABLED | DPSESSION_JOINDISABLED)) != 0;
    return !closed && session.currentPlayers < wire::PlayerLimit(session.maxPlayers);
  }
};

namespace {

// Hands one session to the callback in DirectPlay's record; false when the callback wants no more.
bool Report(wire::SessionInfo session, LPDPENUMSESSIONSCALLBACK2 callback, LPVOID context) {
  DPSESSIONDESC2 description{};
  description.dwSize = sizeof description;
  description.dwFlags = session.flags;
  description.guidInstance = session.instance;
  description.guidApplication = session.application;
  description.dwMaxPlayers = session.maxPlayers;
  description.dwCurrentPlayers = session.currentPlayers;
  description.lpszSessionNameA = session.name.data();
  description.dwUser1 = session.user[0];
  description.dwUser2 = session.user[1];
  description.dwUser3 = session.user[2];
  description.dwUser4 = session.user[3];
  DWORD timeout = 0;
  return callback(&description, &timeout, 0, context) != FALSE;
}

}  // namespace

HRESULT DirectPlay::EnumSessions(DPSESSIONDESC2* description, DWORD timeout, LPDPENUMSESSIONSCALLBACK2 callback,
                                 LPVOID context, DWORD flags) {
  if (description == nullptr || description->dwSize != sizeof(DPSESSIONDESC2)) return DPERR_INVALIDPARAMS;
  Lock lock(mutex_);
  if (!connection_) return DPERR_UNINITIALIZED;
  if ((flags & DPENUMSESSIONS_STOPASYNC) != 0) {
    finder_.EndSearch();
    return DP_OK;
  }
  if (callback == nullptr) return DPERR_INVALIDPARAMS;
  if (!EnsureEndpoint()) return DPERR_NOCONNECTION;
  const SessionFilter filter{description->guidApplication, (flags & DPENUMSESSIONS_ALL) != 0};
  if ((flags & DPENUMSESSIONS_ASYNC) != 0) return EnumSessionsAsync(lock, filter, callback, context);
  return EnumSessionsTimed(lock, timeout, filter, callback, context);
}

HRESULT DirectPlay::EnumSessionsAsync(Lock& lock, const SessionFilter& filter, LPDPENUMSESSIONSCALLBACK2 callback,
                                      LPVOID context) {
  Service();
  // The asynchronous calls are one search until it is stopped or a timed one begins.
  if (!finder_.Searching()) finder_.BeginSearch();
  const Clock::time_point now = Clock::now();
  if (finder_.QueryDue(now)) SendQuery();
  const std::vector<wire::SessionInfo> sessions = finder_.AnsweredSince(now - RecentAnswers);
  lock.unlock();
  for (const wire::SessionInfo& session : sessions)
    if (filter.Matches(session) && !Report(session, callback, context)) return DP_OK;
  DWORD timeout = 0;
  callback(nullptr, &timeout, DPESC_TIMEDOUT, context);
  return DP_OK;
}

HRESULT DirectPlay::EnumSessionsTimed(Lock& lock, DWORD timeout, const SessionFilter& filter,
                                      LPDPENUMSESSIONSCALLBACK2 callback, LPVOID context) {
  std::vector<GUID> reported;
  std::chrono::milliseconds wait = timeout != 0 ? std::chrono::milliseconds(timeout) : DefaultEnumTimeout;
  finder_.BeginSearch();  // answers to earlier queries are not this enumeration's
  for (;;) {
    const Clock::time_point deadline = Clock::now() + wait;
    Clock::time_point nextQuery = Clock::now();
    for (;;) {
      if (Clock::now() >= nextQuery) {
        SendQuery();
        nextQuery += RequeryInterval;
      }
      Service();
      const std::vector<wire::SessionInfo> answers = finder_.TakeAnswers();
      lock.unlock();
      for (const wire::SessionInfo& session : answers) {
        const bool fresh = std::find(reported.begin(), reported.end(), session.instance) == reported.end();
        if (!fresh || !filter.Matches(session)) continue;
        reported.push_back(session.instance);
        if (!Report(session, callback, context)) return DP_OK;
      }
      lock.lock();
      if (Clock::now() >= deadline || !endpoint_) break;
      WaitForTraffic(std::min(deadline, nextQuery));
    }
    lock.unlock();
    DWORD more = static_cast<DWORD>(wait.count());
    if (!callback(nullptr, &more, DPESC_TIMEDOUT, context)) return DP_OK;
    lock.lock();
    if (!endpoint_) return DP_OK;
    wait = more != 0 ? std::chrono::milliseconds(more) : DefaultEnumTimeout;
  }
}

}  // namespace platform::dplay
