#include "Look.h"
#include "StdCtrls.h"

TPanel::TPanel(std::string Name) : TControl(std::move(Name)) {}

void TPanel::SetBevelOuter(TBevelCut Cut) {
  bevelOuter_ = Cut;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut Cut) {
  bevelInner_ = Cut;
  Invalidate();
}

void TPanel::SetParentBackground(bool Value) {
  parentBackground_ = Value;
  Invalidate();
}

void TPanel::Paint(platform::Painter& Painter) {
  if (!parentBackground_) Painter.FillRect(ClientRect(), Color());
  RECT edge = ClientRect();
  for (const TBevelCut cut : {bevelOuter_, bevelInner_}) {
    if (cut == TBevelCut::None) continue;
    platform::PanelEdge(Painter, edge, cut == TBevelCut::Raised);
    edge = platform::Inset(edge, 1);
  }
  if (Caption().empty()) return;
  const SIZE size = platform::TextExtent(Caption(), Font());
  const std::int32_t x = (Width() - size.cx) / 2;
  const std::int32_t y = (Height() - size.cy) / 2;
  if (Enabled())
    Painter.Text(x, y, Caption(), Font(), Font().Color);
  else
    Painter.GrayText(x, y, Caption(), Font());
}
