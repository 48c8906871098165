// What neither side of a session takes from a peer: foreign, truncated or forged datagrams and
// packets, players that are not the sender's, answers that turn a refusal into a success.

#include <gtest/gtest.h>

#include <atomic>
#include <random>

#include "DirectPlayTestSupport.h"
#include "RogueEnet.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;

const GUID Trap = {0x7A7A7A7A, 0x1111, 0x2222, {3, 3, 3, 3, 3, 3, 3, 3}};
constexpr wire::Window Roomy = {1000, 1000000};

class ForgedTrafficTest : public OwnPortsTest {};

TEST_F(ForgedTrafficTest, TheHostTakesFromAPeerOnlyWhatIsItsToSend) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Echt", 4), DP_OK);
  const DPID anna = NewPlayer(*host.Get(), "Anna");
  const DPID clara = NewPlayer(*host.Get(), "Clara");

  // Noise on the query port is not answered; a query is.
  std::mt19937 random(7);
  std::vector<wire::Bytes> noise = {{}, {'V', 'X', 'G', 'N'}, {'V', 'X', 'G', 'N', 2, 2, 0, 0}};
  for (int i = 0; i < 50; ++i) {
    wire::Bytes junk(random() % 200 + 1);
    for (std::uint8_t& byte : junk) byte = static_cast<std::uint8_t>(random());
    noise.push_back(junk);
  }
  wire::Bytes truncated = wire::EncodeDatagram(wire::Query{7});
  truncated.pop_back();
  noise.push_back(truncated);
  EXPECT_TRUE(ExchangeDatagrams(ports, noise, 200ms).empty());
  const std::vector<wire::Bytes> answers = ExchangeDatagrams(ports, {wire::EncodeDatagram(wire::Query{77})}, 500ms);
  ASSERT_EQ(answers.size(), 1u);
  const std::optional<wire::Datagram> answer = wire::DecodeDatagram(answers[0]);
  ASSERT_TRUE(answer && std::holds_alternative<wire::AnswerPart>(*answer));
  EXPECT_EQ(std::get<wire::AnswerPart>(*answer).nonce, 77u);
  const std::optional<wire::SessionInfo> session = AnsweredSession(answers[0]);
  ASSERT_TRUE(session);
  EXPECT_EQ(session->players, (std::vector<wire::PlayerEntry>{{anna, "Anna"}, {clara, "Clara"}}));

  RogueHost rogue(0);
  ENetPeer* peer = rogue.Connect(ports);
  std::optional<RogueEvent> connected = rogue.Next(2s);
  ASSERT_TRUE(connected && connected->type == ENET_EVENT_TYPE_CONNECT);

  rogue.Send(peer, wire::Data{anna, 0, {'v', 'o', 'r', 'h', 'e', 'r'}});  // before joining
  rogue.Send(peer, wire::JoinRequest{session->instance, Roomy});
  const std::optional<wire::Packet> accepted = rogue.NextPacket(2s);
  ASSERT_TRUE(accepted && std::holds_alternative<wire::JoinAccepted>(*accepted));
  EXPECT_EQ(std::get<wire::JoinAccepted>(*accepted).session.players, session->players);

  wire::Bytes cut = wire::EncodePacket(wire::PlayerRequest{9, "Halb"});
  cut.pop_back();
  rogue.SendBytes(peer, cut);
  rogue.SendBytes(peer, {0xFF, 1, 2, 3});
  rogue.Send(peer, wire::PlayerAdded{{99, "Falsch"}, 2});                     // only the host announces players
  rogue.Send(peer, wire::Data{anna, clara, {'g', 'e', 'f', 'a', 'k', 'e'}});  // a player not the peer's own
  rogue.Send(peer, wire::Data{12345, 0, {'?'}});                              // a player that does not exist
  rogue.Send(peer, wire::PlayerRequest{1, "Schurke"});
  const std::optional<wire::Packet> granted = rogue.NextPacket(2s);
  ASSERT_TRUE(granted && std::holds_alternative<wire::PlayerGranted>(*granted));
  const DPID schurke = std::get<wire::PlayerGranted>(*granted).id;
  rogue.Send(peer, wire::Data{schurke, 424242, {'n', 'i', 'e', 'm', 'a', 'n', 'd'}});
  rogue.Send(peer, wire::Data{schurke, anna, {'e', 'c', 'h', 't'}});

  const std::vector<Message> messages = ReceiveAll(*host.Get(), 2);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].systemType, DPSYS_CREATEPLAYERORGROUP);
  EXPECT_EQ(messages[0].player, schurke);
  EXPECT_EQ(messages[0].playerName, "Schurke");
  EXPECT_EQ(messages[1].text, "echt");
  EXPECT_EQ(messages[1].from, schurke);
  EXPECT_EQ(messages[1].to, anna);
  EXPECT_EQ(ListPlayers(*host.Get()).size(), 3u);
}

TEST_F(ForgedTrafficTest, AJoinedSideTakesFromItsHostOnlyWhatIsConsistent) {
  wire::SessionInfo trap;
  trap.maxPlayers = 4;
  trap.currentPlayers = 1;
  trap.instance = Trap;
  trap.name = "Falle";
  trap.players = {{7, "Sieben"}, {0, "Null"}};
  RogueHost rogue(ports, [&](wire::ByteView query) {
    std::vector<wire::Bytes> answer = wire::EncodeAnswer(QueryNonce(query), 1, trap);
    wire::Bytes truncated = answer[0];
    truncated.resize(truncated.size() - 1);
    answer.push_back(truncated);
    answer.push_back({'V', 'X', 'G', 'N', 2, 2});
    return answer;
  });

  int joins = 0;
  int requests = 0;
  rogue.Serve([&](RogueHost& self, const RogueEvent& event) {
    if (event.type != ENET_EVENT_TYPE_RECEIVE) return;
    const std::optional<wire::Packet> packet = wire::DecodePacket(event.bytes);
    if (packet && std::holds_alternative<wire::JoinRequest>(*packet)) {
      if (++joins == 1) {
        self.Send(event.peer, wire::JoinRefused{S_OK});  // a refusal that claims success
        return;
      }
      self.Send(event.peer, wire::JoinAccepted{trap, Roomy});
      self.Send(event.peer, wire::Data{999, 0, {'?'}});
      self.Send(event.peer, wire::PlayerAdded{{0, "Null"}, 3});
      self.Send(event.peer, wire::PlayerAdded{{7, "Doppelt"}, 3});
      self.Send(event.peer, wire::PlayerGranted{77, 5});
      self.Send(event.peer, wire::JoinAccepted{trap, Roomy});
    } else if (packet && std::holds_alternative<wire::PlayerRequest>(*packet)) {
      const DWORD request = std::get<wire::PlayerRequest>(*packet).request;
      if (++requests == 1) {
        self.Send(event.peer, wire::PlayerGranted{request, 7});  // an ID already taken
        return;
      }
      self.Send(event.peer, wire::PlayerGranted{request, 50});
      self.Send(event.peer, wire::PlayerRemoved{50, 1});  // not the host's to remove
      self.Send(event.peer, wire::Data{50, 0, {'i', 'c', 'h', '?'}});
      self.Send(event.peer, wire::Data{7, 50, {'h', 'a', 'l', 'l', 'o'}});
    }
  });

  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  const std::vector<FoundSession> found = FindSessionsUntil(*guest.Get(), 1);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "Falle");

  EXPECT_EQ(JoinSession(*guest.Get(), Trap), DPERR_GENERIC);
  ASSERT_EQ(JoinSession(*guest.Get(), Trap), DP_OK);
  std::string name = "Bernd";
  DPNAME dpName{sizeof(DPNAME), 0, name.data(), nullptr};
  DPID id = 0;
  EXPECT_EQ(guest->CreatePlayer(&id, &dpName, nullptr, nullptr, 0, 0), DPERR_CANTCREATEPLAYER);
  EXPECT_EQ(NewPlayer(*guest.Get(), "Bernd"), 50u);

  const std::vector<Message> messages = ReceiveAll(*guest.Get(), 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "hallo");
  EXPECT_EQ(messages[0].from, 7u);
  EXPECT_EQ(ListPlayers(*guest.Get()),
            (std::vector<PlayerName>{{7, "Sieben", DPENUMPLAYERS_REMOTE}, {50, "Bernd", DPENUMPLAYERS_LOCAL}}));
}

TEST_F(ForgedTrafficTest, AnswersNotToOurQueryOrFromAnotherAddressOfAFoundSessionAreIgnored) {
  ComPtr<IDirectPlay3A> host = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*host.Get(), "Echt", 4), DP_OK);
  NewPlayer(*host.Get(), "Anna");
  const std::vector<wire::Bytes> answers = ExchangeDatagrams(ports, {wire::EncodeDatagram(wire::Query{1})}, 500ms);
  ASSERT_EQ(answers.size(), 1u);
  const std::optional<wire::SessionInfo> real = AnsweredSession(answers[0]);
  ASSERT_TRUE(real);

  // Beside the host, a stranger answers every query: with a session of its own but not to the query
  // asked, and, once the real answer is in, with the real session as if it were there.
  wire::SessionInfo fake = *real;
  fake.instance = Trap;
  fake.name = "Falsch";
  std::atomic<bool> realAnswerIn = false;
  RogueHost rogue(static_cast<std::uint16_t>(ports + 1), [&](wire::ByteView query) {
    const std::uint32_t nonce = QueryNonce(query);
    std::vector<wire::Bytes> forged = wire::EncodeAnswer(nonce + 1, 1, fake);
    if (realAnswerIn) {
      const std::vector<wire::Bytes> moved = wire::EncodeAnswer(nonce, 2, *real);
      forged.insert(forged.end(), moved.begin(), moved.end());
    }
    return forged;
  });
  std::atomic<int> connections = 0;
  rogue.Serve([&](RogueHost&, const RogueEvent& event) {
    if (event.type == ENET_EVENT_TYPE_CONNECT) ++connections;
  });

  ComPtr<IDirectPlay3A> guest = Connected(ThisComputer);
  struct Search {
    std::vector<std::string> names;
    std::atomic<bool>* realAnswerIn;
  } search{{}, &realAnswerIn};
  DPSESSIONDESC2 description{};
  description.dwSize = sizeof description;
  const auto collect = [](const DPSESSIONDESC2* session, DWORD*, DWORD flags, LPVOID context) -> BOOL {
    auto& found = *static_cast<Search*>(context);
    if ((flags & DPESC_TIMEDOUT) != 0) return FALSE;
    found.names.push_back(session->lpszSessionNameA);
    *found.realAnswerIn = true;
    return TRUE;
  };
  ASSERT_EQ(guest->EnumSessions(&description, 1000, collect, &search, 0), DP_OK);
  EXPECT_EQ(search.names, std::vector<std::string>{"Echt"});
  ASSERT_EQ(JoinSession(*guest.Get(), real->instance), DP_OK);
  const DPID bernd = NewPlayer(*guest.Get(), "Bernd");
  const std::optional<Message> joined = ReceiveWithin(*host.Get(), 2s);
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->player, bernd);
  EXPECT_EQ(connections, 0);
}

}  // namespace
}  // namespace dplay_test
