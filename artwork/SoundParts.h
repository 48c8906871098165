#pragma once
// The fifteen sounds of the landscape, played now and then during a round.

#include <vector>

#include "Synth.h"

namespace artwork {

std::vector<Samples> AmbientSounds();

}  // namespace artwork
