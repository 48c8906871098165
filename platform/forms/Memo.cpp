#include <algorithm>

#include "Look.h"
#include "StdCtrls.h"

namespace {

constexpr std::int32_t Border = 2;
constexpr std::int32_t TextMargin = 3;

}  // namespace

TMemo::TMemo(std::string Name) : TControl(std::move(Name)) { SetColor(clWindow); }

void TMemo::SetText(const std::string& Text) {
  text_ = maxLength_ > 0 && Text.size() > maxLength_ ? Text.substr(0, maxLength_) : Text;
  anchor_ = caret_ = 0;
  Invalidate();
}

void TMemo::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

void TMemo::SetSelStart(std::size_t Value) {
  anchor_ = caret_ = std::min(Value, text_.size());
  Invalidate();
}

void TMemo::SetSelLength(std::size_t Value) {
  anchor_ = SelStart();
  caret_ = std::min(anchor_ + Value, text_.size());
  Invalidate();
}

void TMemo::SelectAll() {
  anchor_ = 0;
  caret_ = text_.size();
  Invalidate();
}

void TMemo::DeleteSelection() {
  text_.erase(SelStart(), SelLength());
  anchor_ = caret_ = SelStart();
}

void TMemo::TypeText(const std::string& Typed) {
  std::string accepted;
  for (const char c : Typed)
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) accepted += c;
  // Nothing typable (a character the code page lacks) must not cost the user the selection.
  if (accepted.empty()) return;
  DeleteSelection();
  if (maxLength_ > 0) accepted.resize(std::min(accepted.size(), maxLength_ - std::min(maxLength_, text_.size())));
  text_.insert(caret_, accepted);
  anchor_ = caret_ = caret_ + accepted.size();
  Invalidate();
}

void TMemo::TextInput(const std::string& Text) { TypeText(Text); }

bool TMemo::WantsKey(WORD Key) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || Key == VK_HOME || Key == VK_END ||
         Key == VK_BACK || Key == VK_DELETE;
}

void TMemo::MoveCaret(std::size_t Position, bool Extend) {
  caret_ = std::min(Position, text_.size());
  if (!Extend) anchor_ = caret_;
  Invalidate();
}

void TMemo::DoKeyDown(WORD& Key, TShiftState Shift) {
  const bool extend = Has(Shift, ShiftKey::Shift);
  switch (Key) {
    case VK_LEFT:
      if (SelLength() > 0 && !extend)
        MoveCaret(SelStart(), false);
      else
        MoveCaret(caret_ > 0 ? caret_ - 1 : 0, extend);
      break;
    case VK_RIGHT:
      if (SelLength() > 0 && !extend)
        MoveCaret(SelStart() + SelLength(), false);
      else
        MoveCaret(caret_ + 1, extend);
      break;
    case VK_HOME:
    case VK_UP:
      MoveCaret(0, extend);
      break;
    case VK_END:
    case VK_DOWN:
      MoveCaret(text_.size(), extend);
      break;
    case VK_BACK:
      if (SelLength() == 0 && caret_ > 0) anchor_ = caret_ - 1;
      DeleteSelection();
      Invalidate();
      break;
    case VK_DELETE:
      if (SelLength() == 0 && caret_ < text_.size()) anchor_ = caret_ + 1;
      DeleteSelection();
      Invalidate();
      break;
    case 'A':
      if (Has(Shift, ShiftKey::Ctrl)) SelectAll();
      break;
    default:
      break;
  }
}

std::int32_t TMemo::TextLeft() const {
  const std::int32_t width = platform::TextExtent(text_, Font()).cx;
  switch (alignment_) {
    case TAlignment::Center:
      return (Width() - width) / 2;
    case TAlignment::RightJustify:
      return Width() - Border - TextMargin - width;
    default:
      return Border + TextMargin;
  }
}

std::size_t TMemo::PositionAt(std::int32_t X) const {
  const std::int32_t left = TextLeft();
  std::size_t best = 0;
  std::int32_t bestDistance = std::abs(X - left);
  for (std::size_t i = 1; i <= text_.size(); ++i) {
    const std::int32_t distance = std::abs(X - (left + platform::TextExtent(text_.substr(0, i), Font()).cx));
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

void TMemo::DoMouseDown(platform::MouseButton Button, TShiftState Shift, POINT At) {
  if (Button != platform::MouseButton::Left) return;
  MoveCaret(PositionAt(At.x), Has(Shift, ShiftKey::Shift));
  selecting_ = true;
}

void TMemo::MouseMove(TShiftState /*Shift*/, POINT At) {
  if (selecting_) MoveCaret(PositionAt(At.x), true);
}

void TMemo::MouseUp(platform::MouseButton /*Button*/, TShiftState Shift, POINT At) {
  MouseMove(Shift, At);
  selecting_ = false;
}

void TMemo::Paint(platform::Painter& Painter) {
  platform::SunkenEdge(Painter, ClientRect());
  const RECT inside = platform::Inset(ClientRect(), Border);
  Painter.FillRect(inside, Enabled() ? Color() : clBtnFace);
  platform::Painter field = Painter.Inner(inside);
  const std::int32_t height = platform::TextExtent("Xg", Font()).cy;
  const std::int32_t y = (Height() - height) / 2 - Border;
  const std::int32_t x = TextLeft() - Border;
  if (!Enabled()) {
    field.GrayText(x, y, text_, Font());
    return;
  }
  const bool focused = Focused();
  const std::size_t start = focused ? SelStart() : 0;
  const std::size_t length = focused ? SelLength() : 0;
  const std::int32_t selectionLeft = x + platform::TextExtent(text_.substr(0, start), Font()).cx;
  const std::int32_t selectionRight = x + platform::TextExtent(text_.substr(0, start + length), Font()).cx;
  field.Text(x, y, text_, Font(), Font().Color);
  if (length > 0) {
    field.FillRect({selectionLeft, y, selectionRight, y + height}, clHighlight);
    field.Text(selectionLeft, y, text_.substr(start, length), Font(), clHighlightText);
  }
  if (focused) {
    const std::int32_t caretX = x + platform::TextExtent(text_.substr(0, caret_), Font()).cx;
    field.Line(caretX, y, caretX, y + height - 1, clWindowText);
  }
}
