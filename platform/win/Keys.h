#pragma once
// Virtual key codes: the numbers Windows gives keys, which the game and its scripts use.

#include "WinTypes.h"

inline constexpr WORD VK_BACK = 8;
inline constexpr WORD VK_TAB = 9;
inline constexpr WORD VK_RETURN = 13;
inline constexpr WORD VK_SHIFT = 16;
inline constexpr WORD VK_CONTROL = 17;
inline constexpr WORD VK_MENU = 18;  // Alt
inline constexpr WORD VK_ESCAPE = 27;
inline constexpr WORD VK_SPACE = 32;
inline constexpr WORD VK_PRIOR = 33;  // Page Up
inline constexpr WORD VK_NEXT = 34;   // Page Down
inline constexpr WORD VK_END = 35;
inline constexpr WORD VK_HOME = 36;
inline constexpr WORD VK_LEFT = 37;
inline constexpr WORD VK_UP = 38;
inline constexpr WORD VK_RIGHT = 39;
inline constexpr WORD VK_DOWN = 40;
inline constexpr WORD VK_INSERT = 45;
inline constexpr WORD VK_DELETE = 46;
// '0'..'9' are 48..57 and 'A'..'Z' 65..90, as the characters.
inline constexpr WORD VK_F1 = 112;

// Which of Shift, Alt and Ctrl are held with a key or a click.
enum class ShiftKey : unsigned { Shift = 1, Alt = 2, Ctrl = 4 };
using TShiftState = unsigned;
constexpr bool Has(TShiftState state, ShiftKey key) { return (state & static_cast<unsigned>(key)) != 0; }
constexpr TShiftState operator|(ShiftKey a, ShiftKey b) { return static_cast<unsigned>(a) | static_cast<unsigned>(b); }
constexpr TShiftState Only(ShiftKey key) { return static_cast<unsigned>(key); }
