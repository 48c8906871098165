#include <functional>

#include "Haupt.h"
#include "ScriptActions.h"
#include "platform/win/CodePage.h"

namespace {

void WriteComponent(const TControl& Control, std::ostream& Out) {
  const std::string& name = Control.Name();
  Out << name << ".enabled=" << Control.Enabled() << '\n';
  Out << name << ".visible=" << Control.Visible() << '\n';
  if (const auto* box = dynamic_cast<const TCheckBox*>(&Control)) Out << name << ".checked=" << box->Checked() << '\n';
  if (const auto* memo = dynamic_cast<const TMemo*>(&Control))
    Out << name << ".text=" << Cp1252ToUtf8(memo->Text()) << '\n';
  else if (!Control.Caption().empty() || dynamic_cast<const TLabel*>(&Control))
    Out << name << ".text=" << Cp1252ToUtf8(Control.Caption()) << '\n';
  if (const auto* bar = dynamic_cast<const TTrackBar*>(&Control))
    Out << name << ".position=" << bar->Position() << '\n';
  if (const auto* list = dynamic_cast<const TListBox*>(&Control))
    Out << name << ".item_index=" << list->ItemIndex() << '\n';
}

void WriteComponents(const TControl& Parent, std::ostream& Out) {
  for (const auto& child : Parent.Controls()) {
    WriteComponent(*child, Out);
    WriteComponents(*child, Out);
  }
}

}  // namespace

void WriteGameState(const TForm1& Game, std::ostream& Out) {
  Out << "phase=" << int{Game.Round.Phase} << '\n';
  Out << "round_busy=" << int{Game.Program.RoundBusy} << '\n';
  Out << "title_showing=" << int{Game.Program.TitlePictureShowing} << '\n';
  Out << "network_game=" << int{Game.Net.NetworkGame} << '\n';
  Out << "is_host=" << int{Game.Net.IsHost} << '\n';
  Out << "score=" << Game.Round.Score << '\n';
  Out << "opponent_score=" << Game.Round.OpponentScore << '\n';
  Out << "round_seconds=" << Game.Round.RoundSeconds << '\n';
  Out << "spawn_threshold=" << Game.Targets.SpawnThreshold << '\n';
  Out << "camera_x=" << Game.Round.CameraX << '\n';
  Out << "cursor_x=" << Game.Round.CursorX << '\n';
  Out << "cursor_y=" << Game.Round.CursorY << '\n';
  Out << "player_name=" << Cp1252ToUtf8(Game.Program.PlayerName) << '\n';
  const TControl* focused = Game.ActiveControl();
  Out << "focused=" << (focused ? focused->Name() : std::string()) << '\n';
  WriteComponents(Game, Out);
  for (int slot = 1; slot <= HighScoreSlots; ++slot)
    Out << "highscore" << slot << '=' << Game.Settings.HighScorePoints[slot - 1] << ' '
        << Cp1252ToUtf8(Game.Settings.HighScoreNames[slot - 1].Get()) << '\n';
}
