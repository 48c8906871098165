// A round against another player: the agreement on its settings at the start, the end signal and
// the wait for the other side's end, the result with the restart choice, and the other player's
// score and aim on the screen.

#include "Haupt.h"
#include "TextFont.h"
#include "game/rules/GameMath.h"
#include "lib/network/VXGNetwork.h"
#include "platform/win/Clock.h"

namespace {

// Between passes of a loop that lets window messages run: the next traffic, or about a frame.
constexpr std::int32_t PassMilliseconds = 16;
constexpr std::int64_t RestartSignalMilliseconds = 1000;

const char* ResultText(std::int32_t Score, std::int32_t OpponentScore) {
  if (Score > OpponentScore) return "Sie haben gewonnen";
  if (Score == OpponentScore) return "Spiel unentschieden";
  return "Sie haben verloren";
}

// Why the other player's round ended without its end signal.
const char* GoneText(OpponentGone Gone) {
  switch (Gone) {
    case OpponentGone::Left:
      return "Der andere Spieler hat das Spiel verlassen.";
    case OpponentGone::SessionLost:
    case OpponentGone::Silent:
    case OpponentGone::Broken:
      return "Die Verbindung zum anderen Spieler ist abgerissen.";
    default:
      return "";
  }
}

struct AimMark {
  std::int32_t Layer;
  std::int32_t Half;
};
constexpr AimMark AimMarks[AimMarkPictures] = {{1, 8}, {2, 11}, {3, 25}};

}  // namespace

void TForm1::LetMessagesRun() {
  Application().ProcessMessages();
  channel_.WaitForTraffic(PassMilliseconds);
}

// The match is with the other player listed now; a third copy of the game that joins later is
// nobody's opponent.
void TForm1::ChooseOpponent() {
  Net.OpponentId = 0;
  const TVXGPlayerList* players = Net.Network->Players();
  for (int i = 0; players && i < players->Count() && Net.OpponentId == 0; ++i)
    if (players->GetPlayer(i).ID != Net.LocalPlayerId) Net.OpponentId = players->GetPlayer(i).ID;
  Match = MatchState{};
  channel_.Reset();
}

// Both sides count the ticks of the round from the same phase, so that their exchanges come at the
// same ticks. The first barrier waits for the other person, who may still look at the title
// picture; false when the player left meanwhile.
bool TForm1::AgreeOnRound() {
  Round.CatchingUp = false;
  Round.Phase11 = 0;
  Round.Phase21 = 0;
  Assets.BackBuffer->Draw(9, 440, *Assets.WaitingPicture, nullptr, false);
  Assets.BackBuffer->Flip();
  protocol_.SyncBarrier(Awaited::Person);
  if (Match.RestartChoice == ChoiceQuit || Application().Terminated()) return false;
  // A value no copy of the game sends is a broken line; an end signal reads as 0 and is none.
  const std::int32_t position = protocol_.ExchangeValue('1', track->Position());
  if (!protocol_.PeerOver() && (position < 0 || position > 2)) protocol_.Broken();
  if (!Net.IsHost && !protocol_.PeerOver()) track->SetPosition(position);
  const std::int32_t doubled = protocol_.ExchangeValue('2', cbdoppelt->Checked() ? 1 : 2);
  if (!protocol_.PeerOver() && doubled != 1 && doubled != 2) protocol_.Broken();
  if (!Net.IsHost && doubled == 1) cbdoppelt->SetChecked(true);
  if (cbdoppelt->Checked()) Round.RoundSeconds = 180;
  constexpr double Thresholds[] = {0.91, 0.86, 0.81};
  Targets.SpawnThreshold = Thresholds[std::clamp(track->Position(), 0, 2)];
  protocol_.SyncBarrier();
  return !Application().Terminated();
}

bool TForm1::ServeWhilePlayerAwaited() {
  Match.AwaitingPlayer = true;
  Application().ProcessMessages();
  Match.AwaitingPlayer = false;
  return Match.RestartChoice == ChoiceQuit || Application().Terminated();
}

bool TForm1::ServeSystemEvents() {
  Application().ServeSystemEvents();
  return Application().Terminated();
}

void TForm1::ShowError(const Exception& E) { Application().ShowException(E); }

// The first side whose time is up ends the round for both; its signal also frees the other side
// from any exchange it waits in.
void TForm1::FinishMatchRound() {
  protocol_.SignalEnd();
  while (!protocol_.EndHeard() && !Application().Terminated()) {
    LetMessagesRun();
    protocol_.SendText("@0");
  }
  if (!Application().Terminated()) protocol_.Settle();
}

// The result over the last frame, then the players' choice; true when both play on. When the other
// player goes while this one waits to play again, the result shows again, with the reason.
bool TForm1::ShowMatchResult() {
  Match.Result = ResultText(Round.Score, Round.OpponentScore);
  for (;;) {
    ShowResult();
    WaitForRestartChoice();
    if (Application().Terminated()) return false;
    if (Match.RestartChoice == ChoiceQuit) {
      SaveAndQuit();
      return false;
    }
    Round.Score = 0;
    Round.OpponentScore = 0;
    Match.RestartChoice = ChoiceWaiting;
    Assets.BackBuffer->Draw(9, 440, *Assets.WaitingPicture, nullptr, false);
    Assets.BackBuffer->Flip();
    RestartBarrier();
    Match.OwnEndState = EndState::Playing;
    Match.PeerEndState = EndState::Playing;
    if (Application().Terminated()) return false;
    if (Match.RestartChoice == ChoiceQuit) {
      SaveAndQuit();
      return false;
    }
    if (Match.Gone == OpponentGone::No) return true;
  }
}

// The result, with the reason when the other player is gone, over the last frame.
void TForm1::ShowResult() {
  WriteResult();
  Assets.BackBuffer->Draw(120, 200, *Assets.ResultScratch, nullptr, true);
  Assets.BackBuffer->Draw(180, 420, *Assets.PromptLine, nullptr, true);
  Assets.BackBuffer->Flip();
}

// Nine white copies make a halo; the dark text goes on top. A line under it tells why the other
// player's round ended early, when it did.
void TForm1::WriteResult() {
  TVXGSprite& scratch = *Assets.ResultScratch;
  scratch.ColorFill(nullptr, 0);
  for (std::int32_t x = 1; x <= 3; ++x)
    for (std::int32_t y = 1; y <= 3; ++y) {
      TVXGCanvas canvas(&scratch);
      UseTextFont(canvas, 34, true);
      canvas.ShadowText(x, y, 0xFFFFFF, 0xFFFFFF, Match.Result);
    }
  TVXGCanvas canvas(&scratch);
  UseTextFont(canvas, 34, true);
  canvas.ShadowText(2, 2, 0x111111, 0x666666, Match.Result);
  const std::string why = GoneText(Match.Gone);
  if (why.empty()) return;
  canvas.Font.Size = 14;
  canvas.ShadowText(4, 80, 0xFFFFFF, 0x222222, why);
}

// While the other player is gone there is nobody to play again with: only Esc ends the wait. The
// other player may choose first: its signal is taken and kept meanwhile. When the other player goes
// during the wait, the result shows again at once, with the reason.
void TForm1::WaitForRestartChoice() {
  Match.RestartChoice = ChoiceWaiting;
  Match.OwnEndState = EndState::Choosing;
  Match.PeerEndState = Match.Gone == OpponentGone::No ? EndState::Choosing : EndState::Over;
  Match.PeerRestartHeard = false;
  OpponentGone shown = Match.Gone;
  while (Match.RestartChoice == ChoiceWaiting && !Application().Terminated()) {
    LetMessagesRun();
    protocol_.RestartHeard();
    if (Match.Gone != shown) {
      shown = Match.Gone;
      ShowResult();
    }
  }
}

// The signal goes again only now and then, for a side that has not yet begun to wait for it.
void TForm1::RestartBarrier() {
  std::int64_t lastSent = 0;
  for (;;) {
    const auto now = static_cast<std::int64_t>(GetTickCount64());
    if (lastSent == 0 || now - lastSent >= RestartSignalMilliseconds) {
      protocol_.SendText(">");
      lastSent = now;
    }
    LetMessagesRun();
    if (protocol_.RestartHeard()) return;
    if (Match.RestartChoice == ChoiceQuit || Round.Phase == RoundPhase::StopRequested || Application().Terminated() ||
        Match.Gone != OpponentGone::No)
      return;
  }
}

// Each of the three marks shows the other player's aim on one depth layer.
void TForm1::DrawOpponent() {
  DrawNumber(580, 60, Round.OpponentScore);
  for (int k = 0; k < AimMarkPictures; ++k) {
    const AimMark& mark = AimMarks[k];
    const std::int32_t x = ::Round(mark.Layer * static_cast<double>(Match.OpponentCameraX - Round.CameraXInt) / 5) +
                           Match.OpponentCursorX - mark.Half;
    Assets.BackBuffer->Draw(x, Match.OpponentCursorY - mark.Half, *Assets.AimMarks[static_cast<std::size_t>(k)],
                            nullptr, true);
  }
}
