#pragma once
// The scripted runner's input and clock: commands of the script become the application's events
// when the game, running or waiting, reaches their time. The virtual clock moves as a real one
// would for the game: each frame shown moves it by one refresh, each Sleep by its length, a pass
// of message processing that showed no frame by a millisecond, and a wait for input to the next
// command.

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "Script.h"
#include "platform/win/Clock.h"
#include "platform/win/Input.h"

// Raised when the run ends by the script's wish: its end command, or nothing left to wait for.
struct ScriptEnd {};

class ScriptedInput final : public platform::InputSource {
 public:
  // Perform carries out the commands that are not input (control, screenshot, state, end);
  // Origin tells where the game's window stands on the screen; TimePassed hears of every move of
  // the clock, so that what runs on its own (the sound) keeps pace.
  // StateValue reads a key of the game's state, for the commands that await one; StorkInSight
  // finds where a shot hits a stork.
  ScriptedInput(std::vector<ScriptCommand> Commands, platform::ScriptedClock& Clock,
                std::function<void(const ScriptCommand&)> Perform, std::function<POINT()> Origin,
                std::function<void(std::uint64_t Milliseconds)> TimePassed,
                std::function<std::string(const std::string& Key)> StateValue,
                std::function<std::optional<POINT>()> StorkInSight);

  std::vector<platform::InputEvent> TakePending() override;
  // The longest real time between two passes of message processing so far: how long the game
  // was frozen at most, waiting for the other player in the middle of a frame.
  std::chrono::milliseconds LongestFreeze() const { return longestFreeze_; }
  // Watcher hears of every pass, once a frame shown before it would be on a screen of 60 Hz: at
  // its refresh when the frame was early, at once when it was late.
  void WatchPasses(std::function<void()> Watcher) { passWatcher_ = std::move(Watcher); }
  void Wait() override;
  POINT CursorPosition() override;

  // How long the game may run on after the last command without ending or waiting.
  static constexpr std::uint64_t RunOnLimit = 600000;
  // How long, in real time, a state awaited may take to come: the other program may be gone.
  static constexpr std::chrono::seconds AwaitLimit{120};

 private:
  std::uint64_t Now() const { return clock_.Milliseconds() - start_; }
  // When a command is due: its time, or its time after the line above was carried out.
  std::uint64_t Due(const ScriptCommand& Command) const {
    return Command.Relative ? lastDone_ + Command.Time : Command.Time;
  }
  void TellTime();
  // Whether the command at the head may go: an awaited state holds it back until it comes, a
  // hold until its real time has passed.
  bool Ready(const ScriptCommand& Command);
  bool HoldDone(const ScriptCommand& Command);
  // During a hold the virtual clock keeps pace with real time, ahead of it by no more than a frame.
  void KeepPaceWithRealTime();
  // While a state is awaited the virtual clock follows real time.
  void PassRealTime(std::chrono::milliseconds Time);
  void Expand(const ScriptCommand& Command, std::vector<platform::InputEvent>& Events);
  void Click(const ScriptCommand& Command, std::vector<platform::InputEvent>& Events);
  platform::InputEvent KeyEvent(platform::InputKind Kind, WORD Key) const;
  platform::InputEvent MouseEvent(platform::InputKind Kind, const ScriptCommand& Command) const;

  std::vector<ScriptCommand> commands_;
  std::size_t next_ = 0;
  platform::ScriptedClock& clock_;
  const std::uint64_t start_;
  std::function<void(const ScriptCommand&)> perform_;
  std::function<POINT()> origin_;
  std::function<void(std::uint64_t)> timePassed_;
  std::function<std::string(const std::string&)> stateValue_;
  std::function<std::optional<POINT>()> storkInSight_;
  std::function<void()> passWatcher_;
  std::optional<std::chrono::steady_clock::time_point> awaitingSince_;
  struct Hold {
    std::chrono::steady_clock::time_point RealStart;
    std::uint64_t VirtualStart;
  };
  std::optional<Hold> holding_;
  std::optional<std::chrono::steady_clock::time_point> lastRealPass_;
  std::chrono::milliseconds longestFreeze_{0};
  std::uint64_t heard_;  // the clock when TimePassed last heard of it
  std::optional<std::uint64_t> lastPass_;
  std::uint64_t lastDone_ = 0;
  POINT cursor_{320, 240};  // the middle of the screen until the script moves it
  TShiftState shift_ = 0;
};
