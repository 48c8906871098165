#pragma once
// Colours and fonts as the window framework and the runtime's canvas describe them, and the GDI
// font that stands for a description.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/gdi/Gdi.h"

using TColor = std::uint32_t;  // 0x00BBGGRR

struct TFont {
  std::string Name = "MS Sans Serif";
  // Points at 96 dots per inch when positive; the character height in pixels when negative.
  std::int32_t Size = 8;
  bool Bold = false;
  TColor Color = 0;
};

// GDI's height: negative for the character height in pixels, from points at 96 dots per inch.
inline LONG FontHeight(std::int32_t size) { return size > 0 ? -(size * 96 + 36) / 72 : size; }

inline LOGFONTA FontDescription(const TFont& font) {
  LOGFONTA description{};
  description.lfHeight = FontHeight(font.Size);
  description.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  const std::size_t length = std::min(font.Name.size(), sizeof description.lfFaceName - 1);
  std::memcpy(description.lfFaceName, font.Name.data(), length);
  return description;
}

// The colours of the classic grey three-dimensional look.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBtnFace = 0xC0C0C0;
inline constexpr TColor clBtnHighlight = 0xFFFFFF;
inline constexpr TColor cl3DLight = 0xDFDFDF;
inline constexpr TColor clBtnShadow = 0x808080;
inline constexpr TColor cl3DDkShadow = 0x000000;
inline constexpr TColor clWindow = 0xFFFFFF;
inline constexpr TColor clWindowText = 0x000000;
inline constexpr TColor clHighlight = 0x800000;  // navy
inline constexpr TColor clHighlightText = 0xFFFFFF;
inline constexpr TColor clGrayText = 0x808080;

constexpr TColor RGBColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return TColor{red} | TColor{green} << 8 | TColor{blue} << 16;
}
