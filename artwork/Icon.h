#pragma once
// The game's desktop icon: a white stork inside a red crosshair, on a round sky-blue disc.

#include "Canvas.h"

namespace artwork {

// Drawn from vectors at the size asked for, never scaled down from a bigger one, so that its
// lines stay thick enough to read at 48 x 48 too. The corners stay transparent.
Canvas DrawIcon(int size);

}  // namespace artwork
