#pragma once
// The application: its forms, the message loop and the processing of pending messages, and the
// default display of an error that no handler caught: a message box with the error's message,
// after which the program goes on.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Form.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"

class TApplication final : public platform::MessagePump {
 public:
  using TExceptionEvent = std::function<void(const std::exception& E)>;
  using TErrorDisplay = std::function<void(const std::string& Message)>;

  TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;
  // Runs every form's OnDestroy, then frees the forms, the last made first.
  ~TApplication();

  void Initialize() {}
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& Title) { title_ = Title; }

  // A new form of the class; the first one made is the main form.
  template <class Form>
  Form& CreateForm() {
    auto form = std::make_unique<Form>(*this);
    Form& made = *form;
    forms_.push_back(std::move(form));
    if (!mainForm_) mainForm_ = &made;
    made.AfterConstruction();
    return made;
  }
  TForm* MainForm() const { return mainForm_; }
  const std::vector<std::unique_ptr<TForm>>& Forms() const { return forms_; }

  // Shows the main form and handles messages until the application is terminated.
  void Run();
  // Handles every message that is waiting and paints what needs it; never waits.
  void ProcessMessages() override;
  // While the program cannot let its handlers run: the window system's own events (a request to
  // close, focus, and what the platform answers by itself, such as a desktop asking whether the
  // window is alive) are served and the forms painted; keys, mouse and actions wait, in order, for
  // the next ProcessMessages.
  void ServeSystemEvents();
  void Terminate(int ExitCode = 0);
  bool Terminated() const { return terminated_; }
  int ExitCode() const { return exitCode_; }

  // Handles an error that reached the message loop: OnException when set, else ShowException.
  void HandleException(const std::exception& E);
  // Shows the error's message (a full stop added, as the runtime does) in the error display.
  void ShowException(const std::exception& E);
  // The message box by default; the scripted runner writes to standard error instead.
  void SetErrorDisplay(TErrorDisplay Display) { errorDisplay_ = std::move(Display); }

  TExceptionEvent OnException;

 private:
  void Dispatch(const platform::InputEvent& Event);
  TForm* FormOf(const platform::InputEvent& Event) const;
  void PaintForms();

  std::string title_;
  std::vector<platform::InputEvent> heldBack_;
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  int exitCode_ = 0;
  TErrorDisplay errorDisplay_;
  platform::ScopedMessagePump pump_;
};

// The message of an error as the runtime shows it: a full stop added unless it ends in one.
std::string ExceptionMessage(const std::exception& E);
