#pragma once
// A small seeded generator (SplitMix64): the same seed gives the same artwork on every machine,
// which the standard library's distributions do not promise.

#include <cstdint>

namespace artwork {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double low, double high) { return low + (high - low) * Uniform(); }
  int Below(int n) { return static_cast<int>(Uniform() * n); }

 private:
  std::uint64_t state_;
};

}  // namespace artwork
