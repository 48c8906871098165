#pragma once
// The magazine of eight cartridges and the row of cartridge icons that shows it.

#include "GameState.h"

// The shot sound is loaded this many times, so that quick shots do not cut each other off.
inline constexpr std::int32_t ShotCopies = 9;
// The pictures of a cartridge icon's ejection.
inline constexpr std::int32_t EjectionFrames = 8;

// Eight cartridges and eight full icons: at the round's start and on reloading.
void FillMagazine(MagazineState& Magazine);
// A shot takes the last cartridge and starts the ejection of its icon; false when none is left.
bool TakeCartridge(MagazineState& Magazine);
// The copy of the shot sound that plays next, 1 to 9 in turn.
std::int32_t NextShotSound(MagazineState& Magazine);
// The icons' ejection, run by the ticks whose Phase11 (before it advances) is 1, 4 or 7: an
// ejection moves two pictures per 11 ticks, and an icon that has shown all eight leaves the row.
void AdvanceCartridgeIcons(MagazineState& Magazine, std::int32_t Phase11);
