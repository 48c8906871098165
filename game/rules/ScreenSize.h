#pragma once
// The size of the game's picture in pixels: the display mode it asks for and the form it draws on.

#include <cstdint>

inline constexpr std::int32_t ScreenWidth = 640;
inline constexpr std::int32_t ScreenHeight = 480;
