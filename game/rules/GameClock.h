#pragma once
// The game's clock: milliseconds of the platform clock, signed, so that differences of two
// readings are plain arithmetic.

#include <cstdint>

#include "platform/win/Clock.h"

inline std::int64_t Now() { return static_cast<std::int64_t>(GetTickCount64()); }
