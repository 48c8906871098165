#include "Canvas.h"

namespace {

// Colour is the context's business; only these make a different font object.
bool SameFace(const TFont& a, const TFont& b) { return a.Name == b.Name && a.Size == b.Size && a.Bold == b.Bold; }

}  // namespace

TCanvas::~TCanvas() {
  if (font_) DeleteObject(font_);
}

HDC TCanvas::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TCanvas::SetHandle(HDC Handle) { handle_ = Handle; }

// The font object is made again only when the font changed since it was made.
void TCanvas::PrepareText() {
  HDC dc = Handle();
  if (!font_ || !SameFace(fontMade_, Font)) {
    const LOGFONTA description = FontDescription(Font);
    HFONT made = CreateFontIndirectA(&description);
    SelectObject(dc, made);
    if (font_) DeleteObject(font_);
    font_ = made;
    fontMade_ = Font;
  }
  SelectObject(dc, font_);
  SetTextColor(dc, Font.Color);
  SetBkColor(dc, Brush.Color);
  SetBkMode(dc, Brush.Style == TBrushStyle::Clear ? TRANSPARENT : OPAQUE);
}

void TCanvas::TextOut(std::int32_t X, std::int32_t Y, const std::string& Text) {
  PrepareText();
  TextOutA(handle_, X, Y, Text.data(), static_cast<int>(Text.size()));
}
