#include <algorithm>

#include "Look.h"
#include "StdCtrls.h"

namespace {

constexpr std::int32_t Margin = 8;  // from the control's sides to the ends of the thumb's travel
constexpr std::int32_t ThumbHalf = 5;
constexpr std::int32_t ThumbTop = 3;
constexpr std::int32_t ThumbBody = 14;  // above its point
constexpr std::int32_t PointDepth = 5;
constexpr std::int32_t ChannelTop = 8;
constexpr std::int32_t TickTop = ThumbTop + ThumbBody + PointDepth + 2;
constexpr std::int32_t TickLength = 3;

}  // namespace

TTrackBar::TTrackBar(std::string Name) : TControl(std::move(Name)) {}

void TTrackBar::SetRange(std::int32_t Min, std::int32_t Max) {
  min_ = Min;
  max_ = std::max(Min, Max);
  SetPosition(position_);
  Invalidate();
}

void TTrackBar::SetPosition(std::int32_t Value) {
  position_ = std::clamp(Value, min_, max_);
  Invalidate();
}

std::int32_t TTrackBar::TickX(std::int32_t Value) const {
  const std::int32_t travel = std::max(0, Width() - 2 * Margin);
  if (max_ == min_) return Margin;
  return Margin + static_cast<std::int32_t>(std::int64_t{Value - min_} * travel / (max_ - min_));
}

std::int32_t TTrackBar::PositionAt(std::int32_t X) const {
  std::int32_t nearest = min_;
  for (std::int32_t v = min_; v <= max_; ++v)
    if (std::abs(TickX(v) - X) < std::abs(TickX(nearest) - X)) nearest = v;
  return nearest;
}

RECT TTrackBar::ThumbRect() const {
  const std::int32_t x = TickX(position_);
  return {x - ThumbHalf, ThumbTop, x + ThumbHalf + 1, ThumbTop + ThumbBody + PointDepth};
}

bool TTrackBar::WantsKey(WORD Key) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || Key == VK_HOME || Key == VK_END ||
         Key == VK_PRIOR || Key == VK_NEXT;
}

void TTrackBar::DoKeyDown(WORD& Key, TShiftState /*Shift*/) {
  const std::int32_t page = std::max(1, (max_ - min_) / 5);
  switch (Key) {
    case VK_LEFT:
    case VK_UP:
      SetPosition(position_ - 1);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      SetPosition(position_ + 1);
      break;
    case VK_PRIOR:
      SetPosition(position_ - page);
      break;
    case VK_NEXT:
      SetPosition(position_ + page);
      break;
    case VK_HOME:
      SetPosition(min_);
      break;
    case VK_END:
      SetPosition(max_);
      break;
    default:
      break;
  }
}

// The thumb follows a drag; a click beside it moves it one page towards the click.
void TTrackBar::DoMouseDown(platform::MouseButton Button, TShiftState /*Shift*/, POINT At) {
  if (Button != platform::MouseButton::Left) return;
  const RECT thumb = ThumbRect();
  if (At.x >= thumb.left && At.x < thumb.right) {
    dragging_ = true;
    return;
  }
  const std::int32_t page = std::max(1, (max_ - min_) / 5);
  SetPosition(At.x < thumb.left ? position_ - page : position_ + page);
}

void TTrackBar::MouseMove(TShiftState /*Shift*/, POINT At) {
  if (dragging_) SetPosition(PositionAt(At.x));
}

void TTrackBar::MouseUp(platform::MouseButton Button, TShiftState Shift, POINT At) {
  if (Button != platform::MouseButton::Left) return;
  MouseMove(Shift, At);
  dragging_ = false;
}

void TTrackBar::Paint(platform::Painter& Painter) {
  Painter.FillRect(ClientRect(), Color());
  platform::SunkenEdge(Painter, {Margin - 3, ChannelTop, Width() - Margin + 3, ChannelTop + 4});
  const TColor ticks = Enabled() ? clWindowText : clBtnShadow;
  for (std::int32_t v = min_; v <= max_; ++v)
    Painter.Line(TickX(v), TickTop, TickX(v), TickTop + TickLength - 1, ticks);
  // The thumb: a raised body whose point shows down to the ticks.
  const RECT thumb = ThumbRect();
  const RECT body{thumb.left, thumb.top, thumb.right, thumb.top + ThumbBody};
  Painter.FillRect(body, clBtnFace);
  Painter.Line(body.left, body.top, body.right - 2, body.top, clBtnHighlight);
  Painter.Line(body.left, body.top, body.left, body.bottom - 1, clBtnHighlight);
  Painter.Line(body.right - 1, body.top, body.right - 1, body.bottom - 1, cl3DDkShadow);
  Painter.Line(body.right - 2, body.top + 1, body.right - 2, body.bottom - 1, clBtnShadow);
  const std::int32_t middle = (thumb.left + thumb.right - 1) / 2;
  for (std::int32_t row = 0; row < PointDepth + 1; ++row) {
    const std::int32_t y = body.bottom - 1 + row;
    const std::int32_t left = thumb.left + row;
    const std::int32_t right = thumb.right - 1 - row;
    if (left > right) break;
    Painter.Line(left, y, right, y, clBtnFace);
    Painter.Line(left, y, left, y, clBtnHighlight);
    Painter.Line(right, y, right, y, cl3DDkShadow);
    if (right - 1 > left) Painter.Line(right - 1, y, right - 1, y, clBtnShadow);
  }
  Painter.Line(middle, thumb.bottom, middle, thumb.bottom, cl3DDkShadow);
  if (!Enabled()) Painter.FillRect({middle - 1, body.top + 3, middle + 1, body.bottom - 3}, clBtnShadow);
  if (Focused()) Painter.FocusRect(ClientRect());
}
