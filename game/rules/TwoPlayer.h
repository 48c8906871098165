#pragma once
// The two-player protocol: the lock-step exchange of texts that keeps two copies of the game in
// one world. Both sides simulate the same targets; the host spawns them, each side shoots on its
// own, and every 21 ticks the sides trade a status line and the records that changed since: both
// sides are then at the same tick, so a record arrives as it stands on the other side. No wait
// lasts for ever: the other player's end signal, a notice that it left, or the local player
// leaving end every wait, and where the other side answers by itself, ten seconds without a word
// from it too. A value from the other side that no real opponent sends ends the match as a broken
// line.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "GameState.h"
#include "MessageChannel.h"
#include "Targets.h"
#include "lib/runtime/Exception.h"

// How far a side's round has come to its end.
enum class EndState : std::uint8_t { Playing, Choosing, Over };

// Values of the restart choice.
inline constexpr std::int32_t ChoiceWaiting = 1;
inline constexpr std::int32_t ChoicePlayAgain = 2;
inline constexpr std::int32_t ChoiceQuit = 3;

// A record that changed on this side and goes to the other at the next exchange.
struct PendingRecord {
  RecordKind Kind;
  std::int32_t Slot;
  bool operator==(const PendingRecord&) const = default;
};

struct MatchState {
  // Every record announced since the last exchange goes with the next one; the status line says
  // how many.
  std::vector<PendingRecord> PendingUpdates;
  std::int32_t PeerPendingUpdate = 0;
  std::int32_t OpponentCameraX = 0;
  std::int32_t OpponentCursorX = 0;
  std::int32_t OpponentCursorY = 0;
  std::int32_t OpponentTickCount = 0;
  std::string LastText;
  EndState OwnEndState = EndState::Playing;
  EndState PeerEndState = EndState::Playing;
  std::int32_t RestartChoice = ChoiceWaiting;
  // Why the other player's end state went to over without its end signal.
  OpponentGone Gone = OpponentGone::No;
  // The other player chose to play again while this one still chose.
  bool PeerRestartHeard = false;
  // The window waits for the other person: the game's keys are kept out, Esc leaves.
  bool AwaitingPlayer = false;
  // What the result screen said last.
  std::string Result;
  // The storks as they stood after the last complete exchange, and the tick of the round it came
  // at: the same on both sides, which is how a test can see that both keep one world. Only the
  // scripted runner reads them; it cannot see the moment of an exchange from outside.
  std::int32_t ExchangeTick = 0;
  std::array<TargetRecord, TargetSlots + 1> ExchangeTargets{};
  // Record transfers begun in this match, sent or received: the frames that waited for one are
  // told apart from the rest when frame times are measured.
  std::int64_t RecordTransfers = 0;
};

// How long an exchange waits without a word from the other player.
inline constexpr std::int64_t SilenceLimitMilliseconds = 10000;
// How long a wait may keep the window's system events waiting: desktops take a window that does
// not answer for about five seconds for a hung one.
inline constexpr std::int64_t UnservedWindowMilliseconds = 500;

// What a wait is for: the other person (who may look at the title picture or the result for as long
// as they like), or the other side's program, which answers within milliseconds.
enum class Awaited { Answer, Person };

// The protocol's view of the game's window while it waits.
class MatchWindow {
 public:
  // One pass of the window while the other person is awaited: the window runs, Esc leaves.
  // True once the local player has left.
  virtual bool ServeWhilePlayerAwaited() = 0;
  // Only the system's events (close, focus, the desktop's are-you-alive), the game's own keys and
  // mouse kept for later. True once the local player has left.
  virtual bool ServeSystemEvents() = 0;
  // A field from the other side that is no number, in the runtime's words.
  virtual void ShowError(const Exception& E) = 0;

 protected:
  ~MatchWindow() = default;
};

class TwoPlayerProtocol {
 public:
  TwoPlayerProtocol(MessageChannel& Channel, MatchState& Match, RoundState& Round, TargetState& Targets,
                    MatchWindow& Window, std::function<void()> OpponentHit);

  // Which side this is: the host's records go first when both sides have some.
  void SetHost(bool Host) { isHost_ = Host; }

  void SendText(const std::string& Text);
  // Polls once: the text of what arrived, else the last text as it was.
  const std::string& ReceiveText();
  // The payload of the next message of that kind; "0" when the other player's round ended, the
  // other player is gone or the local player left.
  std::string WaitForMessage(char Letter, Awaited For = Awaited::Answer);
  std::int32_t ExchangeValue(char Letter, std::int32_t Value);
  std::string ExchangeText(char Letter, const std::string& Text);
  void SyncBarrier(Awaited For = Awaited::Answer);
  void ExchangeStatus();
  // A record that changed here (a spawn, a hit) goes to the other side with the next exchange.
  void AnnounceUpdate(RecordKind Kind, std::int32_t Slot);
  // Whether the other player is gone or its round is over.
  bool PeerOver() const { return match_.PeerEndState == EndState::Over; }

  // The round's end: the signal goes, and again with every pass, until the other side's comes;
  // what the other side sent before its signal is taken on the way. Ten seconds without a word end
  // it too.
  void SignalEnd();
  bool EndHeard();
  // Once both rounds are over, both sides trade what is still pending, a status with its records,
  // so that both show the same scores.
  void Settle();
  // Takes what waits while the players choose; true once the other player chose to play again.
  bool RestartHeard();

  // A value that no real opponent sends: the line is as good as broken.
  void Broken();

 private:
  // The next text of the other player that waits, if any; every one is a word from it.
  std::optional<std::string> TakeText();
  // Whether a wait must end without what it waits for.
  bool Interrupted() const;
  // Ten seconds without a word from the other side: it is taken as gone.
  bool SilentTooLong();
  // Runs a reader of the other side's fields; false, with the line broken, when they were bad.
  template <class Read>
  bool ReadFields(Read&& ReadThem);
  bool ServeWindow(Awaited For, std::int64_t Since);
  // False when the exchange was cut short.
  bool TradeStatusAndRecords();
  void TakeStatus(const std::string& Reply);
  // The texts of one record transfer: this side's record, or its answers to the other side's;
  // then the other side's texts of it, taken.
  void SendUpdate(const PendingRecord& Record);
  void AnswerUpdate();
  void ReceiveUpdate();
  void TakeAnswers();
  void ReceiveUpdates(std::int32_t Count);
  void StoreRecord(RecordKind Kind, std::int32_t Slot, const std::string& Record);
  void CatchUp();
  void NoteGone();

  MessageChannel& channel_;
  MatchState& match_;
  RoundState& round_;
  TargetState& targets_;
  bool isHost_ = false;
  MatchWindow& window_;
  std::function<void()> opponentHit_;
  std::int64_t heard_ = 0;  // when the other side was heard last
  bool settling_ = false;   // its end signals no longer end a wait
  bool localLeft_ = false;
};
