// The network object against a scripted DirectPlay: what it asks of the platform, and how it turns
// the platform's answers and failures into lists, results and errors.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib/network/VXGNetwork.h"
#include "platform/dplay/Com.h"

namespace {

struct ScriptedSession {
  DPSESSIONDESC2 description{};
  std::string name;
};

// What the scripted DirectPlay answers, and what it was asked.
struct Script {
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> connections = {{"Eins", {1, 2, 3}},
                                                                                {"Zwei", {4, 5, 6, 7}}};
  std::vector<ScriptedSession> sessions;
  std::vector<std::pair<DPID, std::string>> players;
  HRESULT enumConnections = DP_OK, enumSessions = DP_OK, enumPlayers = DP_OK, open = DP_OK, close = DP_OK,
          createPlayer = DP_OK, send = DP_OK, receive = DPERR_NOMESSAGES;
  DWORD receiveSize = 0;

  std::vector<std::uint8_t> initializedWith;
  const void* initializedAt = nullptr;
  DWORD enumSessionsSize = 0, enumSessionsTimeout = 0, enumSessionsFlags = 0;
  GUID enumSessionsApplication{};
  GUID enumPlayersInstance{};
  DWORD enumPlayersFlags = 0;
  DPSESSIONDESC2 opened{};
  std::string openedName;
  DWORD openFlags = 0;
  DWORD playerNameSize = 0;
  std::string playerName;
  DPID sentFrom = 0, sentTo = 0;
  DWORD sendFlags = 0;
  std::string sent;
};

class ScriptedDirectPlay final : public IDirectPlay3A {
 public:
  explicit ScriptedDirectPlay(Script& script) : script_(script) {}
  ULONG References() const { return references_; }

  HRESULT QueryInterface(REFIID, void** object) override {
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override { return --references_; }

  HRESULT Close() override { return script_.close; }
  HRESULT CreatePlayer(DPID* player, DPNAME* name, HANDLE, LPVOID, DWORD, DWORD) override {
    script_.playerNameSize = name->dwSize;
    script_.playerName = name->lpszShortNameA;
    *player = 4711;
    return script_.createPlayer;
  }
  HRESULT EnumPlayers(GUID* instance, LPDPENUMPLAYERSCALLBACK2 callback, LPVOID context, DWORD flags) override {
    script_.enumPlayersInstance = *instance;
    script_.enumPlayersFlags = flags;
    for (auto& [id, name] : script_.players) {
      const DPNAME dpName{sizeof(DPNAME), 0, name.data(), nullptr};
      if (!callback(id, DPPLAYERTYPE_PLAYER, &dpName, 0, context)) break;
    }
    return script_.enumPlayers;
  }
  HRESULT EnumSessions(DPSESSIONDESC2* description, DWORD timeout, LPDPENUMSESSIONSCALLBACK2 callback, LPVOID context,
                       DWORD flags) override {
    script_.enumSessionsSize = description->dwSize;
    script_.enumSessionsApplication = description->guidApplication;
    script_.enumSessionsTimeout = timeout;
    script_.enumSessionsFlags = flags;
    for (ScriptedSession& session : script_.sessions) {
      session.description.lpszSessionNameA = session.name.data();
      DWORD left = 0;
      if (!callback(&session.description, &left, 0, context)) return script_.enumSessions;
    }
    DWORD left = 0;
    EXPECT_FALSE(callback(nullptr, &left, DPESC_TIMEDOUT, context));
    return script_.enumSessions;
  }
  HRESULT Open(DPSESSIONDESC2* description, DWORD flags) override {
    script_.opened = *description;
    script_.openedName = description->lpszSessionNameA != nullptr ? description->lpszSessionNameA : "";
    script_.openFlags = flags;
    return script_.open;
  }
  HRESULT Receive(DPID* from, DPID* to, DWORD, LPVOID data, DWORD* dataSize) override {
    if (script_.receive == DPERR_BUFFERTOOSMALL) *dataSize = script_.receiveSize;
    if (script_.receive == DP_OK) {
      *from = 11;
      *to = 22;
      std::memcpy(data, "abc", 3);
      *dataSize = 3;
    }
    return script_.receive;
  }
  HRESULT Send(DPID from, DPID to, DWORD flags, LPVOID data, DWORD dataSize) override {
    script_.sentFrom = from;
    script_.sentTo = to;
    script_.sendFlags = flags;
    script_.sent.assign(static_cast<const char*>(data), dataSize);
    return script_.send;
  }
  HRESULT EnumConnections(const GUID*, LPDPENUMCONNECTIONSCALLBACK callback, LPVOID context, DWORD flags) override {
    EXPECT_EQ(flags, 0u);
    for (auto& [name, data] : script_.connections) {
      const DPNAME dpName{sizeof(DPNAME), 0, name.data(), nullptr};
      if (!callback(&DPSPGUID_TCPIP, data.data(), static_cast<DWORD>(data.size()), &dpName, 0, context)) break;
    }
    return script_.enumConnections;
  }
  HRESULT InitializeConnection(LPVOID connection, DWORD) override {
    script_.initializedAt = connection;
    const auto* bytes = static_cast<const std::uint8_t*>(connection);
    script_.initializedWith.assign(bytes, bytes + 4);
    return DP_OK;
  }

 private:
  Script& script_;
  ULONG references_ = 0;
};

constexpr GUID Application = {0x11223344, 0x5566, 0x7788, {0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x01}};
constexpr GUID Instance = {0xCAFE, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
const std::string IndexError =
    "Der Index der Liste \xFC"
    "berschreitet das Maximum (";

class VXGNetworkTest : public testing::Test {
 protected:
  // Every DirectPlay object the network creates is a scripted one.
  platform::dplay::ClassRegistration registration{CLSID_DirectPlay, [this](REFIID riid, LPVOID* object) {
                                                    if (failCreation) return failCreation;
                                                    made.push_back(std::make_unique<ScriptedDirectPlay>(script));
                                                    return made.back()->QueryInterface(riid, object);
                                                  }};
  Script script;
  HRESULT failCreation = S_OK;
  std::vector<std::unique_ptr<ScriptedDirectPlay>> made;
};

template <class Error = EVXGNetworkError, class Action>
std::string MessageOf(Action action) {
  try {
    action();
  } catch (const Error& e) {
    return e.Message();
  }
  return "no exception";
}

TEST_F(VXGNetworkTest, ListsTheConnectionsAndInitialisesAFreshObjectWithACopy) {
  {
    TVXGNetwork network;
    const TVXGNetworkDriverList& drivers = network.Drivers();
    ASSERT_EQ(drivers.Count(), 2);
    EXPECT_EQ(drivers.GetDriver(0).Name, "Eins");
    const TVXGNetworkDriver second = drivers.GetDriver(1);
    EXPECT_EQ(second.Name, "Zwei");
    EXPECT_EQ(std::memcmp(second.Connection, script.connections[1].second.data(), 4), 0);
    EXPECT_NE(second.Connection, static_cast<void*>(script.connections[1].second.data()));

    network.AssignDriver(1);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0]->References(), 0u);  // the first object is released
    EXPECT_EQ(script.initializedAt, second.Connection);
    EXPECT_EQ(script.initializedWith, script.connections[1].second);

    EXPECT_EQ(MessageOf<EListError>([&] { network.AssignDriver(2); }), IndexError + "2)");
    EXPECT_EQ(MessageOf<EListError>([&] { drivers.GetDriver(-1); }), IndexError + "-1)");
  }
  for (const auto& directPlay : made) EXPECT_EQ(directPlay->References(), 0u);
}

TEST_F(VXGNetworkTest, FailuresToCreateRaiseUnderTheirClassNames) {
  failCreation = CLASS_E_NOAGGREGATION;
  EXPECT_EQ(MessageOf([] { TVXGNetwork network; }),
            "TVXGNetwork.CreateNetwork:\rThe object does not support aggregation.");
  failCreation = S_OK;
  script.enumConnections = DPERR_OUTOFMEMORY;
  EXPECT_EQ(MessageOf([] { TVXGNetwork network; }),
            "TVXGNetworkDriverList.Create:\rThere is not enough memory to perform the requested operation.");
  for (const auto& directPlay : made) EXPECT_EQ(directPlay->References(), 0u);
}

TEST_F(VXGNetworkTest, RefreshSessionsWaitsOrAsksAsynchronouslyAndCopiesEverySession) {
  TVXGNetwork network;
  EXPECT_EQ(network.Sessions(), nullptr);
  ScriptedSession session;
  session.description.dwSize = sizeof(DPSESSIONDESC2);
  session.description.dwFlags = 0x44;
  session.description.dwMaxPlayers = 4;
  session.description.dwCurrentPlayers = 1;
  session.description.guidInstance = Instance;
  session.description.guidApplication = Application;
  session.description.dwUser1 = 1;
  session.description.dwUser4 = 4;
  session.name = "Veltranzik10";
  script.sessions = {session, session};
  script.sessions[1].name = "Zweite";

  network.RefreshSessions(Application, 100);
  EXPECT_EQ(script.enumSessionsTimeout, 100u);
  EXPECT_EQ(script.enumSessionsFlags, 0u);
  EXPECT_EQ(script.enumSessionsSize, sizeof(DPSESSIONDESC2));
  EXPECT_TRUE(script.enumSessionsApplication == Application);
  ASSERT_NE(network.Sessions(), nullptr);
  ASSERT_EQ(network.Sessions()->Count(), 2);
  const TVXGSession first = network.Sessions()->GetSession(0);
  EXPECT_EQ(first.Name, "Veltranzik10");
  EXPECT_EQ(first.Flags, 0x44u);
  EXPECT_EQ(first.MaxPlayers, 4u);
  EXPECT_EQ(first.CurrentPlayers, 1u);
  EXPECT_TRUE(first.Instance == Instance);
  EXPECT_TRUE(first.Application == Application);
  EXPECT_EQ(first.User, (std::array<std::uint32_t, 4>{1, 0, 0, 4}));
  EXPECT_EQ(network.Sessions()->GetSession(1).Name, "Zweite");
  EXPECT_EQ(MessageOf<EListError>([&] { network.Sessions()->GetSession(-1); }), IndexError + "-1)");

  network.RefreshSessions(GUID{}, -1);
  EXPECT_EQ(script.enumSessionsTimeout, 0u);
  EXPECT_EQ(script.enumSessionsFlags, DPENUMSESSIONS_ASYNC);
  EXPECT_TRUE(script.enumSessionsApplication == GUID{});
}

TEST_F(VXGNetworkTest, AFailedRefreshLeavesNoListAndTheNetworkUsable) {
  TVXGNetwork network;
  script.sessions = {ScriptedSession{{}, "Halb"}};
  network.RefreshSessions(GUID{}, 100);
  script.enumSessions = DPERR_NOCONNECTION;
  try {
    network.RefreshSessions(GUID{}, 100);
    FAIL() << "no exception";
  } catch (const EVXGNetworkError& e) {
    EXPECT_EQ(e.Message(), "TVXGSessionList.Create:\rNo communication link was established.");
    EXPECT_EQ(e.ErrorCode(), DPERR_NOCONNECTION);
  }
  EXPECT_EQ(network.Sessions(), nullptr);

  script.enumPlayers = MakeResult(0x88770999);
  EXPECT_EQ(MessageOf([&] { network.RefreshPlayers(GUID{}); }), "TVXGPlayerList.Create:\rUnrecognized Error");
  EXPECT_EQ(network.Players(), nullptr);

  script.enumSessions = DP_OK;
  network.RefreshSessions(GUID{}, 100);
  EXPECT_EQ(network.Sessions()->Count(), 1);
}

TEST_F(VXGNetworkTest, RefreshPlayersListsTheOpenSessionOrTheOneNamed) {
  TVXGNetwork network;
  script.players = {{5, "Anna"}, {9, "Bernd"}};
  network.RefreshPlayers(GUID{});
  EXPECT_EQ(script.enumPlayersFlags, 0u);
  ASSERT_EQ(network.Players()->Count(), 2);
  EXPECT_EQ(network.Players()->GetPlayer(1).Name, "Bernd");
  EXPECT_EQ(network.Players()->GetPlayer(1).ID, 9u);
  EXPECT_EQ(MessageOf<EListError>([&] { network.Players()->GetPlayer(2); }), IndexError + "2)");

  network.RefreshPlayers(Instance);
  EXPECT_EQ(script.enumPlayersFlags, DPENUMPLAYERS_SESSION);
  EXPECT_TRUE(script.enumPlayersInstance == Instance);
}

TEST_F(VXGNetworkTest, CreatesAndJoinsSessionsAndPlayersAndSends) {
  TVXGNetwork network;
  network.CreateSession("Veltranzik10", Application, 4);
  EXPECT_EQ(script.openFlags, DPOPEN_CREATE);
  EXPECT_EQ(script.opened.dwSize, sizeof(DPSESSIONDESC2));
  EXPECT_EQ(script.opened.dwFlags, 0x44u);
  EXPECT_TRUE(script.opened.guidApplication == Application);
  EXPECT_EQ(script.opened.dwMaxPlayers, 4u);
  EXPECT_EQ(script.openedName, "Veltranzik10");
  EXPECT_EQ(script.opened.lpszPasswordA, nullptr);

  network.JoinSession(Instance);
  EXPECT_EQ(script.openFlags, DPOPEN_JOIN);
  EXPECT_TRUE(script.opened.guidInstance == Instance);
  EXPECT_EQ(script.opened.dwFlags, 0u);
  EXPECT_EQ(script.opened.lpszSessionNameA, nullptr);

  EXPECT_EQ(network.CreatePlayer("Anna"), 4711u);
  EXPECT_EQ(script.playerNameSize, sizeof(DPNAME));
  EXPECT_EQ(script.playerName, "Anna");

  network.Send(4711, 0, "\0\0\0\0y|", 6);
  EXPECT_EQ(script.sentFrom, 4711u);
  EXPECT_EQ(script.sentTo, 0u);
  EXPECT_EQ(script.sendFlags, 0u);
  EXPECT_EQ(script.sent, std::string("\0\0\0\0y|", 6));

  script.open = DPERR_NONEWPLAYERS;
  EXPECT_EQ(MessageOf([&] { network.JoinSession(Instance); }),
            "TVXGNetwork.JoinSession:\rThe session is not accepting any new players.");
  script.send = DPERR_INVALIDPLAYER;
  EXPECT_EQ(MessageOf([&] { network.Send(1, 2, "x", 1); }),
            "TVXGNetwork.Send:\rThe player ID is not recognized as a valid player ID for this session.");
  script.close = DPERR_SESSIONLOST;
  EXPECT_EQ(MessageOf([&] { network.LeaveSession(); }),
            "TVXGNetwork.LeaveSession:\rThe connection to the session has been lost.");
}

TEST_F(VXGNetworkTest, ReceiveReportsMessagesTooLargeOnesAndNoneWithoutRaising) {
  TVXGNetwork network;
  char data[8] = "-------";
  std::uint32_t from = 0;
  std::uint32_t to = 0;
  std::uint32_t size = sizeof data;

  script.receive = DPERR_NOMESSAGES;
  EXPECT_FALSE(network.Receive(from, to, data, size));

  script.receive = DPERR_BUFFERTOOSMALL;
  script.receiveSize = 300;
  EXPECT_TRUE(network.Receive(from, to, data, size));
  EXPECT_EQ(size, 300u);
  EXPECT_STREQ(data, "-------");

  script.receive = DP_OK;
  size = sizeof data;
  EXPECT_TRUE(network.Receive(from, to, data, size));
  EXPECT_EQ(from, 11u);
  EXPECT_EQ(to, 22u);
  EXPECT_EQ(std::string(data, size), "abc");

  script.receive = DPERR_INVALIDPARAMS;
  try {
    network.Receive(from, to, data, size);
    FAIL() << "no exception";
  } catch (const EVXGNetworkError& e) {
    EXPECT_EQ(e.Message(), "TVXGNetwork.Receive:\rOne or more of the parameters passed to the method are invalid.");
    EXPECT_EQ(e.ErrorCode(), DPERR_INVALIDPARAMS);
  }
}

TEST_F(VXGNetworkTest, AFailedCreationKeepsTheObjectItWouldHaveReplaced) {
  TVXGNetwork network;
  ASSERT_EQ(made.size(), 1u);
  failCreation = E_OUTOFMEMORY;
  for (const auto& replace : {std::function<void()>([&] { network.CreateNetwork(); }),
                              std::function<void()>([&] { network.AssignDriver(0); })}) {
    try {
      replace();
      FAIL() << "no exception";
    } catch (const EVXGNetworkError& e) {
      EXPECT_EQ(e.Message(), "TVXGNetwork.CreateNetwork:\r" + DirectPlayErrorText(E_OUTOFMEMORY));
      EXPECT_EQ(e.ErrorCode(), E_OUTOFMEMORY);
    }
    ASSERT_EQ(network.DirectPlay(), made[0].get());
    EXPECT_EQ(made[0]->References(), 1u);
  }
  network.Send(1, 2, "x", 1);
  EXPECT_EQ(script.sent, "x") << "the network still works";

  failCreation = S_OK;
  network.CreateNetwork();
  ASSERT_EQ(made.size(), 2u);
  EXPECT_EQ(network.DirectPlay(), made[1].get());
  EXPECT_EQ(made[0]->References(), 0u) << "released once the new one exists";
}

TEST(DirectPlayErrorText, HasASentenceForEveryResultTheServiceGives) {
  for (const HRESULT code :
       {DPERR_ALREADYINITIALIZED, DPERR_BUFFERTOOSMALL, DPERR_CANTADDPLAYER, DPERR_CANTCREATEPLAYER,
        DPERR_CANTCREATESESSION,  DPERR_GENERIC,        DPERR_INVALIDFLAGS,  DPERR_INVALIDPARAMS,
        DPERR_INVALIDPLAYER,      DPERR_NOCONNECTION,   DPERR_NOMESSAGES,    DPERR_NOSESSIONS,
        DPERR_NONEWPLAYERS,       DPERR_OUTOFMEMORY,    DPERR_SESSIONLOST,   DPERR_TIMEOUT,
        DPERR_UNINITIALIZED,      DPERR_UNSUPPORTED,    DPERR_NOINTERFACE,   CLASS_E_NOAGGREGATION}) {
    EXPECT_NE(DirectPlayErrorText(code), "Unrecognized Error") << std::hex << code;
  }
  EXPECT_EQ(DirectPlayErrorText(MakeResult(0x887700FF)), "Unrecognized Error");
  EXPECT_EQ(DirectPlayErrorText(E_POINTER), "Unrecognized Error");
}

}  // namespace
