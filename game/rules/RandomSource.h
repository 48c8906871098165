#pragma once
// Where the game's random numbers come from: uniform in [0, 1). The order in which the rules draw
// them is part of the rules; tests stand in a source that hands out a scripted sequence.

class RandomSource {
 public:
  virtual double Next() = 0;

 protected:
  ~RandomSource() = default;
};
