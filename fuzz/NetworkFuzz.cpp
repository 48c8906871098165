// Arbitrary bytes as a datagram beside the session, as the description of a session that the parts
// of an answer make up, and as a packet inside a session: whatever decodes must encode back to
// exactly the same bytes, and nothing else may come of it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/dplay/Wire.h"

namespace wire = platform::dplay::wire;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const wire::ByteView bytes(data, size);
  if (const std::optional<wire::Datagram> datagram = wire::DecodeDatagram(bytes)) {
    const wire::Bytes again = wire::EncodeDatagram(*datagram);
    if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) std::abort();
  }
  if (const std::optional<wire::SessionInfo> session = wire::DecodeSession(bytes)) {
    const wire::Bytes again = wire::EncodeSession(*session);
    if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) std::abort();
  }
  if (const std::optional<wire::Packet> packet = wire::DecodePacket(bytes)) {
    const wire::Bytes again = wire::EncodePacket(*packet);
    if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) std::abort();
  }
  return 0;
}
