#pragma once
// Drawing on device contexts, as GDI does it for the game library: copies between surfaces with
// conversion of pixel formats, and text in a font, a colour and a background mode.

#include "DeviceContext.h"

using COLORREF = DWORD;  // 0x00BBGGRR

constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
  return COLORREF{red} | COLORREF{green} << 8 | COLORREF{blue} << 16;
}

inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_BOLD = 700;
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
inline constexpr BYTE DEFAULT_CHARSET = 1;

struct LOGFONTA {
  LONG lfHeight;  // < 0: the character height in pixels; > 0: the cell height; 0: a default size
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  char lfFaceName[32];  // Windows-1252, zero-terminated
};

namespace platform::gdi {
class Font;
}
using HFONT = platform::gdi::Font*;

// A font of the face most like the one named, found through fontconfig; null when there is none.
HFONT CreateFontIndirectA(const LOGFONTA* font);
BOOL DeleteObject(HFONT font);
// Makes `font` the context's font and returns the one it had (null at first: the system font).
HFONT SelectObject(HDC dc, HFONT font);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);

// Text (Windows-1252 bytes) with its cell's top-left corner at (x, y).
BOOL TextOutA(HDC dc, int x, int y, const char* text, int length);
BOOL GetTextExtentPoint32A(HDC dc, const char* text, int length, SIZE* size);

// Copies a rectangle between two contexts, converting between their pixel formats; SRCCOPY only.
BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
