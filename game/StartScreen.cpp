// The start screen: the form's creation and first paint, the set-up of its controls from the
// stored settings, and what its buttons and keys do before the game starts.

#include "GameSession.h"
#include "Haupt.h"
#include "game/rules/ScreenSize.h"
#include "lib/network/VXGNetwork.h"
#include "platform/win/Clock.h"

namespace {

// The game's own application identifier, the same in every copy.
constexpr GUID VeltranzikApplication = {0x5E1A7C2B, 0x93D4, 0x4F0E, {0x8A, 0x61, 0x27, 0xB3, 0xC9, 0x04, 0x5D, 0xE8}};
const std::string SessionName = "Veltranzik10";
constexpr std::int32_t SessionPlayers = 4;
constexpr std::int32_t SessionSearchMilliseconds = 100;

}  // namespace

std::optional<GUID> GameSession(const TVXGNetwork& Network) {
  std::optional<GUID> found;
  const TVXGSessionList* sessions = Network.Sessions();
  for (int i = 0; sessions && i < sessions->Count(); ++i)
    if (sessions->GetSession(i).Name == SessionName) found = sessions->GetSession(i).Instance;
  return found;
}

void TForm1::FormCreate(TControl& /*Sender*/) {
  LoadSettings();
  Program.RoundBusy = true;
}

void TForm1::LoadSettings() {
  ::LoadSettings(Settings, SettingsFileName);
  eName->SetText(Settings.LastPlayerName.Get());
}

void TForm1::FormPaint(TControl& /*Sender*/) {
  if (!Program.RoundBusy || Program.StartScreenReady) return;
  Net.NetworkGame = false;
  Round.Phase = RoundPhase::StartScreen;
  SetUpStartScreen();
}

void TForm1::FormActivate(TControl& /*Sender*/) {}

void TForm1::FormCloseQuery(TForm& /*Sender*/, bool& CanClose) { CanClose = true; }

void TForm1::SetUpStartScreen() {
  Program.StartScreenReady = true;
  Random.Seed(fixedSeed_.value_or(static_cast<std::uint32_t>(GetTickCount64())));
  Program.DisplayWidth = ScreenWidth;
  Program.DisplayHeight = ScreenHeight;
  CreateGraphicsDevice();

  pname->SetBounds(0, 0, pname->Width(), pname->Height());
  SetBounds(Left(), Top(), pname->Width(), pname->Height());
  Repaint();
  pname->SetVisible(true);
  pname->SetEnabled(true);
  eName->SetSelStart(0);
  eName->SetSelLength(eName->Text().size());

  Net.Network = std::make_unique<TVXGNetwork>();
  for (int i = 0; i < Net.Network->Drivers().Count(); ++i) lbd->AddItem(Net.Network->Drivers().GetDriver(i).Name);
  lbd->SetFocus();

  cbNetz->SetChecked(Settings.NetworkChecked != 0);
  cbdoppelt->SetChecked(Settings.DoubledChecked != 0);
  if (Settings.ConnectionIndex < static_cast<std::int32_t>(lbd->Items().size()))
    lbd->SetItemIndex(Settings.ConnectionIndex);
  track->SetPosition(Settings.TrackPosition);

  eName->SetFocus();
  cbNetzClick(*cbNetz);
}

void TForm1::cbNetzClick(TControl& /*Sender*/) {
  const bool network = cbNetz->Checked();
  for (TControl* control : std::initializer_list<TControl*>{ln1, ln2, ln3, ln4, ln5, lStatus, cbdoppelt, lbd, track})
    control->SetEnabled(network);
}

void TForm1::Button3Click(TControl& /*Sender*/) {
  Round.Phase = RoundPhase::StopRequested;
  SaveAndQuit();
}

void TForm1::Button4Click(TControl& /*Sender*/) { ResetHighScores(Settings); }

void TForm1::eNameKeyDown(TControl& /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
  if (Key != VK_ESCAPE) return;
  Round.Phase = RoundPhase::StopRequested;
  SaveAndQuit();
}

void TForm1::UpdatePlayerStatus() {
  Net.Network->RefreshPlayers(GUID{});
  const TVXGPlayerList* players = Net.Network->Players();
  const int count = players ? players->Count() : 0;
  std::string names;
  for (int i = 0; i < count; ++i) names += (i > 0 ? ", " : "") + players->GetPlayer(i).Name;
  if (count == 1) names += ", warten auf anderen Spieler";
  std::string status = std::to_string(count) + " Spieler: " + names;
  if (count == 1 && !Net.ShownAddresses.empty()) status = WithOwnAddresses(status);
  lStatus->SetCaption(status);
}

int TForm1::ListedPlayers() const {
  const TVXGPlayerList* players = Net.Network->Players();
  return players ? players->Count() : 0;
}

// Start: a one-player game at once, or first a two-player session, found and joined or created.
void TForm1::Button2Click(TControl& /*Sender*/) {
  if (Net.NetworkGame && !cbNetz->Checked()) {
    Net.Network->LeaveSession();
    Net.NetworkGame = false;
  }
  if (!cbNetz->Checked()) {
    eNameExit(*Button2);
    return;
  }
  if (Net.NetworkGame) Net.Network->LeaveSession();
  Net.Network->AssignDriver(lbd->ItemIndex());
  Application().ProcessMessages();
  Net.ShownAddresses.clear();
  std::optional<GUID> found;
  if (ConnectionTakesAddress()) {
    if (!SessionAtAddress(found)) {
      Net.NetworkGame = false;
      return;
    }
    if (!found) Net.ShownAddresses = Net.Network->OwnAddresses();
  } else {
    found = SessionOnNetwork();
  }
  if (!found) {
    lStatus->SetCaption("warten auf anderen Spieler");
    Net.Network->CreateSession(SessionName, VeltranzikApplication, SessionPlayers);
    Net.IsHost = true;
  } else {
    Net.Network->JoinSession(*found);
    lStatus->SetCaption("Mit anderem Spieler verbunden");
    Net.IsHost = false;
  }
  Net.NetworkGame = true;
  protocol_.SetHost(Net.IsHost);
  Application().ProcessMessages();
  Net.LocalPlayerId = Net.Network->CreatePlayer(eName->Text());
  Application().ProcessMessages();
  UpdatePlayerStatus();
  if (!Net.IsHost && ListedPlayers() > 2) return LeaveFullSession();
  Round.Phase = RoundPhase::StartScreen;
  if (Net.IsHost) WaitForSecondPlayer();
  if (ListedPlayers() <= 1 || Application().Terminated()) return;
  ChooseOpponent();
  Net.SenderId = Net.LocalPlayerId;
  eNameExit(*Button2);
}

// The session of the game on the local network or this computer; the last one listed wins.
std::optional<GUID> TForm1::SessionOnNetwork() {
  Net.Network->RefreshSessions(GUID{}, SessionSearchMilliseconds);
  return GameSession(*Net.Network);
}

// Two others play each other there already: this copy would only wait for a round of its own
// with nobody to play against.
void TForm1::LeaveFullSession() {
  Net.Network->LeaveSession();
  Net.NetworkGame = false;
  lStatus->SetCaption("Dort spielen schon zwei Spieler miteinander.");
}

// Pressing Start again would only start over, so it waits disabled; Esc and "X" still leave.
void TForm1::WaitForSecondPlayer() {
  Button2->SetEnabled(false);
  if (!ActiveControl()) eName->SetFocus();
  while (ListedPlayers() <= 1 && Round.Phase != RoundPhase::StopRequested && !Application().Terminated()) {
    LetMessagesRun();
    if (Application().Terminated()) return;
    UpdatePlayerStatus();
  }
  if (!Application().Terminated()) Button2->SetEnabled(true);
}
