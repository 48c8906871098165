// What the memo, the list box, the track bar and the check box make of the keys and clicks that
// reach them.

#include <cstdint>
#include <vector>

#include "ControlsTestSupport.h"

namespace controls_test {
namespace {

TEST_F(ControlsTest, MemoEditingKeys) {
  auto& memo = Place<TMemo>(form, "memo", 10, 10, 200, 22);
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
  auto& memo = Place<TMemo>(form, "memo", 10, 10, 200, 22);
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
  auto& list = Place<TListBox>(form, "list", 10, 10, 150, 120);
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
  auto& track = Place<TTrackBar>(form, "track", 10, 10, 200, 40);
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
  auto& check = Place<TCheckBox>(form, "check", 10, 10, 150, 17);
  check.SetCaption("Vollbild");
  Seen seen{check};

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

}  // namespace
}  // namespace controls_test
