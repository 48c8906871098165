#include "Connections.h"

#include "DirectPlayAddress.h"

namespace platform::dplay {

namespace {
constexpr std::array<char, 8> Tag = {'V', 'X', 'G', 'C', 'O', 'N', 'N', '1'};
constexpr GUID ThisComputerProvider = {0x42CB5790, 0xD89B, 0x4204, {0x8E, 0xC2, 0xF4, 0x50, 0x7C, 0xD3, 0x13, 0x65}};
}  // namespace

// A stored choice is a place in this list: a new connection goes at its end.
const std::array<Connection, 3>& Connections() {
  static constexpr std::array<Connection, 3> connections = {{
      {ConnectionKind::LocalNetwork, DPSPGUID_TCPIP, "Lokales Netzwerk (UDP/IP)"},
      {ConnectionKind::ThisComputer, ThisComputerProvider, "Nur dieser Computer (Loopback)"},
      {ConnectionKind::ByAddress, DPSPGUID_ADDRESS,
       "\xDC"
       "ber Adresse (Internet, VPN)"},
  }};
  return connections;
}

ConnectionData MakeConnectionData(ConnectionKind kind) { return {Tag, kind}; }

std::optional<ConnectionKind> ReadConnectionData(const ConnectionData& data) {
  if (data.tag != Tag) return std::nullopt;
  for (const Connection& connection : Connections())
    if (connection.kind == data.kind) return data.kind;
  return std::nullopt;
}

}  // namespace platform::dplay
