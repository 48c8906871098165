#include "Form.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "Application.h"
#include "StdCtrls.h"

using platform::InputKind;

TForm::TForm(TApplication& Application, std::string Name) : TControl(std::move(Name)), application_(Application) {}

TForm::~TForm() = default;

void TForm::SetCursor(TCursor Cursor) {
  cursor_ = Cursor;
  if (window_) window_->SetCursorVisible(Cursor != TCursor::None);
}

void TForm::SetBounds(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height) {
  TControl::SetBounds(Left, Top, Width, Height);
  if (window_) window_->SetBounds(BoundsRect());
}

void TForm::SetDefaultButton(TButton* Button) {
  defaultButton_ = Button;
  Invalidate();
}

void TForm::SetModalControl(TControl* Control) {
  modalControl_ = Control;
  CheckFocus();
  if (Control && !activeControl_) SelectNext(true);
  Invalidate();
}

void TForm::SetActiveControl(TControl* Control) {
  if (Control == activeControl_) return;
  TControl* previous = activeControl_;
  activeControl_ = Control;
  if (previous) {
    // A button held down with Space lets go with the keyboard; a Space let go later is no click.
    previous->CancelMode();
    previous->FocusChanged();
  }
  if (Control) Control->FocusChanged();
  Invalidate();
}

void TForm::CollectTabOrder(TControl& Parent, std::vector<TControl*>& Order) {
  for (const auto& child : Parent.Controls()) {
    // Tab goes on from the control with the keyboard even when it is no tab stop itself.
    if (child->TabStop() || child.get() == activeControl_) Order.push_back(child.get());
    CollectTabOrder(*child, Order);
  }
}

void TForm::SelectNext(bool Forward) {
  std::vector<TControl*> order;
  CollectTabOrder(*this, order);
  std::erase_if(order, [](const TControl* c) { return !c->CanFocus(); });
  if (order.empty()) return;
  const auto current = std::find(order.begin(), order.end(), activeControl_);
  std::size_t next = 0;
  if (current == order.end()) {
    next = Forward ? 0 : order.size() - 1;
  } else {
    const std::size_t at = static_cast<std::size_t>(current - order.begin());
    next = Forward ? (at + 1) % order.size() : (at + order.size() - 1) % order.size();
  }
  SetActiveControl(order[next]);
}

void TForm::CheckFocus() {
  if (activeControl_ && !activeControl_->CanFocus()) SetActiveControl(nullptr);
  if (mouseCapture_ && !mouseCapture_->Reachable()) {
    mouseCapture_->CancelMode();
    mouseCapture_ = nullptr;
  }
}

void TForm::Show() {
  SetVisible(true);
  if (window_) return;
  const platform::Window::Frame frame =
      borderStyle_ == TFormBorderStyle::None ? platform::Window::Frame::Borderless : platform::Window::Frame::Bordered;
  window_ =
      std::make_unique<platform::Window>(application_.Title(), BoundsRect(), platform::Window::DefaultDisplay(), frame);
  if (position_ == TPosition::ScreenCenter) {
    const SIZE desktop = window_->DesktopSize();
    SetBounds((desktop.cx - Width()) / 2, (desktop.cy - Height()) / 2, Width(), Height());
  }
  window_->SetCursorVisible(cursor_ != TCursor::None);
  Invalidate();
}

void TForm::Close() {
  if (closed_) return;
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(*this, canClose);
  if (!canClose) return;
  closed_ = true;
  SetVisible(false);
  window_.reset();
  if (application_.MainForm() == this) application_.Terminate(application_.ExitCode());
}

void TForm::Invalidate() { invalid_ = true; }

void TForm::Repaint() {
  invalid_ = true;
  if (!painting_) PaintIfInvalid();
}

void TForm::PaintIfInvalid() {
  // A handler that asks for a repaint while the form paints gets it right after.
  while (invalid_ && Showing() && !painting_) {
    invalid_ = false;
    PaintWindow();
  }
}

// While the window shows a full-screen game, the display service draws it, not the form.
void TForm::PaintWindow() {
  if (window_->Exclusive()) return;
  painting_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{painting_};
  picture_.Resize(Width(), Height());
  platform::Painter painter(picture_);
  painter.FillRect(ClientRect(), Color());
  if (OnPaint) OnPaint(*this);
  if (!window_ || window_->Exclusive()) return;
  // OnPaint may have changed the form's size.
  if (picture_.Width() != Width() || picture_.Height() != Height()) {
    invalid_ = true;
    return;
  }
  for (const auto& child : Controls()) PaintTree(*child, painter);
  Present();
}

void TForm::PaintTree(TControl& Control, platform::Painter& Painter) {
  if (!Control.Visible()) return;
  platform::Painter inner = Painter.Inner(Control.BoundsRect());
  Control.Paint(inner);
  for (const auto& child : Control.Controls()) PaintTree(*child, inner);
}

void TForm::Present() {
  window_->ShowPicture(picture_.Width(), picture_.Height(), [&](std::uint8_t* pixels, std::int32_t pitch) {
    for (std::int32_t y = 0; y < picture_.Height(); ++y)
      std::copy_n(picture_.Row(y), picture_.Width(), reinterpret_cast<std::uint32_t*>(pixels + y * pitch));
  });
}

void TForm::AfterConstruction() {
  if (OnCreate) OnCreate(*this);
}

void TForm::BeforeDestruction() {
  if (OnDestroy) OnDestroy(*this);
}

void TForm::HandleInput(const platform::InputEvent& Event) {
  TControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : nullptr;
  switch (Event.kind) {
    case InputKind::KeyDown:
      KeyDownEvent(Event.key, Event.shift);
      break;
    case InputKind::KeyUp: {
      WORD key = Event.key;
      if (target)
        target->KeyUp(key, Event.shift);
      else if (OnKeyUp)
        OnKeyUp(*this, key, Event.shift);
      break;
    }
    case InputKind::Text:
      if (target) target->TextInput(Event.text);
      break;
    case InputKind::MouseMove:
      if (mouseCapture_) {
        const POINT origin = mouseCapture_->FormOrigin();
        mouseCapture_->MouseMove(Event.shift, {Event.position.x - origin.x, Event.position.y - origin.y});
      }
      break;
    case InputKind::MouseDown:
      MouseDownEvent(Event);
      break;
    case InputKind::MouseUp:
      if (TControl* captured = std::exchange(mouseCapture_, nullptr)) {
        const POINT origin = captured->FormOrigin();
        captured->MouseUp(Event.button, Event.shift, {Event.position.x - origin.x, Event.position.y - origin.y});
      }
      break;
    case InputKind::Close:
      if (OnCloseRequest)
        OnCloseRequest(*this);
      else
        Close();
      break;
    case InputKind::FocusGained:
      if (OnActivate) OnActivate(*this);
      break;
    case InputKind::FocusLost:
      if (TControl* captured = std::exchange(mouseCapture_, nullptr)) captured->CancelMode();
      if (activeControl_) activeControl_->CancelMode();
      break;
    case InputKind::Action:
      break;
  }
}

void TForm::KeyDownEvent(WORD Key, TShiftState Shift) {
  TControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : nullptr;
  if (target) {
    if (DialogKey(target, Key, Shift)) return;
    target->KeyDown(Key, Shift);
    return;
  }
  if (DialogKey(nullptr, Key, Shift)) return;
  if (OnKeyDown) OnKeyDown(*this, Key, Shift);
}

// Keys that belong to the dialog rather than to the control with the keyboard (or to the form,
// when none has it): Tab moves the keyboard, Enter presses a button, Alt with a letter the control
// it marks. Only what the form can act on is taken; the rest goes on to the control or the form.
bool TForm::DialogKey(TControl* Target, WORD Key, TShiftState Shift) {
  if (Key == VK_TAB && !Has(Shift, ShiftKey::Alt) && !Has(Shift, ShiftKey::Ctrl) &&
      !(Target && Target->WantsKey(Key))) {
    TControl* before = activeControl_;
    SelectNext(!Has(Shift, ShiftKey::Shift));
    return Target || activeControl_ != before;
  }
  if (Key == VK_RETURN && Shift == 0 && !(Target && Target->WantsKey(Key))) {
    if (Target && Target->IsButton()) {
      Target->Click();
      return true;
    }
    if (defaultButton_ && defaultButton_->Reachable()) {
      defaultButton_->Click();
      return true;
    }
    return false;
  }
  if (Key == VK_ESCAPE && Shift == 0 && cancelButton_ && cancelButton_->Reachable()) {
    cancelButton_->Click();
    return true;
  }
  return Accelerator(Key, Shift);
}

namespace {

TControl* FindAccelerated(TControl& Parent, char Key) {
  for (const auto& child : Parent.Controls()) {
    if (child->Focusable() && child->Reachable() && child->AcceleratorKey() == Key) return child.get();
    if (TControl* found = FindAccelerated(*child, Key)) return found;
  }
  return nullptr;
}

}  // namespace

bool TForm::Accelerator(WORD Key, TShiftState Shift) {
  if (!Has(Shift, ShiftKey::Alt) || Has(Shift, ShiftKey::Ctrl) || Key > 0xFF || !std::isalnum(Key)) return false;
  TControl* control = FindAccelerated(*this, static_cast<char>(Key));
  if (!control) return false;
  control->Click();
  return true;
}

TControl& TForm::ControlAt(POINT At) {
  TControl* found = this;
  POINT local = At;
  for (bool deeper = true; deeper;) {
    deeper = false;
    const auto& children = found->Controls();
    // The last child lies on top.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      TControl& child = **it;
      if (!child.Visible() || local.x < child.Left() || local.y < child.Top() ||
          local.x >= child.Left() + child.Width() || local.y >= child.Top() + child.Height())
        continue;
      local = {local.x - child.Left(), local.y - child.Top()};
      found = &child;
      deeper = true;
      break;
    }
  }
  return *found;
}

void TForm::MouseDownEvent(const platform::InputEvent& Event) {
  TControl& hit = ControlAt(Event.position);
  if (modalControl_ && !hit.LiesWithin(*modalControl_)) return;
  if (&hit == this) {
    if (OnMouseDown) OnMouseDown(*this, Event.button, Event.shift, Event.position.x, Event.position.y);
    return;
  }
  // A disabled control takes no clicks, and neither does anything inside a disabled one.
  if (!hit.Reachable()) return;
  if (hit.CanFocus() && Event.button == platform::MouseButton::Left) SetActiveControl(&hit);
  mouseCapture_ = &hit;
  const POINT origin = hit.FormOrigin();
  hit.MouseDown(Event.button, Event.shift, {Event.position.x - origin.x, Event.position.y - origin.y});
}
