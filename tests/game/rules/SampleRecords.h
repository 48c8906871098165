#pragma once
// Records as a real match has them, a stork's with fractions that thousandths round: for the
// tests and the fuzzing of the two-player protocol.

#include "game/rules/Targets.h"

inline TargetRecord FlyingStork() {
  TargetRecord stork;
  stork.Direction = true;
  stork.Kind = 2;
  stork.State = TargetFlying;
  stork.Frame = 7;
  stork.DX = -0.8123456;
  stork.DY = 0.0004999;
  stork.X = 2718.2818;
  stork.Y = -12.3455;
  stork.LabelY = 3.0;
  stork.ScreenX = 41;
  stork.ScreenY = -12;
  return stork;
}

// A ground figure just hit by a player.
inline GroundFigureRecord HitFigure() {
  GroundFigureRecord hit;
  hit.State = FigureHit;
  hit.Frame = 1;
  hit.X = 1234;
  hit.ScreenX = 77;
  hit.HitX = 1254.0;
  hit.LabelY = 270;
  return hit;
}
