#pragma once
// The network unit's lists: snapshots of the connections, the sessions found and the players of a
// session, each made by one enumeration when the list is created and never updated after.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lib/network/VXGNetworkError.h"
#include "platform/dplay/DPlay.h"

class TVXGNetworkObject : public TVXGObject {
 public:
  ~TVXGNetworkObject() noexcept override = default;
};

class TVXGNetwork;

// One DirectPlay connection.
struct TVXGNetworkDriver {
  std::string Name;
  GUID ServiceProvider{};      // tells the kind of connection
  void* Connection = nullptr;  // the list's copy of the connection data, shared by every copy of the record
};

// One session as enumerated.
struct TVXGSession {
  std::uint32_t Flags = 0;
  std::uint32_t MaxPlayers = 0;
  std::uint32_t CurrentPlayers = 0;
  GUID Instance{};  // names this session when joining
  GUID Application{};
  std::string Name;
  std::array<std::uint32_t, 4> User{};
};

// One player of a session.
struct TVXGPlayer {
  std::string Name;
  std::uint32_t ID = 0;
};

template <class Record>
class TVXGNetworkList : public TVXGNetworkObject {
 public:
  int Count() const { return static_cast<int>(records_.size()); }

 protected:
  // The record at Index; outside the list, the list's index error.
  const Record& At(int Index) const;
  void Add(Record record) { records_.push_back(std::move(record)); }

 private:
  std::vector<Record> records_;
};

class TVXGNetworkDriverList final : public TVXGNetworkList<TVXGNetworkDriver> {
 public:
  explicit TVXGNetworkDriverList(const TVXGNetwork& Network);
  TVXGNetworkDriver GetDriver(int Index) const { return At(Index); }

 private:
  static BOOL Enumerated(const GUID* serviceProvider, LPVOID connection, DWORD connectionSize, const DPNAME* name,
                         DWORD flags, LPVOID context);
  std::vector<std::unique_ptr<std::byte[]>> connections_;
};

class TVXGSessionList final : public TVXGNetworkList<TVXGSession> {
 public:
  // Timeout < 0 enumerates asynchronously: what a background query has found so far.
  TVXGSessionList(const TVXGNetwork& Network, const GUID& ApplicationGUID, std::int32_t Timeout);
  TVXGSession GetSession(int Index) const { return At(Index); }

 private:
  static BOOL Enumerated(const DPSESSIONDESC2* session, DWORD* timeout, DWORD flags, LPVOID context);
};

class TVXGPlayerList final : public TVXGNetworkList<TVXGPlayer> {
 public:
  // The all-zero GUID lists the open session's players, any other GUID that session's.
  TVXGPlayerList(const TVXGNetwork& Network, const GUID& SessionGUID);
  TVXGPlayer GetPlayer(int Index) const { return At(Index); }

 private:
  static BOOL Enumerated(DPID player, DWORD playerType, const DPNAME* name, DWORD flags, LPVOID context);
};
