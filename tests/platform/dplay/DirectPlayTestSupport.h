#pragma once
// Helpers for driving DirectPlay objects the way the game library does, on this computer alone.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "TestQueryPorts.h"
#include "platform/dplay/Com.h"
#include "platform/dplay/DPlay.h"

namespace dplay_test {

inline constexpr int LocalNetwork = 0;
inline constexpr int ThisComputer = 1;
inline constexpr GUID Application = {0x6D0C2A31, 0x1F45, 0x4E7B, {0x9A, 0x60, 0x2C, 0x11, 0x8E, 0x05, 0xD4, 0x73}};

class ComThread {
 public:
  ComThread() { CoInitialize(nullptr); }
  ~ComThread() { CoUninitialize(); }
  ComThread(const ComThread&) = delete;
  ComThread& operator=(const ComThread&) = delete;
};

// A test on query ports of its own, so that tests running at the same time answer only their own
// queries, on a thread with COM.
class OwnPortsTest : public testing::Test {
 protected:
  void SetUp() override {
    ports = FreePortBlock();
    ASSERT_NE(ports, 0) << "no free block of query ports";
    UseQueryPorts(ports);
  }

  ComThread com;
  std::uint16_t ports = 0;
};

struct ConnectionEntry {
  GUID provider{};
  std::vector<std::uint8_t> data;
  std::string name;
  DWORD flags = 0;
};

inline std::vector<ConnectionEntry> ListConnections(IDirectPlay3A& directPlay) {
  std::vector<ConnectionEntry> connections;
  const auto add = [](const GUID* provider, LPVOID data, DWORD size, const DPNAME* name, DWORD flags,
                      LPVOID context) -> BOOL {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    static_cast<std::vector<ConnectionEntry>*>(context)->push_back(
        {*provider, {bytes, bytes + size}, name->lpszShortNameA, flags});
    return TRUE;
  };
  EXPECT_EQ(directPlay.EnumConnections(nullptr, add, &connections, 0), DP_OK);
  return connections;
}

inline ComPtr<IDirectPlay3A> NewDirectPlay() {
  ComPtr<IDirectPlay3A> directPlay;
  EXPECT_EQ(CoCreateInstance(CLSID_DirectPlay, nullptr, CLSCTX_INPROC_SERVER, IID_IDirectPlay3A, directPlay.PutVoid()),
            S_OK);
  return directPlay;
}

// A DirectPlay object on connection Index, with the query ports the environment names.
inline ComPtr<IDirectPlay3A> Connected(int index) {
  ComPtr<IDirectPlay3A> directPlay = NewDirectPlay();
  std::vector<ConnectionEntry> connections = ListConnections(*directPlay.Get());
  EXPECT_EQ(directPlay->InitializeConnection(connections.at(static_cast<std::size_t>(index)).data.data(), 0), DP_OK);
  return directPlay;
}

inline HRESULT HostSession(IDirectPlay3A& directPlay, const char* name, DWORD maxPlayers,
                           DWORD flags = DPSESSION_MIGRATEHOST | DPSESSION_KEEPALIVE) {
  std::string sessionName = name;
  DPSESSIONDESC2 description{};
  description.dwSize = sizeof description;
  description.dwFlags = flags;
  description.guidApplication = Application;
  description.dwMaxPlayers = maxPlayers;
  description.lpszSessionNameA = sessionName.data();
  return directPlay.Open(&description, DPOPEN_CREATE);
}

struct FoundSession {
  DPSESSIONDESC2 description{};
  std::string name;
};

inline std::vector<FoundSession> FindSessions(IDirectPlay3A& directPlay, DWORD timeout, DWORD flags = 0,
                                              const GUID& application = GUID{}) {
  std::vector<FoundSession> found;
  DPSESSIONDESC2 description{};
  description.dwSize = sizeof description;
  description.guidApplication = application;
  const auto add = [](const DPSESSIONDESC2* session, DWORD*, DWORD callbackFlags, LPVOID context) -> BOOL {
    if ((callbackFlags & DPESC_TIMEDOUT) != 0) return FALSE;
    static_cast<std::vector<FoundSession>*>(context)->push_back({*session, session->lpszSessionNameA});
    return TRUE;
  };
  EXPECT_EQ(directPlay.EnumSessions(&description, timeout, add, &found, flags), DP_OK);
  return found;
}

// Searches again and again until Count sessions are found or Limit has passed, as a player would;
// one short search may miss an answer on a busy machine.
inline std::vector<FoundSession> FindSessionsUntil(IDirectPlay3A& directPlay, std::size_t count, DWORD flags = 0,
                                                   const GUID& application = GUID{},
                                                   std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::vector<FoundSession> found;
  do {
    found = FindSessions(directPlay, 100, flags, application);
  } while (found.size() < count && std::chrono::steady_clock::now() < deadline);
  return found;
}

inline HRESULT JoinSession(IDirectPlay3A& directPlay, const GUID& instance) {
  DPSESSIONDESC2 description{};
  description.dwSize = sizeof description;
  description.guidInstance = instance;
  return directPlay.Open(&description, DPOPEN_JOIN);
}

// Finds the one session on this computer and joins it.
inline void FindAndJoin(IDirectPlay3A& directPlay) {
  const std::vector<FoundSession> found = FindSessionsUntil(directPlay, 1);
  ASSERT_EQ(found.size(), 1u);
  ASSERT_EQ(JoinSession(directPlay, found[0].description.guidInstance), DP_OK);
}

inline DPID NewPlayer(IDirectPlay3A& directPlay, const char* name) {
  std::string playerName = name;
  DPNAME dpName{sizeof(DPNAME), 0, playerName.data(), nullptr};
  DPID id = 0;
  EXPECT_EQ(directPlay.CreatePlayer(&id, &dpName, nullptr, nullptr, 0, 0), DP_OK);
  return id;
}

struct PlayerName {
  DPID id = 0;
  std::string name;
  DWORD flags = 0;
  bool operator==(const PlayerName&) const = default;
};

inline std::vector<PlayerName> ListPlayers(IDirectPlay3A& directPlay, GUID* instance = nullptr, DWORD flags = 0) {
  std::vector<PlayerName> players;
  const auto add = [](DPID id, DWORD, const DPNAME* name, DWORD playerFlags, LPVOID context) -> BOOL {
    static_cast<std::vector<PlayerName>*>(context)->push_back({id, name->lpszShortNameA, playerFlags});
    return TRUE;
  };
  EXPECT_EQ(directPlay.EnumPlayers(instance, add, &players, flags), DP_OK);
  return players;
}

inline HRESULT SendText(IDirectPlay3A& directPlay, DPID from, DPID to, std::string text) {
  return directPlay.Send(from, to, 0, text.data(), static_cast<DWORD>(text.size()));
}

// A received message; a system message is read out while its buffer lives, its name checked to
// lie inside the buffer right after the record.
struct Message {
  DPID from = 0;
  DPID to = 0;
  std::string text;
  DWORD systemType = 0;
  DPID player = 0;
  std::string playerName;
  DWORD currentPlayers = 0;
};

template <class Record>
void ReadPlayerRecord(const std::vector<std::uint8_t>& buffer, DWORD size, Message& message) {
  Record record;
  ASSERT_GE(size, sizeof record);
  std::memcpy(&record, buffer.data(), sizeof record);
  EXPECT_EQ(record.dwPlayerType, DPPLAYERTYPE_PLAYER);
  EXPECT_EQ(record.dpnName.dwSize, sizeof(DPNAME));
  EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(record.dpnName.lpszShortNameA), buffer.data() + sizeof record);
  message.player = record.dpId;
  message.playerName = record.dpnName.lpszShortNameA;
  EXPECT_EQ(size, sizeof record + message.playerName.size() + 1);
}

inline std::optional<Message> ReceiveOnce(IDirectPlay3A& directPlay) {
  std::vector<std::uint8_t> buffer(70000);
  DWORD size = static_cast<DWORD>(buffer.size());
  Message message;
  const HRESULT result = directPlay.Receive(&message.from, &message.to, 0, buffer.data(), &size);
  if (result == DPERR_NOMESSAGES) return std::nullopt;
  EXPECT_EQ(result, DP_OK);
  if (result != DP_OK) return std::nullopt;
  if (message.from == DPID_SYSMSG) {
    std::memcpy(&message.systemType, buffer.data(), sizeof(DWORD));
    if (message.systemType == DPSYS_CREATEPLAYERORGROUP) {
      ReadPlayerRecord<DPMSG_CREATEPLAYERORGROUP>(buffer, size, message);
      DPMSG_CREATEPLAYERORGROUP record;
      std::memcpy(&record, buffer.data(), sizeof record);
      message.currentPlayers = record.dwCurrentPlayers;
    } else if (message.systemType == DPSYS_DESTROYPLAYERORGROUP) {
      ReadPlayerRecord<DPMSG_DESTROYPLAYERORGROUP>(buffer, size, message);
    } else {
      EXPECT_EQ(size, sizeof(DPMSG_GENERIC));
    }
  } else {
    message.text.assign(reinterpret_cast<const char*>(buffer.data()), size);
  }
  return message;
}

// Polls until a message arrives or Limit has passed.
inline std::optional<Message> ReceiveWithin(IDirectPlay3A& directPlay, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (std::optional<Message> message = ReceiveOnce(directPlay)) return message;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// The first Count messages that arrive within Limit, then any that follow within a moment.
inline std::vector<Message> ReceiveAll(IDirectPlay3A& directPlay, std::size_t count,
                                       std::chrono::milliseconds limit = std::chrono::seconds(2)) {
  std::vector<Message> messages;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (messages.size() < count) {
    std::optional<Message> message = ReceiveWithin(
        directPlay, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()));
    if (!message) break;
    messages.push_back(*message);
  }
  while (std::optional<Message> surplus = ReceiveWithin(directPlay, std::chrono::milliseconds(100)))
    messages.push_back(*surplus);
  return messages;
}

}  // namespace dplay_test
