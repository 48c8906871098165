#include <algorithm>

#include "Look.h"
#include "StdCtrls.h"

namespace {
constexpr std::int32_t Border = 2;
}

TListBox::TListBox(std::string Name) : TControl(std::move(Name)) { SetColor(clWindow); }

void TListBox::AddItem(const std::string& Item) {
  items_.push_back(Item);
  selected_.push_back(false);
  Invalidate();
}

void TListBox::ClearItems() {
  items_.clear();
  selected_.clear();
  itemIndex_ = anchor_ = -1;
  topIndex_ = 0;
  Invalidate();
}

std::int32_t TListBox::ItemHeight() const { return platform::TextExtent("Xg", Font()).cy; }

bool TListBox::Selected(std::int32_t Index) const {
  return Index >= 0 && Index < static_cast<std::int32_t>(items_.size()) && selected_[static_cast<std::size_t>(Index)];
}

void TListBox::SetSelected(std::int32_t Index, bool Value) {
  if (Index < 0 || Index >= static_cast<std::int32_t>(items_.size())) return;
  selected_[static_cast<std::size_t>(Index)] = Value;
  Invalidate();
}

// An index that names no item names none.
void TListBox::SetItemIndex(std::int32_t Index) {
  std::fill(selected_.begin(), selected_.end(), false);
  itemIndex_ = anchor_ = Index >= 0 && Index < static_cast<std::int32_t>(items_.size()) ? Index : -1;
  if (itemIndex_ >= 0) {
    selected_[static_cast<std::size_t>(itemIndex_)] = true;
    MakeVisible(itemIndex_);
  }
  Invalidate();
}

void TListBox::ChooseItem(std::int32_t Index, TShiftState Shift) {
  if (Index < 0 || Index >= static_cast<std::int32_t>(items_.size())) return;
  if (multiSelect_ && Has(Shift, ShiftKey::Ctrl)) {
    selected_[static_cast<std::size_t>(Index)] = !selected_[static_cast<std::size_t>(Index)];
    itemIndex_ = anchor_ = Index;
  } else if (multiSelect_ && Has(Shift, ShiftKey::Shift) && anchor_ >= 0) {
    std::fill(selected_.begin(), selected_.end(), false);
    for (std::int32_t i = std::min(anchor_, Index); i <= std::max(anchor_, Index); ++i)
      selected_[static_cast<std::size_t>(i)] = true;
    itemIndex_ = Index;
  } else {
    SetItemIndex(Index);
  }
  MakeVisible(Index);
  Invalidate();
}

void TListBox::MakeVisible(std::int32_t Index) {
  const std::int32_t rows = std::max(1, (Height() - 2 * Border) / std::max(1, ItemHeight()));
  if (Index < topIndex_) topIndex_ = Index;
  if (Index >= topIndex_ + rows) topIndex_ = Index - rows + 1;
}

bool TListBox::WantsKey(WORD Key) const {
  return Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_HOME || Key == VK_END;
}

void TListBox::DoKeyDown(WORD& Key, TShiftState Shift) {
  const std::int32_t last = static_cast<std::int32_t>(items_.size()) - 1;
  if (last < 0) return;
  std::int32_t target = itemIndex_;
  switch (Key) {
    case VK_UP:
    case VK_LEFT:
      target = std::max(0, itemIndex_ - 1);
      break;
    case VK_DOWN:
    case VK_RIGHT:
      target = std::min(last, itemIndex_ + 1);
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = last;
      break;
    case VK_SPACE:
      if (multiSelect_ && itemIndex_ >= 0) ChooseItem(itemIndex_, Only(ShiftKey::Ctrl));
      return;
    default:
      return;
  }
  ChooseItem(target, Shift & Only(ShiftKey::Shift));
}

void TListBox::DoMouseDown(platform::MouseButton Button, TShiftState Shift, POINT At) {
  if (Button != platform::MouseButton::Left || At.y < Border) return;
  ChooseItem(topIndex_ + (At.y - Border) / std::max(1, ItemHeight()), Shift);
}

void TListBox::Paint(platform::Painter& Painter) {
  platform::SunkenEdge(Painter, ClientRect());
  const RECT inside = platform::Inset(ClientRect(), Border);
  Painter.FillRect(inside, Enabled() ? Color() : clBtnFace);
  platform::Painter list = Painter.Inner(inside);
  const std::int32_t height = ItemHeight();
  const std::int32_t width = inside.right - inside.left;
  for (std::int32_t i = topIndex_; i < static_cast<std::int32_t>(items_.size()); ++i) {
    const std::int32_t y = (i - topIndex_) * height;
    if (y >= inside.bottom - inside.top) break;
    const RECT row{0, y, width, y + height};
    if (!Enabled()) {
      list.GrayText(2, y, items_[static_cast<std::size_t>(i)], Font());
      continue;
    }
    const bool selected = selected_[static_cast<std::size_t>(i)];
    if (selected) list.FillRect(row, clHighlight);
    list.Text(2, y, items_[static_cast<std::size_t>(i)], Font(), selected ? clHighlightText : Font().Color);
    if (Focused() && i == itemIndex_) list.FocusRect(row);
  }
}
