#pragma once
// The game's random numbers: the runtime's linear congruential generator, uniform in [0, 1). One
// generator, owned by the form, seeded from the clock or, for a reproducible run, from a number.

#include <cstdint>

#include "RandomSource.h"

class GameRandom final : public RandomSource {
 public:
  void Seed(std::uint32_t Seed) { seed_ = Seed; }
  double Next() override {
    seed_ = seed_ * 134775813u + 1u;
    return seed_ / 4294967296.0;
  }

 private:
  std::uint32_t seed_ = 0;
};
