#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "DirectPlayTestSupport.h"
#include "platform/dplay/DirectPlayAddress.h"
#include "platform/dplay/DirectPlayWait.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;

class DirectPlayTest : public OwnPortsTest {};

TEST_F(DirectPlayTest, IsCreatedThroughComOnAnInitialisedThreadOnly) {
  HRESULT uninitialised = S_OK;
  std::thread([&] {
    void* object = &uninitialised;
    uninitialised = CoCreateInstance(CLSID_DirectPlay, nullptr, CLSCTX_INPROC_SERVER, IID_IDirectPlay3A, &object);
    EXPECT_EQ(object, nullptr);
  }).join();
  EXPECT_EQ(uninitialised, CO_E_NOTINITIALIZED);

  void* object = nullptr;
  IUnknown* outer = reinterpret_cast<IUnknown*>(&object);
  EXPECT_EQ(CoCreateInstance(CLSID_DirectPlay, outer, CLSCTX_INPROC_SERVER, IID_IDirectPlay3A, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(CoCreateInstance(IID_IDirectPlay3A, nullptr, CLSCTX_INPROC_SERVER, IID_IDirectPlay3A, &object),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(CoCreateInstance(CLSID_DirectPlay, nullptr, CLSCTX_INPROC_SERVER, CLSID_DirectPlay, &object),
            E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);

  ComPtr<IDirectPlay3A> directPlay = NewDirectPlay();
  ComPtr<IUnknown> unknown;
  ASSERT_EQ(directPlay->QueryInterface(IID_IUnknown, unknown.PutVoid()), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown.Get()), static_cast<void*>(directPlay.Get()));
}

TEST_F(DirectPlayTest, OffersTheLocalNetworkThenThisComputerThenAnAddress) {
  ComPtr<IDirectPlay3A> directPlay = NewDirectPlay();
  const std::vector<ConnectionEntry> connections = ListConnections(*directPlay.Get());
  ASSERT_EQ(connections.size(), 3u);
  EXPECT_EQ(connections[0].name, "Lokales Netzwerk (UDP/IP)");
  EXPECT_EQ(connections[0].provider, DPSPGUID_TCPIP);
  EXPECT_EQ(connections[1].name, "Nur dieser Computer (Loopback)");
  EXPECT_EQ(connections[2].name,
            "\xDC"
            "ber Adresse (Internet, VPN)");
  EXPECT_EQ(connections[2].provider, DPSPGUID_ADDRESS);
  for (const ConnectionEntry& connection : connections) EXPECT_EQ(connection.flags, DPCONNECTION_DIRECTPLAY);
  EXPECT_NE(connections[0].data, connections[1].data);
  EXPECT_NE(connections[1].data, connections[2].data);

  // Nothing but a connection's own data initialises, and only once.
  DPSESSIONDESC2 description{};
  description.dwSize = sizeof description;
  EXPECT_EQ(HostSession(*directPlay.Get(), "x", 2), DPERR_UNINITIALIZED);
  EXPECT_EQ(directPlay->EnumSessions(
                &description, 10, [](auto...) -> BOOL { return FALSE; }, nullptr, 0),
            DPERR_UNINITIALIZED);
  std::vector<std::uint8_t> garbage(connections[1].data.size(), 0x5A);
  EXPECT_EQ(directPlay->InitializeConnection(garbage.data(), 0), DPERR_INVALIDPARAMS);
  EXPECT_EQ(directPlay->InitializeConnection(nullptr, 0), DPERR_INVALIDPARAMS);
  std::vector<std::uint8_t> copy = connections[1].data;
  EXPECT_EQ(directPlay->InitializeConnection(copy.data(), 0), DP_OK);
  EXPECT_EQ(directPlay->InitializeConnection(copy.data(), 0), DPERR_ALREADYINITIALIZED);
}

TEST_F(DirectPlayTest, FindsEveryHostOnThisComputerOnce) {
  ComPtr<IDirectPlay3A> first = Connected(ThisComputer);
  ComPtr<IDirectPlay3A> second = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*first.Get(), "Eins", 4), DP_OK);
  ASSERT_EQ(HostSession(*second.Get(), "Zwei", 3, DPSESSION_KEEPALIVE), DP_OK);
  NewPlayer(*first.Get(), "Anna");

  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  std::vector<FoundSession> found = FindSessionsUntil(*guest.Get(), 2);
  ASSERT_EQ(found.size(), 2u);
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  EXPECT_EQ(found[0].name, "Eins");
  EXPECT_EQ(found[0].description.dwMaxPlayers, 4u);
  EXPECT_EQ(found[0].description.dwCurrentPlayers, 1u);
  EXPECT_EQ(found[0].description.dwFlags, DPSESSION_MIGRATEHOST | DPSESSION_KEEPALIVE);
  EXPECT_EQ(found[0].description.guidApplication, Application);
  EXPECT_EQ(found[1].name, "Zwei");
  EXPECT_EQ(found[1].description.dwMaxPlayers, 3u);
  EXPECT_EQ(found[1].description.dwCurrentPlayers, 0u);
  EXPECT_EQ(found[1].description.dwFlags, DPSESSION_KEEPALIVE);
  EXPECT_FALSE(found[0].description.guidInstance == found[1].description.guidInstance);

  EXPECT_EQ(FindSessionsUntil(*guest.Get(), 2, 0, Application).size(), 2u);
  const GUID otherApplication = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  EXPECT_TRUE(FindSessions(*guest.Get(), 100, 0, otherApplication).empty());
}

TEST_F(DirectPlayTest, AsynchronousSearchAnswersAtOnceWithWhatItFound) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Veltranzik10", 4), DP_OK);
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);

  struct Calls {
    std::vector<std::string> names;
    int timedOut = 0;
  };
  const auto collect = [](const DPSESSIONDESC2* session, DWORD*, DWORD flags, LPVOID context) -> BOOL {
    auto& calls = *static_cast<Calls*>(context);
    if ((flags & DPESC_TIMEDOUT) != 0) {
      ++calls.timedOut;
      return FALSE;
    }
    calls.names.push_back(session->lpszSessionNameA);
    return TRUE;
  };
  DPSESSIONDESC2 description{};
  description.dwSize = sizeof description;
  Calls first;
  ASSERT_EQ(guest->EnumSessions(&description, 0, collect, &first, DPENUMSESSIONS_ASYNC), DP_OK);
  EXPECT_EQ(first.timedOut, 1);

  // The background query's answer arrives in the meantime.
  Calls later;
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (later.names.empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(10ms);
    later = {};
    ASSERT_EQ(guest->EnumSessions(&description, 0, collect, &later, DPENUMSESSIONS_ASYNC), DP_OK);
  }
  EXPECT_EQ(later.names, std::vector<std::string>{"Veltranzik10"});
  EXPECT_EQ(guest->EnumSessions(&description, 0, nullptr, nullptr, DPENUMSESSIONS_STOPASYNC), DP_OK);
}

TEST_F(DirectPlayTest, AFullSessionIsHiddenAndRefusesToBeJoined) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Voll", 1), DP_OK);
  NewPlayer(*host.Get(), "Anna");

  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  EXPECT_TRUE(FindSessions(*guest.Get(), 100).empty());
  const std::vector<FoundSession> all = FindSessionsUntil(*guest.Get(), 1, DPENUMSESSIONS_ALL);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].description.dwCurrentPlayers, 1u);
  EXPECT_EQ(JoinSession(*guest.Get(), all[0].description.guidInstance), DPERR_NONEWPLAYERS);

  // Neither does a second local player fit.
  std::string name = "Bernd";
  DPNAME dpName{sizeof(DPNAME), 0, name.data(), nullptr};
  DPID id = 0;
  EXPECT_EQ(host->CreatePlayer(&id, &dpName, nullptr, nullptr, 0, 0), DPERR_CANTADDPLAYER);
}

TEST_F(DirectPlayTest, AnUnknownOrVanishedSessionCannotBeJoined) {
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  const GUID unknown = {0xDEADBEEF, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  EXPECT_EQ(JoinSession(*guest.Get(), unknown), DPERR_NOSESSIONS);

  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Alt", 4), DP_OK);
  const std::vector<FoundSession> found = FindSessionsUntil(*guest.Get(), 1);
  ASSERT_EQ(found.size(), 1u);
  ASSERT_EQ(host->Close(), DP_OK);

  // A new session now has the old one's port: the old one is gone all the same.
  ASSERT_EQ(HostSession(*host.Get(), "Neu", 4), DP_OK);
  EXPECT_EQ(JoinSession(*guest.Get(), found[0].description.guidInstance), DPERR_NOSESSIONS);
  ASSERT_EQ(host->Close(), DP_OK);
  EXPECT_EQ(JoinSession(*guest.Get(), found[0].description.guidInstance), DPERR_NOSESSIONS);
}

TEST_F(DirectPlayTest, DeliversMessagesToEveryPlayerButTheSender) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Veltranzik10", 4), DP_OK);
  const DPID anna = NewPlayer(*host.Get(), "Anna");
  const DPID clara = NewPlayer(*host.Get(), "Clara");
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*guest.Get()));
  const DPID bernd = NewPlayer(*guest.Get(), "Bernd");
  EXPECT_TRUE(anna != bernd && bernd != clara && bernd != DPID_SYSMSG && bernd != DPID_SERVERPLAYER);

  std::optional<Message> joined = ReceiveWithin(*host.Get(), 2s);
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->from, DPID_SYSMSG);
  EXPECT_EQ(joined->systemType, DPSYS_CREATEPLAYERORGROUP);
  EXPECT_EQ(joined->player, bernd);
  EXPECT_EQ(joined->playerName, "Bernd");
  EXPECT_EQ(joined->currentPlayers, 3u);

  const std::vector<PlayerName> expected = {{anna, "Anna", DPENUMPLAYERS_REMOTE},
                                            {clara, "Clara", DPENUMPLAYERS_REMOTE},
                                            {bernd, "Bernd", DPENUMPLAYERS_LOCAL}};
  EXPECT_EQ(ListPlayers(*guest.Get()), expected);
  EXPECT_EQ(ListPlayers(*guest.Get(), nullptr, DPENUMPLAYERS_LOCAL).size(), 1u);

  ASSERT_EQ(SendText(*guest.Get(), bernd, DPID_ALLPLAYERS, "an alle"), DP_OK);
  ASSERT_EQ(SendText(*host.Get(), anna, bernd, "an Bernd"), DP_OK);
  ASSERT_EQ(SendText(*host.Get(), clara, DPID_ALLPLAYERS, "von Clara"), DP_OK);

  std::vector<Message> atHost = ReceiveAll(*host.Get(), 3);
  ASSERT_EQ(atHost.size(), 3u);
  std::vector<std::tuple<DPID, DPID, std::string>> seen;
  for (const Message& m : atHost) seen.emplace_back(m.from, m.to, m.text);
  std::sort(seen.begin(), seen.end());
  std::vector<std::tuple<DPID, DPID, std::string>> wanted = {
      {bernd, anna, "an alle"}, {bernd, clara, "an alle"}, {clara, anna, "von Clara"}};
  std::sort(wanted.begin(), wanted.end());
  EXPECT_EQ(seen, wanted);

  std::vector<Message> atGuest = ReceiveAll(*guest.Get(), 2);
  ASSERT_EQ(atGuest.size(), 2u);
  EXPECT_EQ(atGuest[0].text, "an Bernd");
  EXPECT_EQ(atGuest[0].from, anna);
  EXPECT_EQ(atGuest[1].text, "von Clara");
  EXPECT_EQ(atGuest[1].to, bernd);
}

TEST_F(DirectPlayTest, KeepsAMessageTheBufferCannotHold) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Puffer", 4), DP_OK);
  const DPID anna = NewPlayer(*host.Get(), "Anna");
  const DPID bert = NewPlayer(*host.Get(), "Bert");
  ASSERT_EQ(SendText(*host.Get(), anna, bert, std::string(100, 'x')), DP_OK);
  ASSERT_EQ(SendText(*host.Get(), anna, bert, "zwei"), DP_OK);

  char small[10] = "unchanged";
  DWORD size = sizeof small;
  DPID from = 0;
  DPID to = 0;
  EXPECT_EQ(host->Receive(&from, &to, 0, small, &size), DPERR_BUFFERTOOSMALL);
  EXPECT_EQ(size, 100u);
  EXPECT_STREQ(small, "unchanged");
  size = 0;
  EXPECT_EQ(host->Receive(&from, &to, 0, nullptr, &size), DPERR_BUFFERTOOSMALL);
  EXPECT_EQ(size, 100u);

  char buffer[200];
  size = sizeof buffer;
  EXPECT_EQ(host->Receive(&from, &to, DPRECEIVE_PEEK, buffer, &size), DP_OK);
  EXPECT_EQ(size, 100u);
  size = sizeof buffer;
  EXPECT_EQ(host->Receive(&from, &to, 0, buffer, &size), DP_OK);
  EXPECT_EQ(std::string(buffer, size), std::string(100, 'x'));
  EXPECT_EQ(from, anna);
  EXPECT_EQ(to, bert);
  size = sizeof buffer;
  EXPECT_EQ(host->Receive(&from, &to, 0, buffer, &size), DP_OK);
  EXPECT_EQ(std::string(buffer, size), "zwei");
  EXPECT_EQ(host->Receive(&from, &to, 0, buffer, &size), DPERR_NOMESSAGES);
  EXPECT_EQ(host->Receive(&from, &to, 0x100, buffer, &size), DPERR_INVALIDFLAGS);
}

TEST_F(DirectPlayTest, SendRefusesWhatItCannotDeliver) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  std::string text = "x";
  EXPECT_EQ(host->Send(1234, 0, 0, text.data(), 1), DPERR_INVALIDPLAYER);  // no session yet
  ASSERT_EQ(HostSession(*host.Get(), "Grenzen", 4), DP_OK);
  const DPID anna = NewPlayer(*host.Get(), "Anna");
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*guest.Get()));
  const DPID bernd = NewPlayer(*guest.Get(), "Bernd");

  std::vector<std::uint8_t> largest(64 * 1024);
  for (std::size_t i = 0; i < largest.size(); ++i) largest[i] = static_cast<std::uint8_t>(i * 7);
  std::vector<std::uint8_t> tooLarge(largest.size() + 1);
  EXPECT_EQ(guest->Send(bernd, anna, 0, tooLarge.data(), static_cast<DWORD>(tooLarge.size())), DPERR_INVALIDPARAMS);
  EXPECT_EQ(guest->Send(bernd, anna, 0, nullptr, 5), DPERR_INVALIDPARAMS);
  EXPECT_EQ(guest->Send(anna, bernd, 0, text.data(), 1), DPERR_INVALIDPLAYER);  // not a local player
  EXPECT_EQ(guest->Send(bernd, 987654, 0, text.data(), 1), DPERR_INVALIDPLAYER);
  ASSERT_EQ(guest->Send(bernd, anna, 0, largest.data(), static_cast<DWORD>(largest.size())), DP_OK);

  std::optional<Message> message;
  do {
    message = ReceiveWithin(*host.Get(), 2s);
  } while (message && message->from == DPID_SYSMSG);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, std::string(largest.begin(), largest.end()));
  EXPECT_FALSE(ReceiveWithin(*host.Get(), 100ms));
}

TEST_F(DirectPlayTest, LeavingAndLosingTheSessionAreSystemMessages) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Abschied", 4), DP_OK);
  const DPID anna = NewPlayer(*host.Get(), "Anna");
  ComPtr<IDirectPlay3A> first = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*first.Get()));
  const DPID bernd = NewPlayer(*first.Get(), "Bernd");
  ComPtr<IDirectPlay3A> second = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*second.Get()));
  const DPID clara = NewPlayer(*second.Get(), "Clara");
  EXPECT_EQ(ReceiveAll(*host.Get(), 2).size(), 2u);  // Bernd and Clara came
  std::vector<Message> toFirst = ReceiveAll(*first.Get(), 1);
  ASSERT_EQ(toFirst.size(), 1u);
  EXPECT_EQ(toFirst[0].systemType, DPSYS_CREATEPLAYERORGROUP);
  EXPECT_EQ(toFirst[0].player, clara);

  // A peer that leaves is a player destroyed, for the host and for the other peer.
  ASSERT_EQ(second->Close(), DP_OK);
  for (IDirectPlay3A* side : {host.Get(), first.Get()}) {
    std::optional<Message> left = ReceiveWithin(*side, 2s);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->systemType, DPSYS_DESTROYPLAYERORGROUP);
    EXPECT_EQ(left->player, clara);
    EXPECT_EQ(left->playerName, "Clara");
  }

  // When the host goes, its players go, then the session.
  ASSERT_EQ(host->Close(), DP_OK);
  std::optional<Message> hostLeft = ReceiveWithin(*first.Get(), 2s);
  ASSERT_TRUE(hostLeft);
  EXPECT_EQ(hostLeft->systemType, DPSYS_DESTROYPLAYERORGROUP);
  EXPECT_EQ(hostLeft->player, anna);
  std::optional<Message> lost = ReceiveWithin(*first.Get(), 2s);
  ASSERT_TRUE(lost);
  EXPECT_EQ(lost->systemType, DPSYS_SESSIONLOST);

  EXPECT_EQ(SendText(*first.Get(), bernd, 0, "hallo?"), DPERR_SESSIONLOST);
  std::string name = "Dora";
  DPNAME dpName{sizeof(DPNAME), 0, name.data(), nullptr};
  DPID id = 0;
  EXPECT_EQ(first->CreatePlayer(&id, &dpName, nullptr, nullptr, 0, 0), DPERR_SESSIONLOST);
  EXPECT_EQ(ListPlayers(*first.Get()), (std::vector<PlayerName>{{bernd, "Bernd", DPENUMPLAYERS_LOCAL}}));
  EXPECT_EQ(first->Close(), DP_OK);
  EXPECT_EQ(HostSession(*first.Get(), "Weiter", 4), DP_OK);
}

TEST_F(DirectPlayTest, ListsThePlayersOfASessionNotJoined) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Fremd", 4), DP_OK);
  const DPID anna = NewPlayer(*host.Get(), "Anna");
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  std::vector<FoundSession> found = FindSessionsUntil(*guest.Get(), 1);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(ListPlayers(*guest.Get(), &found[0].description.guidInstance, DPENUMPLAYERS_SESSION),
            (std::vector<PlayerName>{{anna, "Anna", 0}}));
  GUID unknown = {7, 7, 7, {7, 7, 7, 7, 7, 7, 7, 7}};
  EXPECT_EQ(guest->EnumPlayers(
                &unknown, [](auto...) -> BOOL { return TRUE; }, nullptr, DPENUMPLAYERS_SESSION),
            DPERR_NOSESSIONS);
}

TEST_F(DirectPlayTest, FindsASessionWhoseAnswerTakesManyDatagrams) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), std::string(255, 'S').c_str(), 64), DP_OK);
  std::vector<PlayerName> players;
  for (char letter = 0; letter < 63; ++letter) {
    const std::string name(255, static_cast<char>('0' + letter));
    players.push_back({NewPlayer(*host.Get(), name.c_str()), name, 0});
  }
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  std::vector<FoundSession> found = FindSessionsUntil(*guest.Get(), 1);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(ListPlayers(*guest.Get(), &found[0].description.guidInstance, DPENUMPLAYERS_SESSION), players);
}

TEST_F(DirectPlayTest, WaitingForAMessageEndsWhenANewOneComesOrItsTimeIsUp) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Warten", 4), DP_OK);
  const DPID anna = NewPlayer(*host.Get(), "Anna");
  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  ASSERT_NO_FATAL_FAILURE(FindAndJoin(*guest.Get()));
  const DPID bernd = NewPlayer(*guest.Get(), "Bernd");
  ComPtr<IDirectPlayWait> waiter;
  ASSERT_EQ(host->QueryInterface(IID_IDirectPlayWait, waiter.PutVoid()), S_OK);
  ASSERT_TRUE(ReceiveWithin(*host.Get(), 2s));  // Bernd came

  // Nothing comes: the time is up.
  EXPECT_EQ(waiter->WaitForMessage(50), DP_OK);
  EXPECT_FALSE(ReceiveOnce(*host.Get()));

  // A message comes while the host waits.
  std::jthread later([&] {
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(SendText(*guest.Get(), bernd, anna, "da"), DP_OK);
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(waiter->WaitForMessage(20000), DP_OK);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 20s) << "the message did not end the wait";
  later.join();

  // One already waiting does not end the next wait: the caller would spin.
  const auto again = std::chrono::steady_clock::now();
  EXPECT_EQ(waiter->WaitForMessage(300), DP_OK);
  EXPECT_GE(std::chrono::steady_clock::now() - again, 300ms);
  const std::optional<Message> message = ReceiveOnce(*host.Get());
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, "da");
}

}  // namespace
}  // namespace dplay_test
