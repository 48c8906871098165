// The keys of the game window outside what the start screen's controls take: the title picture,
// the end of a round, starting the next one and leaving, and scrolling.

#include "Haupt.h"

void TForm1::FormKeyDown(TControl& /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
  if (Key == VK_RETURN) Key = VK_SPACE;
  // Waiting for the other player, the only key that means anything is the one that leaves.
  if (Net.NetworkGame && Match.AwaitingPlayer) {
    if (Key == VK_ESCAPE) Match.RestartChoice = ChoiceQuit;
    return;
  }
  if (Program.TitlePictureShowing) {
    if (Key == VK_ESCAPE || Key == VK_SPACE) Program.TitlePictureShowing = false;
    return;
  }
  if (Net.NetworkGame && Match.OwnEndState == EndState::Choosing) {
    if (Program.KeyHeld) return;
    // Nobody is left to play again with once the other player is gone.
    if (Key == VK_SPACE && Match.Gone == OpponentGone::No) Match.RestartChoice = ChoicePlayAgain;
    if (Key == VK_ESCAPE) Match.RestartChoice = ChoiceQuit;
    return;
  }
  if (Key == VK_ESCAPE) {
    if (Program.KeyHeld) return;
    Program.KeyHeld = true;
    if (Round.Phase == RoundPhase::RoundOver) {
      Round.Phase = RoundPhase::StartScreen;
      SaveAndQuit();
    } else {
      Round.Phase = RoundPhase::StopRequested;
    }
    return;
  }
  if (Key == VK_SPACE) {
    if (Program.KeyHeld || Program.RoundBusy) return;
    Program.KeyHeld = true;
    Round.Phase = RoundPhase::Running;
    if (vollbild->Checked()) SetGamePalette();
    StartRound();
    return;
  }
  if (Key == VK_LEFT) Program.LeftHeld = true;
  if (Key == VK_RIGHT) Program.RightHeld = true;
}

void TForm1::FormKeyUp(TControl& /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
  if (Program.KeyHeld && (Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_SPACE)) Program.KeyHeld = false;
  if (Key == VK_LEFT) Program.LeftHeld = false;
  if (Key == VK_RIGHT) Program.RightHeld = false;
}
