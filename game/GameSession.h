#pragma once
// The game's session among those that the last search of the network object found.

#include <optional>

#include "lib/network/VXGNetwork.h"

// The last listed session of the game's name; nullopt when there is none.
std::optional<GUID> GameSession(const TVXGNetwork& Network);
