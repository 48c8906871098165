// From the start screen into the game: the window becomes the full-screen game, everything is
// loaded while the title picture shows, and the title waits for a key before the first round.

#include "Haupt.h"

void TForm1::eNameExit(TControl& /*Sender*/) {
  Application().OnException = [this](const std::exception& E) { EndOnError(E); };
  SetBorderStyle(TFormBorderStyle::None);
  Repaint();
  PrepareDisplay();
  Program.PlayerName = eName->Text();
  Settings.LastPlayerName.Set(eName->Text());
  pname->SetVisible(false);
  pname->SetEnabled(false);
  LoadAssets();
  Assets.BackBuffer->ColorFill(nullptr, 0);
  while (Program.TitlePictureShowing && !Application().Terminated()) {
    Assets.BackBuffer->Draw(0, 0, *Assets.TitlePicture, nullptr, false);
    Assets.BackBuffer->Draw(9, 440, *Assets.ReadyPrompt, nullptr, false);
    Assets.BackBuffer->Flip();
    Application().ProcessMessages();
  }
  if (!Application().Terminated()) StartRound();
}

// Once the window is the game there is no start screen to go back to: the error is shown, what
// the player has so far is saved, and the program ends.
void TForm1::EndOnError(const std::exception& E) {
  Application().ShowException(E);
  SaveSettings();
  Application().Terminate(1);
}
