#pragma once
// The three connections (service providers) of the network service and the opaque connection data
// that EnumConnections hands out and InitializeConnection takes back.

#include <array>
#include <optional>

#include "DPlay.h"

namespace platform::dplay {

enum class ConnectionKind : DWORD { LocalNetwork = 1, ThisComputer = 2, ByAddress = 3 };

struct Connection {
  ConnectionKind kind;
  GUID serviceProvider;
  const char* name;  // Windows-1252
};

// In the order EnumConnections reports them.
const std::array<Connection, 3>& Connections();

// The bytes a caller keeps for a connection; the tag tells ours from anything else.
struct ConnectionData {
  std::array<char, 8> tag;
  ConnectionKind kind;
};

ConnectionData MakeConnectionData(ConnectionKind kind);
std::optional<ConnectionKind> ReadConnectionData(const ConnectionData& data);

}  // namespace platform::dplay
