#include "Canvas.h"

#include <algorithm>
#include <cstring>

namespace {

// GDI's height: negative for the character height in pixels, from points at 96 dots per inch.
LONG FontHeight(std::int32_t size) { return size > 0 ? -(size * 96 + 36) / 72 : size; }

LOGFONTA Describe(const TFont& font) {
  LOGFONTA description{};
  description.lfHeight = FontHeight(font.Size);
  description.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  const std::size_t length = std::min(font.Name.size(), sizeof description.lfFaceName - 1);
  std::memcpy(description.lfFaceName, font.Name.data(), length);
  return description;
}

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
    const LOGFONTA description = Describe(Font);
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
