#pragma once
// The one conversion of a real number to an integer that the game uses: to the nearest integer,
// halves to the even neighbour. Both sides of a two-player game must round alike, so nothing
// else may round.

#include <cmath>
#include <cstdint>
#include <limits>

inline std::int32_t Round(double Value) {
  constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(Value)) return 0;
  if (Value <= lowest) return lowest;
  if (Value >= highest) return highest;
  const double below = std::floor(Value);
  const double fraction = Value - below;
  auto result = static_cast<std::int64_t>(below);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return static_cast<std::int32_t>(result);
}
