#include "NetworkState.h"

#include "lib/network/VXGNetwork.h"

NetworkState::NetworkState() = default;
NetworkState::~NetworkState() = default;
