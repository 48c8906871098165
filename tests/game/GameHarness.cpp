#include "GameHarness.h"

namespace game_test {

std::vector<platform::InputEvent> QueuedInput::TakePending() {
  if (events_.empty()) {
    if (++dryPasses_ > 10000) throw InputRanDry{};
    return {};
  }
  dryPasses_ = 0;
  std::vector<platform::InputEvent> events{std::move(events_.front())};
  events_.pop_front();
  return events;
}

GameHarness::GameHarness(const GameFolder& Folder) : inFolder_(Folder) {
  application_.SetErrorDisplay([this](const std::string& Message) { errors_.push_back(Message); });
  application_.SetTitle("Veltranzik");
  game_ = &application_.CreateForm<TForm1>();
  game_->SetFixedSeed(7);
  game_->Show();
  application_.ProcessMessages();
}

void GameHarness::Then(std::function<void()> Check) {
  platform::InputEvent event;
  event.kind = platform::InputKind::Action;
  event.action = std::move(Check);
  input_.Queue(std::move(event));
}

void GameHarness::Pump() {
  while (!input_.Empty()) application_.ProcessMessages();
}

GameHarness::~GameHarness() = default;

void GameHarness::QueueKeyDown(WORD Key) {
  platform::InputEvent event;
  event.kind = platform::InputKind::KeyDown;
  event.key = Key;
  input_.Queue(event);
}

void GameHarness::KeyDown(WORD Key) {
  QueueKeyDown(Key);
  Pump();
}

void GameHarness::KeyUp(WORD Key) {
  platform::InputEvent event;
  event.kind = platform::InputKind::KeyUp;
  event.key = Key;
  input_.Queue(event);
  Pump();
}

}  // namespace game_test
