#include "ScriptActions.h"

#include <fstream>
#include <sstream>

#include "Haupt.h"
#include "ScriptedInput.h"
#include "platform/forms/PictureFile.h"
#include "platform/win/CodePage.h"

namespace {

template <class Control>
Control& As(TControl& Found, const ScriptCommand& Command, const char* Kind) {
  auto* control = dynamic_cast<Control*>(&Found);
  if (!control) throw ScriptFault{Command.Line, Command.Control + " is no " + Kind};
  return *control;
}

}  // namespace

TForm1& ScriptActions::Game(const ScriptCommand& Command) const {
  auto* game = dynamic_cast<TForm1*>(application_.MainForm());
  if (!game) throw ScriptFault{Command.Line, "the game has no main form"};
  return *game;
}

void ScriptActions::Perform(const ScriptCommand& Command) {
  switch (Command.Verb) {
    case ScriptVerb::Control:
      ActOnControl(Command);
      break;
    case ScriptVerb::Screenshot:
      WriteScreenshot(Command);
      break;
    case ScriptVerb::State:
      WriteState(Command);
      break;
    case ScriptVerb::End:
      throw ScriptEnd{};
    default:
      break;
  }
}

// A user reaches only what is shown and enabled; what a user's hand does goes through the same
// code as the mouse and the keys.
void ScriptActions::ActOnControl(const ScriptCommand& Command) {
  TControl* found = Game(Command).FindComponent(Command.Control);
  if (!found || found == application_.MainForm())
    throw ScriptFault{Command.Line, "there is no component named " + Command.Control};
  if (!found->Reachable()) return;
  switch (Command.Action) {
    case ControlVerb::Click:
      if (found->CanFocus()) found->SetFocus();
      found->Click();
      break;
    case ControlVerb::Text: {
      TMemo& memo = As<TMemo>(*found, Command, "text field");
      memo.SetFocus();
      memo.SelectAll();
      memo.TypeText(Utf8ToCp1252(Command.Text));
      break;
    }
    case ControlVerb::Select: {
      TListBox& list = As<TListBox>(*found, Command, "list box");
      list.SetFocus();
      list.ChooseItem(Command.Number, 0);
      break;
    }
    case ControlVerb::Position: {
      TTrackBar& bar = As<TTrackBar>(*found, Command, "track bar");
      bar.SetFocus();
      bar.SetPosition(Command.Number);
      break;
    }
  }
}

void ScriptActions::WriteScreenshot(const ScriptCommand& Command) {
  const HWND window = Game(Command).Handle();
  if (!window || window->Picture().empty()) throw ScriptFault{Command.Line, "the window shows nothing to take"};
  if (!platform::SavePictureAsPng(*window, Command.Text))
    throw ScriptFault{Command.Line, "cannot write the screenshot " + Command.Text};
}

void ScriptActions::WriteState(const ScriptCommand& Command) {
  std::ofstream out(Command.Text, std::ios::binary | std::ios::trunc);
  WriteGameState(Game(Command), out);
  if (freezeMeter_) out << "longest_freeze_ms=" << freezeMeter_() << '\n';
  out.flush();
  if (!out) throw ScriptFault{Command.Line, "cannot write the state to " + Command.Text};
}

std::string StateValue(TApplication& Application, const std::string& Key) {
  auto* game = dynamic_cast<TForm1*>(Application.MainForm());
  if (!game) return {};
  std::stringstream state;
  WriteGameState(*game, state);
  const std::string prefix = Key + "=";
  for (std::string line; std::getline(state, line);)
    if (line.starts_with(prefix)) return line.substr(prefix.size());
  return {};
}

FrameMark FrameMarkOf(TApplication& Application) {
  const auto* game = dynamic_cast<const TForm1*>(Application.MainForm());
  if (!game) return {};
  return {game->Round.RoundStartTick, game->Round.FramesShown, game->Match.RecordTransfers,
          game->Round.Phase == RoundPhase::Running};
}
