#pragma once
// The game in this process, as the program starts it, on the headless services: windows off
// screen, a scripted clock, a sound device that only renders when asked, and input queued by the
// test. Errors that reach the message loop are recorded instead of shown.

#include <deque>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "game/Haupt.h"
#include "platform/forms/HeadlessPlatform.h"
#include "platform/win/Input.h"

namespace game_test {

// Hands out one queued event a pass of message processing, as a user's keys arrive between frames.
class QueuedInput final : public platform::InputSource {
 public:
  std::vector<platform::InputEvent> TakePending() override;
  void Wait() override {}
  POINT CursorPosition() override { return cursor_; }

  void Queue(platform::InputEvent Event) { events_.push_back(std::move(Event)); }
  bool Empty() const { return events_.empty(); }

 private:
  std::deque<platform::InputEvent> events_;
  int dryPasses_ = 0;
  POINT cursor_{};
};

// The game asked for input long after the test's queue ran out: it would wait for ever.
struct InputRanDry {};

class GameHarness {
 public:
  // Starts the game in Folder and lets it paint its start screen.
  explicit GameHarness(const GameFolder& Folder);
  ~GameHarness();

  TForm1& Game() { return *game_; }
  TApplication& Application() { return application_; }
  const std::vector<std::string>& Errors() const { return errors_; }

  // A key goes down or up, and the game handles everything queued.
  void KeyDown(WORD Key);
  void KeyUp(WORD Key);
  // Queues a key, or a check to make when the game gets there, for a game busy in a loop of its own.
  void QueueKeyDown(WORD Key);
  void Then(std::function<void()> Check);
  // Lets the game handle everything queued.
  void Pump();

 private:
  InFolder inFolder_;
  platform::HeadlessPlatform platform_;
  QueuedInput input_;
  platform::ScopedInput scopedInput_{input_};
  std::vector<std::string> errors_;
  TApplication application_;
  TForm1* game_ = nullptr;
};

}  // namespace game_test
