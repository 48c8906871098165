// The keyboard's way through a form: the tab order, where the keyboard goes when controls are
// hidden or disabled, Enter, Esc and Alt with a marked letter, and a dialog inside the form.

#include <cstdint>
#include <vector>

#include "ControlsTestSupport.h"

namespace controls_test {
namespace {

TEST_F(ControlsTest, TabWalksNestedPanelsPastWhatCannotTakeTheKeyboard) {
  auto& memo = Place<TMemo>(form, "memo", 10, 10, 100, 22);
  auto& outer = Place<TPanel>(form, "outer", 10, 40, 380, 200);
  auto& check = Place<TCheckBox>(outer, "check", 8, 8, 120, 17);
  auto& inner = Place<TPanel>(outer, "inner", 8, 30, 360, 150);
  auto& off = Place<TButton>(inner, "off", 8, 8, 75, 25);
  off.SetEnabled(false);
  auto& list = Place<TListBox>(inner, "list", 8, 40, 120, 60);
  auto& noTab = Place<TButton>(inner, "noTab", 140, 8, 75, 25);
  noTab.SetTabStop(false);
  auto& gone = Place<TButton>(outer, "gone", 240, 8, 75, 25);
  gone.SetVisible(false);
  auto& track = Place<TTrackBar>(form, "track", 10, 250, 200, 30);

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
  auto& panel = Place<TPanel>(form, "panel", 10, 10, 200, 100);
  auto& memo = Place<TMemo>(panel, "memo", 8, 8, 120, 22);
  Seen memoSeen{memo};
  auto& label = Place<TLabel>(form, "label", 10, 120, 0, 0);
  label.SetCaption("Name:");
  auto& check = Place<TCheckBox>(form, "check", 10, 150, 120, 17);
  auto& button = Place<TButton>(form, "button", 10, 180, 80, 25);
  Seen buttonSeen{button};

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
  auto& memo = Place<TMemo>(form, "memo", 10, 10, 100, 22);
  Seen memoSeen{memo};
  auto& check = Place<TCheckBox>(form, "check", 10, 40, 120, 17);
  auto& start = Place<TButton>(form, "start", 10, 70, 80, 25);
  start.SetCaption("&Start");
  start.SetDefault(true);
  Seen startSeen{start};
  auto& other = Place<TButton>(form, "other", 100, 70, 120, 25);
  other.SetCaption("Laden && &Weiter");
  Seen otherSeen{other};
  auto& plain = Place<TButton>(form, "plain", 230, 70, 80, 25);
  plain.SetCaption("&&Ende");
  Seen plainSeen{plain};
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
  auto& hiddenPanel = Place<TPanel>(form, "hiddenPanel", 10, 120, 200, 60);
  auto& inside = Place<TButton>(hiddenPanel, "inside", 8, 8, 80, 25);
  Seen insideSeen{inside};
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
  auto& outside = Place<TButton>(form, "outside", 10, 10, 75, 25);
  auto& dialog = Place<TPanel>(form, "dialog", 100, 100, 200, 120);
  auto& memo = Place<TMemo>(dialog, "memo", 8, 8, 180, 22);
  auto& ok = Place<TButton>(dialog, "ok", 8, 80, 75, 25);
  auto& cancel = Place<TButton>(dialog, "cancel", 100, 80, 75, 25);
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
  auto& memo = Place<TMemo>(form, "memo", 10, 10, 100, 22);
  auto& button = Place<TButton>(form, "button", 10, 40, 80, 25);
  button.SetCaption("&Los");
  button.SetDefault(true);
  Seen buttonSeen{button};
  auto& check = Place<TCheckBox>(form, "check", 10, 70, 120, 17);
  Seen checkSeen{check};
  auto& panel = Place<TPanel>(form, "panel", 150, 10, 240, 200);
  auto& innerMemo = Place<TMemo>(panel, "innerMemo", 8, 8, 100, 22);
  Seen innerMemoSeen{innerMemo};
  auto& innerCheck = Place<TCheckBox>(panel, "innerCheck", 8, 40, 120, 17);
  Seen innerCheckSeen{innerCheck};
  auto& innerList = Place<TListBox>(panel, "innerList", 8, 70, 120, 80);
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

}  // namespace
}  // namespace controls_test
