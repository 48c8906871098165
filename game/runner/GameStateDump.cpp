#include <functional>

#include "Haupt.h"
#include "ScriptActions.h"
#include "game/rules/MessageText.h"
#include "game/rules/RoundRules.h"
#include "platform/win/Clock.h"
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

// The samples playing now, by file name in the order they were loaded.
std::string SoundsPlaying(TForm1& Game) {
  std::string names;
  for (const SoundLoad& load : GameSounds(Game.Assets)) {
    DWORD status = 0;
    const SoundSample& sample = *load.Slot;
    if (!sample || !sample->Buffer() || sample->Buffer()->GetStatus(&status) != DS_OK) continue;
    if (!(status & DSBSTATUS_PLAYING)) continue;
    if (!names.empty()) names += ' ';
    names += Cp1252ToUtf8(load.FileName);
  }
  return names;
}

std::int32_t CountTargets(const TForm1& Game, std::int32_t State) {
  std::int32_t count = 0;
  for (int slot = 1; slot <= LiveTargetSlots; ++slot)
    if (Game.Targets.Targets[static_cast<std::size_t>(slot)].State == State) ++count;
  return count;
}

void WriteRound(TForm1& Game, std::ostream& Out) {
  const RoundState& round = Game.Round;
  const auto sinceStart = static_cast<std::int64_t>(GetTickCount64()) - round.RoundStartTick;
  Out << "remaining_seconds="
      << (round.RoundStartTick == 0 ? round.RoundSeconds : RemainingSeconds(round.RoundSeconds, sinceStart)) << '\n';
  Out << "tick_count=" << round.TickCount << '\n';
  Out << "tick_accumulator=" << round.TickAccumulator << '\n';
  Out << "last_shown_seconds=" << round.LastShownSeconds << '\n';
  Out << "frames=" << round.FramesShown << '\n';
  Out << "ticks_run=" << round.TicksRun << '\n';
  Out << "cartridges=" << Game.Magazine.Cartridges << '\n';
  Out << "icon_count=" << Game.Magazine.IconCount << '\n';
  Out << "shot_sound_index=" << Game.Magazine.ShotSoundIndex << '\n';
  Out << "storks_flying=" << CountTargets(Game, TargetFlying) << '\n';
  Out << "storks_falling=" << CountTargets(Game, TargetFalling) << '\n';
  Out << "ground_figures=" << Game.Targets.GroundFigureCount << '\n';
  Out << "plane_state=" << static_cast<int>(Game.Targets.Plane.PlaneState) << '\n';
  Out << "sounds_playing=" << SoundsPlaying(Game) << '\n';
}

// Where the targets were drawn in the last frame, for a script that aims at them.
void WriteTargets(const TForm1& Game, std::ostream& Out) {
  for (int slot = 1; slot <= LiveTargetSlots; ++slot) {
    const TargetRecord& stork = Game.Targets.Targets[static_cast<std::size_t>(slot)];
    if (stork.State != TargetFlying) continue;
    Out << "stork" << slot << '=' << stork.Kind << ' ' << (stork.Direction ? 1 : 0) << ' ' << ShownFrame(stork.Frame)
        << ' ' << stork.ScreenX << ' ' << stork.ScreenY << '\n';
  }
  for (int slot = 1; slot <= LiveFigureSlots; ++slot) {
    const GroundFigureRecord& figure = Game.Targets.GroundFigures[static_cast<std::size_t>(slot)];
    if (figure.State != FigureFree)
      Out << "figure" << slot << '=' << figure.State << ' ' << figure.Frame << ' ' << figure.ScreenX << '\n';
  }
  const PlaneRecord& plane = Game.Targets.Plane;
  if (plane.PlaneState == PlaneCondition::Absent || !Game.Assets.Plane[0]) return;
  const std::size_t way = plane.PlaneFromRight ? 1 : 0;
  const TVXGFileSprite& picture = *Game.Assets.Plane[way];
  Out << "plane_box=" << plane.PlaneScreenX << ' ' << plane.PlaneY << ' ' << picture.Width() << ' ' << picture.Height()
      << '\n';
  if (plane.BannerFrame < 1 || plane.BannerFrame > BannerFrames) return;
  const TVXGFileSprite& banner = *Game.Assets.Banners[static_cast<std::size_t>(plane.BannerFrame - 1)][way];
  Out << "banner_box=" << plane.PlaneScreenX + plane.BannerOffset << ' ' << plane.PlaneY << ' ' << banner.Width() << ' '
      << banner.Height() << '\n';
}

const char* GoneName(OpponentGone Gone) {
  switch (Gone) {
    case OpponentGone::Left:
      return "left";
    case OpponentGone::SessionLost:
      return "session_lost";
    case OpponentGone::Silent:
      return "silent";
    case OpponentGone::Broken:
      return "broken";
    default:
      return "";
  }
}

// The other player, and the world as both sides had it after the last complete exchange.
void WriteMatch(const TForm1& Game, std::ostream& Out) {
  const MatchState& match = Game.Match;
  Out << "own_end_state=" << static_cast<int>(match.OwnEndState) << '\n';
  Out << "peer_end_state=" << static_cast<int>(match.PeerEndState) << '\n';
  Out << "restart_choice=" << match.RestartChoice << '\n';
  Out << "opponent_gone=" << GoneName(match.Gone) << '\n';
  Out << "result=" << Cp1252ToUtf8(match.Result) << '\n';
  Out << "track_position=" << Game.track->Position() << '\n';
  Out << "exchange_tick=" << match.ExchangeTick << '\n';
  Out << "record_transfers=" << match.RecordTransfers << '\n';
  for (int slot = 1; slot <= LiveTargetSlots; ++slot) {
    const TargetRecord& stork = match.ExchangeTargets[static_cast<std::size_t>(slot)];
    if (stork.State != TargetFlying && stork.State != TargetFalling) continue;
    Out << "exchange_stork" << slot << '=' << stork.Kind << ' ' << stork.State << ' ' << Thousandths(stork.X) << ' '
        << Thousandths(stork.Y) << '\n';
  }
}

}  // namespace

void WriteGameState(TForm1& Game, std::ostream& Out) {
  Out << "phase=" << static_cast<int>(Game.Round.Phase) << '\n';
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
  WriteRound(Game, Out);
  WriteTargets(Game, Out);
  WriteMatch(Game, Out);
  WriteComponents(Game, Out);
  for (int slot = 1; slot <= HighScoreSlots; ++slot)
    Out << "highscore" << slot << '=' << Game.Settings.HighScorePoints[slot - 1] << ' '
        << Cp1252ToUtf8(Game.Settings.HighScoreNames[slot - 1].Get()) << '\n';
}
