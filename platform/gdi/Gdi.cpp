#include "Gdi.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "Font.h"
#include "TextPainter.h"

using platform::gdi::BackgroundMode;
using platform::gdi::Font;
using platform::gdi::FontFace;
using platform::gdi::Glyph;

namespace {

bool ValidText(const char* text, int length) { return length >= 0 && (text || length == 0); }

}  // namespace

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  if (!font) return nullptr;
  return platform::gdi::RegisterFont(std::make_shared<Font>(*font));
}

// A font still selected somewhere stays alive there until it is replaced; its handle ends at once.
BOOL DeleteObject(HFONT font) { return font && platform::gdi::UnregisterFont(font) ? TRUE : FALSE; }

HFONT SelectObject(HDC dc, HFONT font) {
  if (!dc) return nullptr;
  std::shared_ptr<Font> selected;
  if (font && !(selected = platform::gdi::FontOfHandle(font))) return nullptr;
  return dc->SelectFont(std::move(selected)).get();
}

COLORREF SetTextColor(HDC dc, COLORREF color) { return dc ? dc->SetTextColor(color) : CLR_INVALID; }

COLORREF SetBkColor(HDC dc, COLORREF color) { return dc ? dc->SetBackgroundColor(color) : CLR_INVALID; }

int SetBkMode(HDC dc, int mode) {
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return static_cast<int>(dc->SetBackground(static_cast<BackgroundMode>(mode)));
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int length) {
  if (!dc || !ValidText(text, length)) return FALSE;
  FontFace* face = dc->FontInUse().Face();
  if (!face) return FALSE;
  platform::gdi::TextPainter painter(dc->Target(), dc->TextColor());
  const std::string_view characters(text, static_cast<std::size_t>(length));
  if (dc->Background() == BackgroundMode::Opaque) {
    const std::int64_t width = face->Layout(characters, painter.Kind(), [](const Glyph&, std::int64_t) {});
    painter.Fill(x, y, x + width, std::int64_t{y} + face->CellHeight(), dc->BackgroundColor());
  }
  const std::int64_t baseline = std::int64_t{y} + face->Ascent();
  face->Layout(characters, painter.Kind(),
               [&](const Glyph& glyph, std::int64_t pen) { painter.Paint(glyph, x + pen, baseline); });
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int length, SIZE* size) {
  if (!dc || !size || !ValidText(text, length)) return FALSE;
  FontFace* face = dc->FontInUse().Face();
  if (!face) return FALSE;
  const auto rendering = platform::gdi::RenderingFor(dc->Target().Pixels().layout);
  const std::int64_t width = face->Layout(std::string_view(text, static_cast<std::size_t>(length)), rendering,
                                          [](const Glyph&, std::int64_t) {});
  size->cx = static_cast<LONG>(std::clamp<std::int64_t>(width, 0, std::numeric_limits<LONG>::max()));
  size->cy = face->CellHeight();
  return TRUE;
}
