// The window framework as a user meets it: keys, typing and clicks arrive through the input seam,
// the application hands them to the form, and what the controls do and show is read back from
// their properties and from the picture of the form's window, which stays in memory.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win/Application.h"
#include "platform/win/CodePage.h"
#include "platform/win/Input.h"
#include "platform/win/StdCtrls.h"
#include "platform/win/Window.h"

namespace {

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

// Counts what reaches a control's handlers.
struct Seen {
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

TEST_F(ControlsTest, TabWalksNestedPanelsPastWhatCannotTakeTheKeyboard) {
  auto& memo = form.Add<TMemo>("memo");
  memo.SetBounds(10, 10, 100, 22);
  auto& outer = form.Add<TPanel>("outer");
  outer.SetBounds(10, 40, 380, 200);
  auto& check = outer.Add<TCheckBox>("check");
  check.SetBounds(8, 8, 120, 17);
  auto& inner = outer.Add<TPanel>("inner");
  inner.SetBounds(8, 30, 360, 150);
  auto& off = inner.Add<TButton>("off");
  off.SetBounds(8, 8, 75, 25);
  off.SetEnabled(false);
  auto& list = inner.Add<TListBox>("list");
  list.SetBounds(8, 40, 120, 60);
  auto& noTab = inner.Add<TButton>("noTab");
  noTab.SetBounds(140, 8, 75, 25);
  noTab.SetTabStop(false);
  auto& gone = outer.Add<TButton>("gone");
  gone.SetBounds(240, 8, 75, 25);
  gone.SetVisible(false);
  auto& track = form.Add<TTrackBar>("track");
  track.SetBounds(10, 250, 200, 30);

  memo.SetFocus();
  std::vector<TControl*> forward;
  for (int i = 0; i < 4; ++i) {
    Press(VK_TAB);
    forward.push_back(form.ActiveControl());
  }
  EXPECT_EQ(forward, (std::vector<TControl*>{&check, &list, &track, &memo}));
  std::vector<TControl*> backward;
  for (int i = 0; i < 4; ++i) {
    Press(VK_TAB, Shift);
    backward.push_back(form.ActiveControl());
  }
  EXPECT_EQ(backward, (std::vector<TControl*>{&track, &list, &check, &memo}));

  // Ctrl+Tab is not the dialog's.
  Press(VK_TAB, Ctrl);
  EXPECT_EQ(form.ActiveControl(), &memo);

  // Enabled again, it takes its place in the order.
  off.SetEnabled(true);
  check.SetFocus();
  Press(VK_TAB);
  EXPECT_EQ(form.ActiveControl(), &off);
  Press(VK_TAB);
  EXPECT_EQ(form.ActiveControl(), &list);

  // Tab skips a control that is no tab stop, but a click gives it the keyboard, and Tab goes on
  // from where it stands.
  Click(noTab);
  EXPECT_TRUE(noTab.Focused());
  Press(VK_TAB);
  EXPECT_EQ(form.ActiveControl(), &track);
  Click(noTab);
  Press(VK_TAB, Shift);
  EXPECT_EQ(form.ActiveControl(), &list);

  // A disabled panel takes everything inside it out of the order.
  inner.SetEnabled(false);
  EXPECT_EQ(form.ActiveControl(), nullptr);
  check.SetFocus();
  Press(VK_TAB);
  EXPECT_EQ(form.ActiveControl(), &track);
}

TEST_F(ControlsTest, TheKeyboardLeavesWhatIsHiddenOrDisabled) {
  Seen formSeen;
  form.OnKeyDown = [&](TControl&, WORD& Key, TShiftState) { formSeen.keys.push_back(Key); };
  form.OnMouseDown = [&](TControl&, platform::MouseButton, TShiftState, std::int32_t, std::int32_t) {
    ++formSeen.mouseDowns;
  };
  auto& panel = form.Add<TPanel>("panel");
  panel.SetBounds(10, 10, 200, 100);
  auto& memo = panel.Add<TMemo>("memo");
  memo.SetBounds(8, 8, 120, 22);
  Seen memoSeen;
  memoSeen.Watch(memo);
  auto& label = form.Add<TLabel>("label");
  label.SetBounds(10, 120, 0, 0);
  label.SetCaption("Name:");
  auto& check = form.Add<TCheckBox>("check");
  check.SetBounds(10, 150, 120, 17);
  auto& button = form.Add<TButton>("button");
  button.SetBounds(10, 180, 80, 25);
  Seen buttonSeen;
  buttonSeen.Watch(button);

  // A click gives the keyboard to what can take it; the background and a label leave it where it is.
  Click(memo);
  EXPECT_TRUE(memo.Focused());
  Click(label);
  Click(panel, {190, 90});
  Mouse(InputKind::MouseDown, form, {390, 290});
  Mouse(InputKind::MouseUp, form, {390, 290});
  Type("Ab");
  EXPECT_TRUE(memo.Focused());
  EXPECT_EQ(memo.Text(), "Ab");
  EXPECT_EQ(formSeen.mouseDowns, 1);

  panel.SetVisible(false);
  EXPECT_FALSE(memo.Focused());
  EXPECT_EQ(form.ActiveControl(), nullptr);
  Press(VK_LEFT);
  Type("c");
  EXPECT_EQ(memo.Text(), "Ab");
  EXPECT_TRUE(memoSeen.keys.empty());
  EXPECT_EQ(formSeen.keys, std::vector<WORD>{VK_LEFT});
  // Showing the panel again does not give the keyboard back by itself.
  panel.SetVisible(true);
  EXPECT_EQ(form.ActiveControl(), nullptr);

  check.SetFocus();
  ASSERT_TRUE(check.Focused());
  check.SetEnabled(false);
  EXPECT_EQ(form.ActiveControl(), nullptr);
  Press(VK_SPACE);
  EXPECT_FALSE(check.Checked());

  // A button held down with Space lets go when the keyboard moves on: coming back and releasing
  // Space is no click.
  button.SetFocus();
  KeyDown(VK_SPACE);
  Press(VK_TAB);
  Press(VK_TAB, Shift);
  KeyUp(VK_SPACE);
  EXPECT_TRUE(button.Focused());
  EXPECT_EQ(buttonSeen.clicks, 0);
  Press(VK_SPACE);
  EXPECT_EQ(buttonSeen.clicks, 1);
}

TEST_F(ControlsTest, EnterReachesTheDefaultButtonAndAltPressesTheMarkedOne) {
  auto& memo = form.Add<TMemo>("memo");
  memo.SetBounds(10, 10, 100, 22);
  Seen memoSeen;
  memoSeen.Watch(memo);
  auto& check = form.Add<TCheckBox>("check");
  check.SetBounds(10, 40, 120, 17);
  auto& start = form.Add<TButton>("start");
  start.SetBounds(10, 70, 80, 25);
  start.SetCaption("&Start");
  start.SetDefault(true);
  Seen startSeen;
  startSeen.Watch(start);
  auto& other = form.Add<TButton>("other");
  other.SetBounds(100, 70, 120, 25);
  other.SetCaption("Laden && &Weiter");
  Seen otherSeen;
  otherSeen.Watch(other);
  auto& plain = form.Add<TButton>("plain");
  plain.SetBounds(230, 70, 80, 25);
  plain.SetCaption("&&Ende");
  Seen plainSeen;
  plainSeen.Watch(plain);
  ASSERT_TRUE(start.Default());

  memo.SetFocus();
  Press(VK_RETURN);
  EXPECT_EQ(startSeen.clicks, 1);
  EXPECT_TRUE(memoSeen.keys.empty()) << "Enter belongs to the dialog";

  check.SetFocus();
  Press(VK_RETURN);
  EXPECT_EQ(startSeen.clicks, 2);
  EXPECT_FALSE(check.Checked());

  other.SetFocus();
  Press(VK_RETURN);
  EXPECT_EQ(otherSeen.clicks, 1);
  EXPECT_EQ(startSeen.clicks, 2);

  memo.SetFocus();
  Press(VK_RETURN, Alt);
  EXPECT_EQ(startSeen.clicks, 2);
  EXPECT_EQ(memoSeen.keys, std::vector<WORD>{VK_RETURN});

  // Alt with the marked letter presses its button wherever the keyboard is; "&&" marks nothing.
  memoSeen.keys.clear();
  Press('S', Alt);
  Press('W', Alt);
  Press('E', Alt);
  Press('L', Alt);
  EXPECT_EQ(startSeen.clicks, 3);
  EXPECT_EQ(otherSeen.clicks, 2);
  EXPECT_EQ(plainSeen.clicks, 0);
  EXPECT_TRUE(memo.Focused());
  EXPECT_EQ(memoSeen.keys, (std::vector<WORD>{'E', 'L'}));
  // Without Alt the letter is the control's own.
  Press('S');
  EXPECT_EQ(startSeen.clicks, 3);

  // A default button that cannot be reached is no default at all.
  auto& hiddenPanel = form.Add<TPanel>("hiddenPanel");
  hiddenPanel.SetBounds(10, 120, 200, 60);
  auto& inside = hiddenPanel.Add<TButton>("inside");
  inside.SetBounds(8, 8, 80, 25);
  Seen insideSeen;
  insideSeen.Watch(inside);
  inside.SetDefault(true);
  EXPECT_FALSE(start.Default());
  hiddenPanel.SetVisible(false);
  memoSeen.keys.clear();
  Press(VK_RETURN);
  EXPECT_EQ(insideSeen.clicks, 0);
  EXPECT_EQ(startSeen.clicks, 3);
  EXPECT_EQ(memoSeen.keys, std::vector<WORD>{VK_RETURN});
  hiddenPanel.SetVisible(true);
  Press(VK_RETURN);
  EXPECT_EQ(insideSeen.clicks, 1);
}

// A dialog inside the form keeps the user inside it until it is closed: clicks and Tab do not
// reach what lies outside, Enter presses its OK and Esc its cancel button.
TEST_F(ControlsTest, ADialogInsideTheFormKeepsClicksAndKeysUntilItCloses) {
  auto& outside = form.Add<TButton>("outside");
  outside.SetBounds(10, 10, 75, 25);
  auto& dialog = form.Add<TPanel>("dialog");
  dialog.SetBounds(100, 100, 200, 120);
  auto& memo = dialog.Add<TMemo>("memo");
  memo.SetBounds(8, 8, 180, 22);
  auto& ok = dialog.Add<TButton>("ok");
  ok.SetBounds(8, 80, 75, 25);
  auto& cancel = dialog.Add<TButton>("cancel");
  cancel.SetBounds(100, 80, 75, 25);
  Seen seenOutside, seenOk, seenCancel;
  seenOutside.Watch(outside);
  seenOk.Watch(ok);
  seenCancel.Watch(cancel);
  outside.SetFocus();

  form.SetModalControl(&dialog);
  ok.SetDefault(true);
  cancel.SetCancel(true);
  EXPECT_NE(form.ActiveControl(), &outside) << "the keyboard moves into the dialog";
  EXPECT_TRUE(form.ActiveControl() && form.ActiveControl()->LiesWithin(dialog));
  EXPECT_FALSE(outside.Reachable());
  Click(outside);
  EXPECT_EQ(seenOutside.clicks, 0);
  for (int i = 0; i < 5; ++i) {
    Press(VK_TAB);
    EXPECT_TRUE(form.ActiveControl()->LiesWithin(dialog)) << "Tab " << i;
  }
  memo.SetFocus();
  Type("10.0.0.7");
  Press(VK_RETURN);
  EXPECT_EQ(seenOk.clicks, 1);
  Press(VK_ESCAPE);
  EXPECT_EQ(seenCancel.clicks, 1);
  EXPECT_EQ(memo.Text(), "10.0.0.7");

  form.SetModalControl(nullptr);
  cancel.SetCancel(false);
  Click(outside);
  EXPECT_EQ(seenOutside.clicks, 1);
  Press(VK_ESCAPE);
  EXPECT_EQ(seenCancel.clicks, 1) << "without a cancel button Esc goes to the control";
}

TEST_F(ControlsTest, DisabledControlsAndEverythingInADisabledPanelIgnoreInput) {
  auto& memo = form.Add<TMemo>("memo");
  memo.SetBounds(10, 10, 100, 22);
  auto& button = form.Add<TButton>("button");
  button.SetBounds(10, 40, 80, 25);
  button.SetCaption("&Los");
  button.SetDefault(true);
  Seen buttonSeen;
  buttonSeen.Watch(button);
  auto& check = form.Add<TCheckBox>("check");
  check.SetBounds(10, 70, 120, 17);
  Seen checkSeen;
  checkSeen.Watch(check);
  auto& panel = form.Add<TPanel>("panel");
  panel.SetBounds(150, 10, 240, 200);
  auto& innerMemo = panel.Add<TMemo>("innerMemo");
  innerMemo.SetBounds(8, 8, 100, 22);
  Seen innerMemoSeen;
  innerMemoSeen.Watch(innerMemo);
  auto& innerCheck = panel.Add<TCheckBox>("innerCheck");
  innerCheck.SetBounds(8, 40, 120, 17);
  Seen innerCheckSeen;
  innerCheckSeen.Watch(innerCheck);
  auto& innerList = panel.Add<TListBox>("innerList");
  innerList.SetBounds(8, 70, 120, 80);
  innerList.AddItem("Eins");
  innerList.AddItem("Zwei");

  button.SetEnabled(false);
  check.SetEnabled(false);
  panel.SetEnabled(false);
  memo.SetFocus();
  Click(button);
  Click(check);
  Click(innerMemo);
  Click(innerCheck);
  Click(innerList, {20, 4});
  Press(VK_RETURN);
  Press('L', Alt);
  Type("x");
  for (const Seen* seen : {&buttonSeen, &checkSeen, &innerMemoSeen, &innerCheckSeen}) {
    EXPECT_EQ(seen->clicks, 0);
    EXPECT_EQ(seen->mouseDowns, 0);
    EXPECT_TRUE(seen->keys.empty());
  }
  EXPECT_FALSE(check.Checked());
  EXPECT_FALSE(innerCheck.Checked());
  EXPECT_EQ(innerList.ItemIndex(), -1);
  EXPECT_TRUE(memo.Focused());
  EXPECT_EQ(memo.Text(), "x");
  EXPECT_EQ(innerMemo.Text(), "");
  button.SetFocus();
  innerMemo.SetFocus();
  EXPECT_TRUE(memo.Focused());
  Press(VK_TAB);
  EXPECT_TRUE(memo.Focused()) << "nothing else can take the keyboard";

  // The same input reaches them once they are enabled.
  button.SetEnabled(true);
  check.SetEnabled(true);
  panel.SetEnabled(true);
  Click(check);
  Click(innerCheck);
  Click(innerList, {20, 4});
  Click(innerMemo);
  Type("y");
  Press(VK_RETURN);
  Press('L', Alt);
  EXPECT_TRUE(check.Checked());
  EXPECT_TRUE(innerCheck.Checked());
  EXPECT_EQ(innerList.ItemIndex(), 0);
  EXPECT_EQ(innerMemo.Text(), "y");
  EXPECT_EQ(innerMemoSeen.mouseDowns, 1);
  EXPECT_EQ(buttonSeen.clicks, 2);
}

TEST_F(ControlsTest, MemoEditingKeys) {
  auto& memo = form.Add<TMemo>("memo");
  memo.SetBounds(10, 10, 200, 22);
  memo.SetFocus();

  Type("Storch");
  EXPECT_EQ(memo.Text(), "Storch");
  EXPECT_EQ(memo.CaretPosition(), 6u);

  Press(VK_LEFT);
  Press(VK_LEFT);
  Press(VK_BACK);
  EXPECT_EQ(memo.Text(), "Stoch");
  EXPECT_EQ(memo.CaretPosition(), 3u);
  Press(VK_DELETE);
  EXPECT_EQ(memo.Text(), "Stoh");
  Type("rc");
  EXPECT_EQ(memo.Text(), "Storch");

  // At the ends Backspace and Delete find nothing to take.
  Press(VK_HOME);
  Press(VK_BACK);
  EXPECT_EQ(memo.Text(), "Storch");
  EXPECT_EQ(memo.CaretPosition(), 0u);
  Press(VK_END);
  Press(VK_DELETE);
  EXPECT_EQ(memo.Text(), "Storch");
  EXPECT_EQ(memo.CaretPosition(), 6u);

  // Shift stretches the selection from where it began; a plain arrow drops it at its own end.
  Press(VK_LEFT, Shift);
  Press(VK_LEFT, Shift);
  EXPECT_EQ(memo.SelStart(), 4u);
  EXPECT_EQ(memo.SelLength(), 2u);
  Press(VK_LEFT);
  EXPECT_EQ(memo.CaretPosition(), 4u);
  EXPECT_EQ(memo.SelLength(), 0u);
  Press(VK_RIGHT, Shift);
  Press(VK_RIGHT);
  EXPECT_EQ(memo.CaretPosition(), 5u);
  EXPECT_EQ(memo.SelLength(), 0u);
  Press(VK_HOME, Shift);
  EXPECT_EQ(memo.SelStart(), 0u);
  EXPECT_EQ(memo.SelLength(), 5u);
  Press(VK_RIGHT, Shift);
  Press(VK_BACK);
  EXPECT_EQ(memo.Text(), "Sh") << "the selection shrank on the caret's side";
  EXPECT_EQ(memo.CaretPosition(), 1u);

  Press(VK_HOME);
  Press(VK_END, Shift);
  Type("W");
  EXPECT_EQ(memo.Text(), "W");
  Type("eiss");
  Press('A', Ctrl);
  EXPECT_EQ(memo.SelStart(), 0u);
  EXPECT_EQ(memo.SelLength(), 5u);
  Type("Adebar");
  EXPECT_EQ(memo.Text(), "Adebar");
  Press(VK_HOME);
  Press(VK_END, Shift);
  Press(VK_DELETE);
  EXPECT_EQ(memo.Text(), "");

  // A key its handler takes is not the memo's any more.
  Type("Nest");
  memo.OnKeyDown = [](TControl&, WORD& Key, TShiftState) {
    if (Key == VK_BACK) Key = 0;
  };
  Press(VK_BACK);
  Press(VK_LEFT);
  Press(VK_DELETE);
  EXPECT_EQ(memo.Text(), "Nes");
}

TEST_F(ControlsTest, MemoKeepsItsLengthLimitAndTheWesternCodePage) {
  auto& memo = form.Add<TMemo>("memo");
  memo.SetBounds(10, 10, 200, 22);
  memo.SetMaxLength(8);
  memo.SetFocus();

  Type("J\xC3\xBCrgen \xE2\x82\xAC");  // Jürgen €
  EXPECT_EQ(memo.Text(),
            "J\xFC"
            "rgen \x80");
  Type("x");
  EXPECT_EQ(memo.Text().size(), 8u);
  EXPECT_EQ(memo.Text().back(), '\x80');

  // What replaces a selection may take the room the selection leaves, and no more.
  memo.SetSelStart(2);
  memo.SetSelLength(4);
  Type("mmelmann");
  EXPECT_EQ(memo.Text(), "J\xFCmmel \x80");
  EXPECT_EQ(memo.CaretPosition(), 6u);

  // Characters the code page lacks are dropped; typing only those changes nothing, not even the selection.
  memo.SetSelStart(1);
  memo.SetSelLength(5);
  Type("\xE2\x9C\x93");  // ✓
  Type("\xE6\x97\xA5");  // 日
  EXPECT_EQ(memo.Text(), "J\xFCmmel \x80");
  EXPECT_EQ(memo.SelStart(), 1u);
  EXPECT_EQ(memo.SelLength(), 5u);
  Type("\xC3\x96\xE6\x97\xA5l");  // Ö日l
  EXPECT_EQ(memo.Text(), "J\xD6l \x80");

  memo.SetText("Maximilian von Storch");
  EXPECT_EQ(memo.Text(), "Maximili");
  memo.SetMaxLength(0);
  memo.SetText("Maximilian von Storch");
  EXPECT_EQ(memo.Text(), "Maximilian von Storch");
}

TEST_F(ControlsTest, ListBoxSelection) {
  auto& list = form.Add<TListBox>("list");
  list.SetBounds(10, 10, 150, 120);
  list.SetMultiSelect(true);
  for (const char* item : {"IPX", "TCP/IP", "Modem", "Seriell", "Lokal"}) list.AddItem(item);
  const auto selection = [&] {
    std::vector<std::int32_t> selected;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(list.Items().size()); ++i)
      if (list.Selected(i)) selected.push_back(i);
    return selected;
  };
  using Indices = std::vector<std::int32_t>;
  const auto row = [&](std::int32_t index) { return POINT{20, 2 + index * list.ItemHeight() + 2}; };

  list.SetItemIndex(2);
  EXPECT_EQ(selection(), Indices{2});
  for (const std::int32_t wrong : {-5, 5}) {
    list.SetItemIndex(2);
    list.SetItemIndex(wrong);
    EXPECT_EQ(list.ItemIndex(), -1) << wrong;
    EXPECT_EQ(selection(), Indices{}) << wrong;
  }

  Click(list, row(1));
  EXPECT_TRUE(list.Focused());
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(selection(), Indices{1});
  Click(list, row(3), Ctrl);
  EXPECT_EQ(selection(), (Indices{1, 3}));
  Click(list, row(1), Ctrl);
  EXPECT_EQ(selection(), Indices{3});
  EXPECT_EQ(list.ItemIndex(), 1);

  // Shift takes everything between the last plain or Ctrl click and this one.
  Click(list, row(2));
  Click(list, row(4), Shift);
  EXPECT_EQ(selection(), (Indices{2, 3, 4}));
  EXPECT_EQ(list.ItemIndex(), 4);
  Click(list, row(0), Shift);
  EXPECT_EQ(selection(), (Indices{0, 1, 2}));
  Click(list, row(3));
  EXPECT_EQ(selection(), Indices{3});
  // Below the last item there is nothing to choose.
  Click(list, {20, list.Height() - 4});
  EXPECT_EQ(selection(), Indices{3});

  Press(VK_DOWN);
  EXPECT_EQ(list.ItemIndex(), 4);
  Press(VK_DOWN);
  EXPECT_EQ(list.ItemIndex(), 4);
  Press(VK_HOME);
  EXPECT_EQ(selection(), Indices{0});
  Press(VK_UP);
  EXPECT_EQ(list.ItemIndex(), 0);
  Press(VK_DOWN, Shift);
  Press(VK_DOWN, Shift);
  EXPECT_EQ(selection(), (Indices{0, 1, 2}));
  Press(VK_END);
  EXPECT_EQ(list.ItemIndex(), 4);
  EXPECT_EQ(selection(), Indices{4});

  // Without MultiSelect Ctrl and Shift choose one item like a plain click.
  list.SetMultiSelect(false);
  Click(list, row(1), Ctrl);
  Click(list, row(3), Shift);
  EXPECT_EQ(selection(), Indices{3});
}

TEST_F(ControlsTest, TrackBarKeepsItsPositionInRangeAndFollowsKeysAndDrags) {
  auto& track = form.Add<TTrackBar>("track");
  track.SetBounds(10, 10, 200, 40);
  track.SetRange(2, 8);
  track.SetPosition(20);
  EXPECT_EQ(track.Position(), 8);
  track.SetPosition(-3);
  EXPECT_EQ(track.Position(), 2);
  track.SetPosition(5);
  track.SetRange(6, 9);
  EXPECT_EQ(track.Position(), 6) << "a new range takes the position along";
  track.SetRange(2, 8);

  track.SetFocus();
  Press(VK_RIGHT);
  Press(VK_DOWN);
  EXPECT_EQ(track.Position(), 8);
  Press(VK_RIGHT);
  EXPECT_EQ(track.Position(), 8);
  Press(VK_UP);
  Press(VK_LEFT);
  EXPECT_EQ(track.Position(), 6);
  Press(VK_HOME);
  EXPECT_EQ(track.Position(), 2);
  Press(VK_LEFT);
  EXPECT_EQ(track.Position(), 2);
  Press(VK_END);
  EXPECT_EQ(track.Position(), 8);

  // The thumb is dragged to the tick nearest the pointer, and stays at the end beyond it.
  Mouse(InputKind::MouseDown, track, {track.TickX(8), 10});
  Mouse(InputKind::MouseMove, track, {track.TickX(4) + 2, 30});
  EXPECT_EQ(track.Position(), 4);
  Mouse(InputKind::MouseMove, track, {-50, 10});
  EXPECT_EQ(track.Position(), 2);
  Mouse(InputKind::MouseUp, track, {track.TickX(5) - 2, 10});
  EXPECT_EQ(track.Position(), 5);
  Mouse(InputKind::MouseMove, track, {track.TickX(7), 10});
  EXPECT_EQ(track.Position(), 5) << "the drag ended";
  // A click beside the thumb moves it a page towards the click, not onto it.
  Click(track, {track.TickX(8), 10});
  EXPECT_EQ(track.Position(), 6);
}

TEST_F(ControlsTest, CheckBoxTogglesOnClickAndSpace) {
  auto& check = form.Add<TCheckBox>("check");
  check.SetBounds(10, 10, 150, 17);
  check.SetCaption("Vollbild");
  Seen seen;
  seen.Watch(check);

  Click(check);
  EXPECT_TRUE(check.Checked());
  EXPECT_EQ(seen.clicks, 1);
  EXPECT_TRUE(check.Focused());
  // Let go outside and it stays as it was.
  Mouse(InputKind::MouseDown, check, {5, 5});
  Mouse(InputKind::MouseUp, check, {5, 40});
  EXPECT_TRUE(check.Checked());
  EXPECT_EQ(seen.clicks, 1);

  KeyDown(VK_SPACE);
  EXPECT_TRUE(check.Checked()) << "Space toggles when it is let go";
  KeyUp(VK_SPACE);
  EXPECT_FALSE(check.Checked());
  EXPECT_EQ(seen.clicks, 2);
  KeyUp(VK_SPACE);
  EXPECT_FALSE(check.Checked()) << "a Space let go that never went down";

  check.SetChecked(false);
  EXPECT_EQ(seen.clicks, 2);
  check.SetChecked(true);
  EXPECT_EQ(seen.clicks, 3);
  check.SetChecked(true);
  EXPECT_EQ(seen.clicks, 3);
}

TEST_F(ControlsTest, AnErrorInAHandlerIsShownAndTheNextEventFollows) {
  std::vector<std::string> shown;
  application.SetErrorDisplay([&](const std::string& message) { shown.push_back(message); });
  auto& memo = form.Add<TMemo>("memo");
  memo.SetBounds(10, 10, 200, 22);
  auto& button = form.Add<TButton>("button");
  button.SetBounds(10, 40, 80, 25);
  button.SetCaption("&Verbinden");
  button.OnClick = [](TControl&) { throw std::runtime_error("Verbindung verloren"); };
  memo.OnKeyDown = [](TControl&, WORD& Key, TShiftState) {
    if (Key == VK_F1) throw std::runtime_error("Datei fehlt.");
  };
  memo.SetFocus();

  batching = true;
  Press('V', Alt);
  Type("ok");
  Press(VK_F1);
  Type("!");
  Pump();
  EXPECT_EQ(shown, (std::vector<std::string>{"Verbindung verloren.", "Datei fehlt."}));
  EXPECT_EQ(memo.Text(), "ok!");

  // A handler of its own takes the error instead.
  std::vector<std::string> handled;
  application.OnException = [&](const std::exception& E) { handled.push_back(E.what()); };
  Press(VK_F1);
  Type("?");
  Pump();
  EXPECT_EQ(handled, std::vector<std::string>{"Datei fehlt."});
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(memo.Text(), "ok!?");
}

TEST_F(ControlsTest, ButtonsShowBevelsTheDefaultFrameTheFocusAndThePress) {
  const std::uint32_t face = platform::PixelOf(clBtnFace);
  const std::uint32_t white = platform::PixelOf(clWhite);
  const std::uint32_t black = platform::PixelOf(clBlack);
  auto& memo = form.Add<TMemo>("memo");
  memo.SetBounds(10, 80, 100, 22);
  auto& plain = form.Add<TButton>("plain");
  plain.SetBounds(10, 10, 100, 40);
  plain.SetCaption("OK");
  Seen plainSeen;
  plainSeen.Watch(plain);
  auto& chosen = form.Add<TButton>("chosen");
  chosen.SetBounds(150, 10, 100, 40);
  chosen.SetCaption("Start");
  chosen.SetDefault(true);
  memo.SetFocus();
  Pump();

  const std::int32_t w = plain.Width();
  const std::int32_t h = plain.Height();
  EXPECT_EQ(PixelAt(plain, 0, 0), white);
  EXPECT_EQ(PixelAt(plain, 0, h - 2), white);
  EXPECT_EQ(PixelAt(plain, w - 1, h - 1), black);
  EXPECT_EQ(PixelAt(plain, w - 1, 0), black);
  EXPECT_EQ(PixelAt(plain, w - 2, h - 2), platform::PixelOf(clBtnShadow));
  EXPECT_EQ(PixelAt(plain, 1, 1), platform::PixelOf(cl3DLight));
  // The default button's bevel lies inside a black frame.
  EXPECT_EQ(PixelAt(chosen, 0, 0), black);
  EXPECT_EQ(PixelAt(chosen, 1, 1), white);
  EXPECT_EQ(PixelAt(chosen, w - 1, h - 1), black);
  EXPECT_EQ(PixelAt(chosen, w - 2, h - 2), black);
  for (std::int32_t x = 4; x < w - 4; ++x) ASSERT_EQ(PixelAt(plain, x, 4), face) << x;

  // The focused button takes the frame from the default one and shows the dotted focus frame.
  Press(VK_TAB);
  ASSERT_TRUE(plain.Focused());
  EXPECT_EQ(PixelAt(chosen, 0, 0), white);
  EXPECT_EQ(PixelAt(plain, 0, 0), black);
  EXPECT_EQ(PixelAt(plain, 1, 1), white);
  const std::uint32_t dot = face ^ 0x00FFFFFFu;
  for (std::int32_t x = 4; x < w - 4; ++x) ASSERT_EQ(PixelAt(plain, x, 4), x % 2 == 0 ? dot : face) << x;
  for (std::int32_t y = 4; y < h - 4; ++y) ASSERT_EQ(PixelAt(plain, 4, y), y % 2 == 0 ? dot : face) << y;
  EXPECT_EQ(PixelAt(plain, 3, 4), face);
  EXPECT_EQ(PixelAt(plain, 5, 5), face);

  // Held down it looks pushed in; dragged off it stands out again, and let go there it is no click.
  Mouse(InputKind::MouseDown, plain, {50, 20});
  EXPECT_EQ(PixelAt(plain, 1, 1), black);
  EXPECT_EQ(PixelAt(plain, 2, 2), platform::PixelOf(clBtnShadow));
  Mouse(InputKind::MouseMove, plain, {150, 20});
  EXPECT_EQ(PixelAt(plain, 1, 1), white);
  Mouse(InputKind::MouseUp, plain, {150, 20});
  EXPECT_EQ(plainSeen.clicks, 0);
  Mouse(InputKind::MouseDown, plain, {50, 20});
  Mouse(InputKind::MouseMove, plain, {150, 20});
  Mouse(InputKind::MouseMove, plain, {60, 25});
  Mouse(InputKind::MouseUp, plain, {60, 25});
  EXPECT_EQ(plainSeen.clicks, 1);
  EXPECT_EQ(PixelAt(plain, 1, 1), white);
}

// A 24-bit BMP file of rows given top to bottom.
std::vector<std::uint8_t> BmpOf(const std::vector<std::vector<std::uint32_t>>& rows) {
  const auto height = static_cast<std::uint32_t>(rows.size());
  const auto width = static_cast<std::uint32_t>(rows[0].size());
  const std::uint32_t stride = (width * 3 + 3) & ~3u;
  std::vector<std::uint8_t> bytes;
  const auto put = [&](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  bytes.push_back('B');
  bytes.push_back('M');
  put(54 + stride * height, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(width, 4);
  put(height, 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);
  put(stride * height, 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    for (const std::uint32_t rgb : *row) put(rgb, 3);
    for (std::uint32_t pad = width * 3; pad < stride; ++pad) bytes.push_back(0);
  }
  return bytes;
}

TEST_F(ControlsTest, DisabledTextTicksAndTransparentPictures) {
  const auto channels = [](std::uint32_t pixel) {
    return std::array<std::uint32_t, 3>{pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF};
  };
  auto& label = form.Add<TLabel>("label");
  TFont font = label.Font();
  font.Size = 14;
  label.SetFont(font);
  label.SetBounds(10, 10, 0, 0);
  label.SetCaption("Gesperrt");
  Pump();
  const auto scanLabel = [&](bool& dark, bool& grey, bool& white) {
    dark = grey = white = false;
    for (std::int32_t y = 0; y < label.Height(); ++y) {
      for (std::int32_t x = 0; x < label.Width(); ++x) {
        const auto c = channels(PixelAt(label, x, y));
        if (c[0] < 0x40 && c[1] < 0x40 && c[2] < 0x40) dark = true;
        if (std::ranges::all_of(c, [](std::uint32_t v) { return v >= 0x70 && v <= 0x90; })) grey = true;
        if (std::ranges::all_of(c, [](std::uint32_t v) { return v >= 0xF0; })) white = true;
      }
    }
  };
  bool dark = false;
  bool grey = false;
  bool white = false;
  scanLabel(dark, grey, white);
  ASSERT_GT(label.Width(), 20);
  EXPECT_TRUE(dark);
  EXPECT_FALSE(white);
  label.SetEnabled(false);
  Pump();
  scanLabel(dark, grey, white);
  EXPECT_FALSE(dark);
  EXPECT_TRUE(grey);
  EXPECT_TRUE(white);

  // The tick is drawn dark inside the white square of a checked box, and only then.
  auto& check = form.Add<TCheckBox>("check");
  check.SetBounds(10, 60, 120, 17);
  check.SetCaption("Netzwerkspiel");
  const std::int32_t top = (check.Height() - 13) / 2;
  const auto countInBox = [&](std::uint32_t pixel) {
    int count = 0;
    for (std::int32_t y = top + 2; y < top + 11; ++y)
      for (std::int32_t x = 2; x < 11; ++x) count += PixelAt(check, x, y) == pixel ? 1 : 0;
    return count;
  };
  Pump();
  EXPECT_EQ(countInBox(platform::PixelOf(clWindow)), 81);
  check.SetChecked(true);
  Pump();
  const int tick = countInBox(platform::PixelOf(clWindowText));
  EXPECT_GE(tick, 10);
  EXPECT_EQ(tick + countInBox(platform::PixelOf(clWindow)), 81);

  // A transparent picture leaves out every pixel of its bottom-left colour.
  constexpr std::uint32_t red = 0xFF0000;
  constexpr std::uint32_t green = 0x00FF00;
  constexpr std::uint32_t blue = 0x0000FF;
  auto& image = form.Add<TImage>("image");
  image.SetBounds(200, 60, 3, 2);
  image.LoadPicture(BmpOf({{blue, red, blue}, {red, green, blue}}));
  ASSERT_EQ(image.Picture().Width(), 3);
  Pump();
  EXPECT_EQ(PixelAt(image, 0, 1), 0xFF000000u | red);
  EXPECT_EQ(PixelAt(image, 1, 0), 0xFF000000u | red);
  image.SetTransparent(true);
  Pump();
  const std::uint32_t background = platform::PixelOf(form.Color());
  EXPECT_EQ(PixelAt(image, 0, 1), background);
  EXPECT_EQ(PixelAt(image, 1, 0), background);
  EXPECT_EQ(PixelAt(image, 0, 0), 0xFF000000u | blue);
  EXPECT_EQ(PixelAt(image, 1, 1), 0xFF000000u | green);
  EXPECT_EQ(PixelAt(image, 2, 1), 0xFF000000u | blue);
}

}  // namespace

// While the program cannot let its handlers run, the window system's requests are still served,
// and what the user typed waits, in order, for the next pass.
TEST_F(ControlsTest, WhileHandlersMustWaitTheSystemIsServedAndTypingKeepsItsOrder) {
  auto& memo = form.Add<TMemo>("memo");
  memo.SetBounds(10, 10, 200, 22);
  memo.SetFocus();
  int closeRequests = 0;
  form.OnCloseRequest = [&](TControl&) { ++closeRequests; };

  batching = true;
  Type("ab");
  Queue(InputKind::Close);
  application.ServeSystemEvents();
  EXPECT_EQ(closeRequests, 1) << "the request to close is answered at once";
  EXPECT_EQ(memo.Text(), "") << "typing waits for the handlers";
  Type("c");
  application.ServeSystemEvents();
  Type("d");
  Pump();
  EXPECT_EQ(memo.Text(), "abcd");
  EXPECT_EQ(closeRequests, 1);
}
