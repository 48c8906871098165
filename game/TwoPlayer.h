#pragma once
// The two-player protocol: the lock-step exchange of texts that keeps two copies of the game in
// one world. Both sides simulate the same targets; the host spawns them, each side shoots on its
// own, and every 21 ticks the sides trade a status line and the records that changed since: both
// sides are then at the same tick, so a record arrives as it stands on the other side. No wait
// lasts for ever: the other player's end signal, a notice that it left, or ten seconds without a
// word from it all end a wait.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "GameState.h"
#include "MessageChannel.h"
#include "Targets.h"

// Values of the end states.
inline constexpr std::uint8_t EndPlaying = 0;
inline constexpr std::uint8_t EndChoosing = 1;
inline constexpr std::uint8_t EndOver = 2;
// Values of the restart choice.
inline constexpr std::int32_t ChoiceWaiting = 1;
inline constexpr std::int32_t ChoicePlayAgain = 2;
inline constexpr std::int32_t ChoiceQuit = 3;

// A record that changed on this side and goes to the other at the next exchange.
struct PendingRecord {
  std::int32_t Kind;  // 1 stork, 2 ground figure
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
  std::uint8_t OwnEndState = 0;
  std::uint8_t PeerEndState = 0;
  std::int32_t RestartChoice = ChoiceWaiting;
  // Why the other player's end state went to over without its end signal.
  OpponentGone Gone = OpponentGone::No;
  // What the result screen said last.
  std::string Result;
  // The storks as they stood after the last complete exchange, and the tick of the round it came
  // at: the same on both sides, which is how a test can see that both keep one world.
  std::int32_t ExchangeTick = 0;
  std::array<TargetRecord, TargetSlots + 1> ExchangeTargets{};
};

// How long an exchange waits without a word from the other player.
inline constexpr std::int64_t SilenceLimitMilliseconds = 10000;

class TwoPlayerProtocol {
 public:
  TwoPlayerProtocol(MessageChannel& Channel, MatchState& Match, RoundState& Round, TargetState& Targets,
                    const std::uint8_t& IsHost, std::function<void()> OpponentHit);

  void SendText(const std::string& Text);
  // Polls once: the text of what arrived, else the last text as it was.
  const std::string& ReceiveText();
  // The payload of the next message of that kind; "0" when the other player's round ended or the
  // other player is gone.
  std::string WaitForMessage(char Letter);
  std::int32_t ExchangeValue(char Letter, std::int32_t Value);
  std::string ExchangeText(char Letter, const std::string& Text);
  void SyncBarrier();
  void ExchangeStatus();
  // A record that changed here (a spawn, a hit) goes to the other side with the next exchange.
  void AnnounceUpdate(std::int32_t Kind, std::int32_t Slot);
  // Whether the other player is gone or its round is over.
  bool PeerOver() const { return match_.PeerEndState == EndOver; }

 private:
  void SendUpdate(const PendingRecord& Record);
  void ReceiveUpdate();
  void SendUpdates();
  void ReceiveUpdates(std::int32_t Count);
  void NoteGone();

  MessageChannel& channel_;
  MatchState& match_;
  RoundState& round_;
  TargetState& targets_;
  const std::uint8_t& isHost_;
  std::function<void()> opponentHit_;
};
