#include "Application.h"

#include <iterator>

#include "platform/win/MessageBox.h"

std::string ExceptionMessage(const std::exception& E) {
  std::string message = E.what();
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

TApplication::TApplication() : pump_(*this) {}

TApplication::~TApplication() {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
    try {
      (*it)->BeforeDestruction();
    } catch (const std::exception& e) {
      HandleException(e);
    }
  }
  while (!forms_.empty()) forms_.pop_back();
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  // A key pressed the moment the window appears must find the form as its first paint sets it up,
  // not a form without its controls.
  PaintForms();
  while (!terminated_) {
    ProcessMessages();
    if (terminated_) break;
    platform::CurrentInput().Wait();
  }
}

void TApplication::ProcessMessages() {
  std::vector<platform::InputEvent> events = platform::CurrentInput().TakePending();
  if (!heldBack_.empty()) {
    events.insert(events.begin(), std::make_move_iterator(heldBack_.begin()), std::make_move_iterator(heldBack_.end()));
    heldBack_.clear();
  }
  for (const platform::InputEvent& event : events) Dispatch(event);
  PaintForms();
}

namespace {

bool IsSystemEvent(platform::InputKind Kind) {
  using platform::InputKind;
  return Kind == InputKind::Close || Kind == InputKind::FocusGained || Kind == InputKind::FocusLost;
}

}  // namespace

void TApplication::ServeSystemEvents() {
  for (platform::InputEvent& event : platform::CurrentInput().TakePending()) {
    if (IsSystemEvent(event.kind))
      Dispatch(event);
    else
      heldBack_.push_back(std::move(event));
  }
  PaintForms();
}

void TApplication::Terminate(int ExitCode) {
  terminated_ = true;
  exitCode_ = ExitCode;
}

void TApplication::HandleException(const std::exception& E) {
  if (OnException)
    OnException(E);
  else
    ShowException(E);
}

void TApplication::ShowException(const std::exception& E) {
  const std::string message = ExceptionMessage(E);
  if (errorDisplay_) {
    errorDisplay_(message);
    return;
  }
  MessageBoxA(mainForm_ ? mainForm_->Handle() : nullptr, message.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

TForm* TApplication::FormOf(const platform::InputEvent& Event) const {
  if (!Event.window) return mainForm_;
  for (const auto& form : forms_)
    if (form->Handle() == Event.window) return form.get();
  return nullptr;
}

// Every event is handled on its own: an error in one handler is shown, and the next event follows.
void TApplication::Dispatch(const platform::InputEvent& Event) {
  try {
    if (Event.kind == platform::InputKind::Action) {
      if (Event.action) Event.action();
      return;
    }
    if (TForm* form = FormOf(Event)) form->HandleInput(Event);
  } catch (const std::exception& e) {
    HandleException(e);
  }
}

void TApplication::PaintForms() {
  for (const auto& form : forms_) {
    try {
      form->PaintIfInvalid();
    } catch (const std::exception& e) {
      HandleException(e);
    }
  }
}
