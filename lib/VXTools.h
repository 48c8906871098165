#pragma once
// Small helpers shared by the library units.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win/WinTypes.h"

// The extension of a file name without its dot, in the case as written; "" when there is none.
std::string ExtractFileType(std::string_view FileName);

// Byte-wise equality of two GUIDs.
bool SameGUID(const GUID& A, const GUID& B);

inline std::int32_t Max(std::int32_t A, std::int32_t B) { return A > B ? A : B; }

inline SIZE RectSize(const RECT& Rect) { return {Rect.right - Rect.left, Rect.bottom - Rect.top}; }
