#include "Control.h"

#include "Form.h"

TControl::~TControl() = default;

void TControl::Adopt(std::unique_ptr<TControl> child) {
  child->parent_ = this;
  child->font_ = font_;
  children_.push_back(std::move(child));
  Invalidate();
}

TForm* TControl::Form() const { return parent_ ? parent_->Form() : nullptr; }

TControl* TControl::FindComponent(const std::string& Name) {
  if (name_ == Name) return this;
  for (const auto& child : children_)
    if (TControl* found = child->FindComponent(Name)) return found;
  return nullptr;
}

void TControl::SetBounds(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height) {
  left_ = Left;
  top_ = Top;
  width_ = std::max(0, Width);
  height_ = std::max(0, Height);
  Invalidate();
}

POINT TControl::FormOrigin() const {
  POINT origin{0, 0};
  for (const TControl* c = this; c->parent_ != nullptr; c = c->parent_) {
    origin.x += c->left_;
    origin.y += c->top_;
  }
  return origin;
}

void TControl::SetVisible(bool Visible) {
  if (visible_ == Visible) return;
  visible_ = Visible;
  Invalidate();
  FocusRulesChanged();
}

void TControl::SetEnabled(bool Enabled) {
  if (enabled_ == Enabled) return;
  enabled_ = Enabled;
  Invalidate();
  FocusRulesChanged();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

bool TControl::Reachable() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  const TForm* form = Form();
  return !form || !form->ModalControl() || LiesWithin(*form->ModalControl());
}

bool TControl::LiesWithin(const TControl& Ancestor) const {
  for (const TControl* c = this; c != nullptr; c = c->parent_)
    if (c == &Ancestor) return true;
  return false;
}

void TControl::SetFont(const TFont& Font) {
  font_ = Font;
  TextChanged();
  Invalidate();
}

void TControl::SetColor(TColor Color) {
  color_ = Color;
  parentColor_ = false;
  Invalidate();
}

void TControl::SetCaption(const std::string& Caption) {
  if (caption_ == Caption) return;
  caption_ = Caption;
  TextChanged();
  Invalidate();
}

bool TControl::Focused() const {
  const TForm* form = Form();
  return form != nullptr && form->ActiveControl() == this;
}

void TControl::SetFocus() {
  if (TForm* form = Form(); form != nullptr && CanFocus()) form->SetActiveControl(this);
}

void TControl::Click() {
  if (OnClick) OnClick(*this);
}

char TControl::AcceleratorKey() const { return platform::ParseAccelerator(caption_).key.value_or('\0'); }

void TControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(*this, Key, Shift);
  if (Key != 0) DoKeyDown(Key, Shift);
}

void TControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(*this, Key, Shift);
  if (Key != 0) DoKeyUp(Key, Shift);
}

void TControl::MouseDown(platform::MouseButton Button, TShiftState Shift, POINT At) {
  if (OnMouseDown) OnMouseDown(*this, Button, Shift, At.x, At.y);
  DoMouseDown(Button, Shift, At);
}

void TControl::Invalidate() {
  if (TForm* form = Form()) form->Invalidate();
}

void TControl::FocusRulesChanged() {
  if (TForm* form = Form()) form->CheckFocus();
}
