#include "Look.h"

namespace platform {

RECT Inset(const RECT& r, std::int32_t by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

void RaisedEdge(Painter& painter, const RECT& r) {
  painter.Frame(r, clBtnHighlight, cl3DDkShadow);
  painter.Frame(Inset(r, 1), cl3DLight, clBtnShadow);
}

void PushedEdge(Painter& painter, const RECT& r) {
  painter.Frame(r, cl3DDkShadow, cl3DDkShadow);
  painter.Frame(Inset(r, 1), clBtnShadow, clBtnShadow);
}

void SunkenEdge(Painter& painter, const RECT& r) {
  painter.Frame(r, clBtnShadow, clBtnHighlight);
  painter.Frame(Inset(r, 1), cl3DDkShadow, cl3DLight);
}

void PanelEdge(Painter& painter, const RECT& r, bool raised) {
  painter.Frame(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight);
}

}  // namespace platform
