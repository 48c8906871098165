#include "Connections.h"

namespace platform::dplay {

namespace {
constexpr std::array<char, 8> Tag = {'V', 'X', 'G', 'C', 'O', 'N', 'N', '1'};
constexpr GUID ThisComputerProvider = {0x42CB5790, 0xD89B, 0x4204, {0x8E, 0xC2, 0xF4, 0x50, 0x7C, 0xD3, 0x13, 0x65}};
}  // namespace

const std::array<Connection, 2>& Connections() {
  static constexpr std::array<Connection, 2> connections = {{
      {ConnectionKind::LocalNetwork, DPSPGUID_TCPIP, "Lokales Netzwerk (UDP/IP)"},
      {ConnectionKind::ThisComputer, ThisComputerProvider, "Nur dieser Computer (Loopback)"},
  }};
  return connections;
}

ConnectionData MakeConnectionData(ConnectionKind kind) { return {Tag, kind}; }

std::optional<ConnectionKind> ReadConnectionData(const ConnectionData& data) {
  if (data.tag != Tag) return std::nullopt;
  if (data.kind != ConnectionKind::LocalNetwork && data.kind != ConnectionKind::ThisComputer) return std::nullopt;
  return data.kind;
}

}  // namespace platform::dplay
