// The keys of the game window outside what the start screen's controls take: the title picture,
// the end of a round, starting the next one and leaving, and scrolling.

#include "Haupt.h"

void TForm1::FormKeyDown(TControl& /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
  if (Key == VK_RETURN) Key = VK_SPACE;
  // Waiting for the other player, the only key that means anything is the one that leaves.
  if (Net.NetworkGame == 1 && Match.AwaitingPlayer) {
    if (Key == VK_ESCAPE) Match.RestartChoice = ChoiceQuit;
    return;
  }
  if (Program.TitlePictureShowing == 1) {
    if (Key == VK_ESCAPE || Key == VK_SPACE) Program.TitlePictureShowing = 0;
    return;
  }
  if (Net.NetworkGame == 1 && Match.OwnEndState == EndChoosing) {
    if (Program.KeyHeld == 1) return;
    // Nobody is left to play again with once the other player is gone.
    if (Key == VK_SPACE && Match.Gone == OpponentGone::No) Match.RestartChoice = ChoicePlayAgain;
    if (Key == VK_ESCAPE) Match.RestartChoice = ChoiceQuit;
    return;
  }
  if (Key == VK_ESCAPE) {
    if (Program.KeyHeld == 1) return;
    Program.KeyHeld = 1;
    if (Round.Phase == PhaseRoundOver) {
      Round.Phase = PhaseStartScreen;
      SaveAndQuit();
    } else {
      Round.Phase = PhaseStopRequested;
    }
    return;
  }
  if (Key == VK_SPACE) {
    if (Program.KeyHeld == 1 || Program.RoundBusy == 1) return;
    Program.KeyHeld = 1;
    Round.Phase = PhaseRunning;
    if (vollbild->Checked()) SetGamePalette();
    StartRound();
    return;
  }
  if (Key == VK_LEFT) Program.LeftHeld = 1;
  if (Key == VK_RIGHT) Program.RightHeld = 1;
}

void TForm1::FormKeyUp(TControl& /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
  if (Program.KeyHeld == 1 && (Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_SPACE)) Program.KeyHeld = 0;
  if (Key == VK_LEFT) Program.LeftHeld = 0;
  if (Key == VK_RIGHT) Program.RightHeld = 0;
}
