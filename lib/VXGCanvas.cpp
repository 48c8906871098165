#include "VXGCanvas.h"

#include <utility>

namespace {
TVXGSurface& Required(TVXGSurface* Surface) {
  if (!Surface) throw EVXGGraphicsError("TVXGCanvas.Create: ASurface = nil");
  return *Surface;
}
}  // namespace

TVXGCanvas::TVXGCanvas(TVXGSurface* Surface) : surface_(Required(Surface)) {}

TVXGCanvas::~TVXGCanvas() noexcept(false) {
  if (std::uncaught_exceptions() <= uncaughtAtCreation_) {
    ReleaseHandle();
    return;
  }
  // A second exception in flight would end the program; the first one says more.
  try {
    ReleaseHandle();
  } catch (...) {
  }
}

void TVXGCanvas::CreateHandle() {
  if (!dc_) Check("CreateHandle", surface_.GetSurface()->GetDC(&dc_));
  SetHandle(dc_);
}

// The context goes back to the interface it came from as it is: restoring a surface whose context
// is out would fail.
void TVXGCanvas::ReleaseHandle() {
  if (!dc_) return;
  SetHandle(nullptr);
  HDC dc = std::exchange(dc_, nullptr);
  Check("Destroy", surface_.DDSurface()->ReleaseDC(dc));
}

void TVXGCanvas::ShadowText(std::int32_t X, std::int32_t Y, TColor Color, TColor ShadowColor, const std::string& Text) {
  Font.Color = ShadowColor;
  TextOut(X + 1, Y + 1, Text);
  Font.Color = Color;
  TextOut(X, Y, Text);
}
