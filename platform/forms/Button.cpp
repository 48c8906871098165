#include "Form.h"
#include "Look.h"
#include "StdCtrls.h"

TButton::TButton(std::string Name) : TControl(std::move(Name)) { SetColor(clBtnFace); }

void TButton::SetDefault(bool Value) {
  TForm* form = Form();
  if (!form) return;
  if (Value)
    form->SetDefaultButton(this);
  else if (form->DefaultButton() == this)
    form->SetDefaultButton(nullptr);
}

void TButton::SetCancel(bool Value) {
  TForm* form = Form();
  if (!form) return;
  if (Value)
    form->SetCancelButton(this);
  else if (form->CancelButton() == this)
    form->SetCancelButton(nullptr);
}

bool TButton::Cancel() const {
  const TForm* form = Form();
  return form != nullptr && form->CancelButton() == this;
}

bool TButton::Default() const {
  const TForm* form = Form();
  return form != nullptr && form->DefaultButton() == this;
}

void TButton::DoMouseDown(platform::MouseButton Button, TShiftState /*Shift*/, POINT /*At*/) {
  if (Button != platform::MouseButton::Left) return;
  tracking_ = pressed_ = true;
  Invalidate();
}

void TButton::MouseMove(TShiftState /*Shift*/, POINT At) {
  if (!tracking_) return;
  const bool inside = At.x >= 0 && At.y >= 0 && At.x < Width() && At.y < Height();
  if (inside != pressed_) {
    pressed_ = inside;
    Invalidate();
  }
}

void TButton::MouseUp(platform::MouseButton Button, TShiftState Shift, POINT At) {
  if (Button != platform::MouseButton::Left || !tracking_) return;
  MouseMove(Shift, At);
  const bool click = pressed_;
  CancelMode();
  if (click) Click();
}

void TButton::CancelMode() {
  tracking_ = pressed_ = false;
  Invalidate();
}

// Space presses the button down and lets it go, as a click does.
void TButton::DoKeyDown(WORD& Key, TShiftState /*Shift*/) {
  if (Key != VK_SPACE || pressed_) return;
  pressed_ = true;
  Invalidate();
}

void TButton::DoKeyUp(WORD& Key, TShiftState /*Shift*/) {
  if (Key != VK_SPACE || !pressed_ || tracking_) return;
  pressed_ = false;
  Invalidate();
  Click();
}

void TButton::Paint(platform::Painter& Painter) {
  if (Width() <= 0 || Height() <= 0) return;
  RECT edge = ClientRect();
  Painter.FillRect(edge, Color());
  const TForm* form = Form();
  const TControl* focused = form ? form->ActiveControl() : nullptr;
  // The button that Enter would press wears a black frame.
  const bool active = Focused() || (Default() && (focused == nullptr || !focused->IsButton()));
  if (active && Enabled()) {
    Painter.Frame(edge, cl3DDkShadow, cl3DDkShadow);
    edge = platform::Inset(edge, 1);
  }
  if (pressed_)
    platform::PushedEdge(Painter, edge);
  else
    platform::RaisedEdge(Painter, edge);
  const SIZE size = platform::TextExtent(platform::ParseAccelerator(Caption()).text, Font());
  const std::int32_t shift = pressed_ ? 1 : 0;
  Painter.Caption((Width() - size.cx) / 2 + shift, (Height() - size.cy) / 2 + shift, Caption(), Font(), Enabled());
  if (Focused()) Painter.FocusRect(platform::Inset(ClientRect(), 4));
}
