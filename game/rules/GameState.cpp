#include "GameState.h"

SceneryLayout GameSceneryLayout() {
  SceneryLayout layout;
  layout.Count = {5, 4, 4, 3, 2};
  layout.Places[0] = {{{2900, -3}, {1330, 351}, {400, 147}, {2100, -3}, {900, -3}}};
  layout.Places[1] = {{{0, 369}, {1590, 316}, {2280, 209}, {2929, 264}}};
  layout.Places[2] = {{{0, -3}, {697, 260}, {1516, 365}, {2217, -3}}};
  layout.Places[3] = {{{0, 141}, {1307, 240}, {2757, 200}}};
  layout.Places[4] = {{{-200, -3}, {2962, -3}}};
  return layout;
}
