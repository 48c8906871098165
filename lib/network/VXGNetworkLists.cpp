#include "lib/network/VXGNetworkLists.h"

#include <cstring>

#include "lib/VXTools.h"
#include "lib/network/VXGNetwork.h"
#include "lib/runtime/Exception.h"

namespace {

std::string NameOf(const char* name) { return name != nullptr ? std::string(name) : std::string(); }

// Callbacks answer FALSE when anything in them fails: that ends the enumeration.
template <class Body>
BOOL Guarded(Body body) {
  try {
    return body();
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

template <class Record>
const Record& TVXGNetworkList<Record>::At(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(
        "Der Index der Liste \xFC"
        "berschreitet das Maximum (" +
        std::to_string(Index) + ")");
  return records_[static_cast<std::size_t>(Index)];
}

template class TVXGNetworkList<TVXGNetworkDriver>;
template class TVXGNetworkList<TVXGSession>;
template class TVXGNetworkList<TVXGPlayer>;

TVXGNetworkDriverList::TVXGNetworkDriverList(const TVXGNetwork& Network) {
  CheckResult<EVXGNetworkError>(*this, "Create", Network.DirectPlay()->EnumConnections(nullptr, &Enumerated, this, 0));
}

BOOL TVXGNetworkDriverList::Enumerated(const GUID* serviceProvider, LPVOID connection, DWORD connectionSize,
                                       const DPNAME* name, DWORD, LPVOID context) {
  return Guarded([&] {
    auto& list = *static_cast<TVXGNetworkDriverList*>(context);
    auto copy = std::make_unique<std::byte[]>(connectionSize);
    std::memcpy(copy.get(), connection, connectionSize);
    list.Add({NameOf(name != nullptr ? name->lpszShortNameA : nullptr),
              serviceProvider != nullptr ? *serviceProvider : GUID{}, copy.get()});
    list.connections_.push_back(std::move(copy));
    return TRUE;
  });
}

TVXGSessionList::TVXGSessionList(const TVXGNetwork& Network, const GUID& ApplicationGUID, std::int32_t Timeout) {
  DPSESSIONDESC2 description;
  ClearSized(description);
  description.guidApplication = ApplicationGUID;
  const bool async = Timeout < 0;
  const DWORD timeout = async ? 0 : static_cast<DWORD>(Timeout);
  CheckResult<EVXGNetworkError>(
      *this, "Create",
      Network.DirectPlay()->EnumSessions(&description, timeout, &Enumerated, this, async ? DPENUMSESSIONS_ASYNC : 0));
}

BOOL TVXGSessionList::Enumerated(const DPSESSIONDESC2* session, DWORD*, DWORD flags, LPVOID context) {
  if ((flags & DPESC_TIMEDOUT) != 0) return FALSE;
  return Guarded([&] {
    TVXGSession record;
    record.Flags = session->dwFlags;
    record.MaxPlayers = session->dwMaxPlayers;
    record.CurrentPlayers = session->dwCurrentPlayers;
    record.Instance = session->guidInstance;
    record.Application = session->guidApplication;
    record.Name = NameOf(session->lpszSessionNameA);
    record.User = {session->dwUser1, session->dwUser2, session->dwUser3, session->dwUser4};
    static_cast<TVXGSessionList*>(context)->Add(std::move(record));
    return TRUE;
  });
}

TVXGPlayerList::TVXGPlayerList(const TVXGNetwork& Network, const GUID& SessionGUID) {
  GUID session = SessionGUID;
  const DWORD flags = SameGUID(SessionGUID, GUID{}) ? 0 : DPENUMPLAYERS_SESSION;
  CheckResult<EVXGNetworkError>(*this, "Create", Network.DirectPlay()->EnumPlayers(&session, &Enumerated, this, flags));
}

BOOL TVXGPlayerList::Enumerated(DPID player, DWORD, const DPNAME* name, DWORD, LPVOID context) {
  return Guarded([&] {
    static_cast<TVXGPlayerList*>(context)->Add({NameOf(name != nullptr ? name->lpszShortNameA : nullptr), player});
    return TRUE;
  });
}
