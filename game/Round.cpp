// A round of the game.

#include "Haupt.h"

// Rounds are not played yet: a round ends as soon as it starts, as after its time ran out, so that
// the keys after a round behave as they will.
void TForm1::StartRound() {
  Round.Phase = PhaseRoundOver;
  Program.RoundBusy = 0;
}
