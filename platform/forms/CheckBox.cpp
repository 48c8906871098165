#include "Look.h"
#include "StdCtrls.h"

namespace {

constexpr std::int32_t BoxSize = 13;
constexpr std::int32_t CaptionGap = 4;

// The classic tick, seven columns of three pixels each: the top row of every column.
constexpr std::int32_t TickTops[7] = {2, 3, 4, 3, 2, 1, 0};

}  // namespace

TCheckBox::TCheckBox(std::string Name) : TControl(std::move(Name)) {}

void TCheckBox::SetChecked(bool Value) {
  if (checked_ == Value) return;
  checked_ = Value;
  Invalidate();
  TControl::Click();
}

void TCheckBox::Click() { SetChecked(!checked_); }

void TCheckBox::DoMouseDown(platform::MouseButton Button, TShiftState /*Shift*/, POINT /*At*/) {
  if (Button != platform::MouseButton::Left) return;
  pressed_ = true;
  Invalidate();
}

void TCheckBox::MouseUp(platform::MouseButton Button, TShiftState /*Shift*/, POINT At) {
  if (Button != platform::MouseButton::Left || !pressed_) return;
  CancelMode();
  if (At.x >= 0 && At.y >= 0 && At.x < Width() && At.y < Height()) Click();
}

void TCheckBox::CancelMode() {
  pressed_ = false;
  Invalidate();
}

void TCheckBox::DoKeyDown(WORD& Key, TShiftState /*Shift*/) {
  if (Key != VK_SPACE || pressed_) return;
  pressed_ = true;
  Invalidate();
}

void TCheckBox::DoKeyUp(WORD& Key, TShiftState /*Shift*/) {
  if (Key != VK_SPACE || !pressed_) return;
  CancelMode();
  Click();
}

void TCheckBox::Paint(platform::Painter& Painter) {
  Painter.FillRect(ClientRect(), Color());
  const std::int32_t top = (Height() - BoxSize) / 2;
  const RECT box{0, top, BoxSize, top + BoxSize};
  platform::SunkenEdge(Painter, box);
  Painter.FillRect(platform::Inset(box, 2), Enabled() && !pressed_ ? clWindow : clBtnFace);
  if (checked_) {
    const TColor tick = Enabled() ? clWindowText : clGrayText;
    for (std::int32_t column = 0; column < 7; ++column)
      Painter.Line(box.left + 3 + column, top + 3 + TickTops[column], box.left + 3 + column, top + 5 + TickTops[column],
                   tick);
  }
  const SIZE size = platform::TextExtent(platform::ParseAccelerator(Caption()).text, Font());
  const std::int32_t x = BoxSize + CaptionGap;
  const std::int32_t y = (Height() - size.cy) / 2;
  Painter.Caption(x, y, Caption(), Font(), Enabled());
  if (Focused()) Painter.FocusRect({x - 1, y - 1, x + size.cx + 1, y + size.cy + 1});
}
