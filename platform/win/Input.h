#pragma once
// Where the application's input comes from: keys, typed text, the mouse and the window manager's
// requests, each addressed to a window. The machine's own input comes through SDL; a test or the
// scripted runner puts a source of its own in place, which may also post actions to run between
// two events.

#include <functional>
#include <string>
#include <vector>

#include "Keys.h"
#include "ScopedOverride.h"
#include "Window.h"

namespace platform {

enum class InputKind {
  KeyDown,
  KeyUp,
  Text,  // typed characters, Windows-1252
  MouseMove,
  MouseDown,
  MouseUp,
  Close,  // the window manager asks the window to close
  FocusGained,
  FocusLost,
  Action,  // something to run in the application's message processing
};

enum class MouseButton { Left, Right, Middle };

struct InputEvent {
  InputKind kind = InputKind::Action;
  // The window the event is meant for; null for the application's main window.
  Window* window = nullptr;
  WORD key = 0;
  TShiftState shift = 0;
  bool repeat = false;  // a key held down, sending itself again
  std::string text;
  POINT position{};  // picture pixels of the window
  MouseButton button = MouseButton::Left;
  std::function<void()> action;
};

class InputSource {
 public:
  virtual ~InputSource() = default;
  // One pass of message processing: every event waiting now, without waiting for one.
  virtual std::vector<InputEvent> TakePending() = 0;
  // Blocks until an event may be waiting.
  virtual void Wait() = 0;
  // The mouse position in screen pixels: the window's origin plus the picture pixel under the pointer.
  virtual POINT CursorPosition() = 0;
};

// The input in use: the machine's own unless a ScopedInput put another in place.
InputSource& CurrentInput();

class ScopedInput {
 public:
  explicit ScopedInput(InputSource& source);

 private:
  ScopedOverride<InputSource*> installed_;
};

}  // namespace platform

BOOL GetCursorPos(POINT* point);
