#pragma once
// The edges of the classic grey three-dimensional look.

#include "Painter.h"

namespace platform {

// Two pixels that make a rectangle stand out: a button, a track bar's thumb.
void RaisedEdge(Painter& painter, const RECT& r);
// A button held down: flat, framed black and grey.
void PushedEdge(Painter& painter, const RECT& r);
// Two pixels that sink a rectangle in: a text field, a list, a check box's square.
void SunkenEdge(Painter& painter, const RECT& r);
// One pixel round a panel.
void PanelEdge(Painter& painter, const RECT& r, bool raised);

RECT Inset(const RECT& r, std::int32_t by);

}  // namespace platform
