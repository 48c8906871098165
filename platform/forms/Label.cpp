#include "StdCtrls.h"

TLabel::TLabel(std::string Name) : TControl(std::move(Name)) {}

void TLabel::SetTransparent(bool Value) {
  transparent_ = Value;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

void TLabel::SetAutoSize(bool Value) {
  autoSize_ = Value;
  AdjustSize();
}

void TLabel::TextChanged() { AdjustSize(); }

void TLabel::SetBounds(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height) {
  TControl::SetBounds(Left, Top, Width, Height);
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!autoSize_) return;
  const SIZE size = platform::TextExtent(Caption(), Font());
  TControl::SetBounds(Left(), Top(), size.cx, size.cy);
}

void TLabel::Paint(platform::Painter& Painter) {
  if (!transparent_) Painter.FillRect(ClientRect(), Color());
  const std::int32_t width = platform::TextExtent(Caption(), Font()).cx;
  std::int32_t x = 0;
  if (alignment_ == TAlignment::Center) x = (Width() - width) / 2;
  if (alignment_ == TAlignment::RightJustify) x = Width() - width;
  if (Enabled())
    Painter.Text(x, 0, Caption(), Font(), Font().Color);
  else
    Painter.GrayText(x, 0, Caption(), Font());
}
