#pragma once
// The window framework as a user meets it: keys, typing and clicks arrive through the input seam,
// the application hands them to the form, and what the controls do and show is read back from
// their properties and from the picture of the form's window, which stays in memory.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/StdCtrls.h"
#include "platform/win/CodePage.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"

namespace controls_test {

using platform::InputEvent;
using platform::InputKind;

class QueuedInput final : public platform::InputSource {
 public:
  std::vector<InputEvent> TakePending() override { return std::exchange(queue, {}); }
  void Wait() override {}
  POINT CursorPosition() override { return {}; }

  std::vector<InputEvent> queue;
};

class TTestForm : public TForm {
 public:
  explicit TTestForm(TApplication& Application) : TForm(Application, "TestForm") { SetBounds(0, 0, 400, 300); }
};

// A new control of the kind in Parent, at the place given.
template <class Control, class Parent>
Control& Place(Parent& parent, const char* name, std::int32_t left, std::int32_t top, std::int32_t width,
               std::int32_t height) {
  auto& control = parent.template Add<Control>(name);
  control.SetBounds(left, top, width, height);
  return control;
}

// Counts what reaches a control's handlers.
struct Seen {
  Seen() = default;
  explicit Seen(TControl& control) { Watch(control); }

  int clicks = 0;
  std::vector<WORD> keys;
  int mouseDowns = 0;

  void Watch(TControl& control) {
    control.OnClick = [this](TControl&) { ++clicks; };
    control.OnKeyDown = [this](TControl&, WORD& Key, TShiftState) { keys.push_back(Key); };
    control.OnMouseDown = [this](TControl&, platform::MouseButton, TShiftState, std::int32_t, std::int32_t) {
      ++mouseDowns;
    };
  }
};

constexpr TShiftState Alt = Only(ShiftKey::Alt);
constexpr TShiftState Ctrl = Only(ShiftKey::Ctrl);
constexpr TShiftState Shift = Only(ShiftKey::Shift);

class ControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    Pump();
  }

  void Pump() { application.ProcessMessages(); }
  // Each event gets its own pass of message processing unless the test gathers several into one.
  void Send(InputEvent event) {
    input.queue.push_back(std::move(event));
    if (!batching) Pump();
  }

  void Queue(InputKind kind, WORD key = 0, TShiftState shift = 0) {
    InputEvent event;
    event.kind = kind;
    event.key = key;
    event.shift = shift;
    Send(std::move(event));
  }
  void KeyDown(WORD key, TShiftState shift = 0) { Queue(InputKind::KeyDown, key, shift); }
  void KeyUp(WORD key, TShiftState shift = 0) { Queue(InputKind::KeyUp, key, shift); }
  void Press(WORD key, TShiftState shift = 0) {
    KeyDown(key, shift);
    KeyUp(key, shift);
  }
  // Typed as the machine's keyboard delivers it: UTF-8 made Windows-1252.
  void Type(std::string_view utf8) {
    InputEvent event;
    event.kind = InputKind::Text;
    event.text = Utf8ToCp1252(utf8);
    Send(std::move(event));
  }
  void Mouse(InputKind kind, const TControl& control, POINT at, TShiftState shift = 0) {
    InputEvent event;
    event.kind = kind;
    event.shift = shift;
    const POINT origin = control.FormOrigin();
    event.position = {origin.x + at.x, origin.y + at.y};
    Send(std::move(event));
  }
  void Click(const TControl& control, POINT at, TShiftState shift = 0) {
    Mouse(InputKind::MouseDown, control, at, shift);
    Mouse(InputKind::MouseUp, control, at, shift);
  }
  void Click(const TControl& control, TShiftState shift = 0) {
    Click(control, {control.Width() / 2, control.Height() / 2}, shift);
  }

  // A pixel of the form's window, in the control's own coordinates.
  std::uint32_t PixelAt(const TControl& control, std::int32_t x, std::int32_t y) const {
    const POINT origin = control.FormOrigin();
    const SIZE size = form.Handle()->PictureSize();
    return form.Handle()->Picture()[static_cast<std::size_t>((origin.y + y) * size.cx + origin.x + x)];
  }

  bool batching = false;
  platform::ScopedHiddenWindows hidden;
  QueuedInput input;
  platform::ScopedInput scopedInput{input};
  TApplication application;
  TForm& form = application.CreateForm<TTestForm>();
};

}  // namespace controls_test
