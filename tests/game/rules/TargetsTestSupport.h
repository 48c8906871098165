#pragma once
// Scripted random draws, recorded sounds and ready-made targets for the tests of the storks, the
// ground figures and the plane. Both sides of a two-player game run these rules on the same
// records, so the tests pin down the order and number of random draws, the order of the steps in
// a tick and the rounding of halves to even.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "game/rules/Targets.h"

namespace targets_test {

// Hands out the draws a test scripted, in order; one draw more than scripted is a fault.
class ScriptedRandom final : public RandomSource {
 public:
  void Add(std::initializer_list<double> Draws) { draws_.insert(draws_.end(), Draws); }
  double Next() override {
    if (next_ == draws_.size()) {
      ADD_FAILURE() << "random drawn more often than scripted";
      return 0;
    }
    return draws_[next_++];
  }
  std::size_t Left() const { return draws_.size() - next_; }

 private:
  std::vector<double> draws_;
  std::size_t next_ = 0;
};

class RecordingSounds final : public TargetSounds {
 public:
  void GroundFigureUp() override { ++figuresUp; }
  void Ambient(std::int32_t Number) override { ambient.push_back(Number); }

  int figuresUp = 0;
  std::vector<std::int32_t> ambient;
};

// The draws that make Round(random * 2.05 + 0.05) meet a half exactly.
constexpr double KindDrawHalf = 0.21951219512195125;    // 0.5 rounds to 0: kind 1
constexpr double KindDrawOneHalf = 0.7073170731707318;  // 1.5 rounds to 2: kind 3

inline TargetRecord Flying(std::int32_t Kind, double X, double Y) {
  TargetRecord target;
  target.Kind = Kind;
  target.State = TargetFlying;
  target.X = X;
  target.Y = Y;
  target.Frame = 1;
  return target;
}

}  // namespace targets_test
