#include "NetworkChannel.h"

#include <cstring>
#include <vector>

#include "game/rules/MessageText.h"
#include "lib/network/VXGNetwork.h"

// A session that can no longer carry a message has lost the other player: the match ends as when
// the other player leaves, instead of the game ending with an error. The notices that tell why wait
// behind the messages still queued; nothing of those counts any more.
void NetworkChannel::Send(const std::string& Text) {
  const std::vector<std::uint8_t> bytes = MessageBytes(Text);
  try {
    net_.Network->Send(net_.SenderId, 0, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  } catch (const EVXGNetworkError&) {
    while (gone_ == OpponentGone::No && Poll()) {
    }
    if (gone_ == OpponentGone::No) gone_ = OpponentGone::SessionLost;
  }
}

// A message too large for the buffer is taken out and dropped, or it would block every later one;
// the system's notices and the messages of anyone but the other player are no game messages.
std::optional<std::string> NetworkChannel::Poll() {
  std::uint8_t buffer[MessageBufferSize];
  for (;;) {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    std::uint32_t size = sizeof buffer;
    try {
      if (!net_.Network->Receive(from, to, buffer, size)) return std::nullopt;
    } catch (const EVXGNetworkError&) {
      if (gone_ == OpponentGone::No) gone_ = OpponentGone::SessionLost;
      return std::nullopt;
    }
    if (size > sizeof buffer) {
      std::vector<std::uint8_t> large(size);
      net_.Network->Receive(from, to, large.data(), size);
      if (from == DPID_SYSMSG) TakeNotice(large.data(), size);
      continue;
    }
    if (from == DPID_SYSMSG) {
      TakeNotice(buffer, size);
      continue;
    }
    if (from == net_.OpponentId) return CleanedText(buffer, size);
  }
}

// A host that leaves takes its session along: that its player left first is the reason to give.
void NetworkChannel::TakeNotice(const std::uint8_t* Data, std::uint32_t Size) {
  DWORD type = 0;
  if (Size < sizeof type) return;
  std::memcpy(&type, Data, sizeof type);
  if (type == DPSYS_SESSIONLOST && gone_ == OpponentGone::No) gone_ = OpponentGone::SessionLost;
  if (type != DPSYS_DESTROYPLAYERORGROUP || Size < sizeof(DPMSG_DESTROYPLAYERORGROUP)) return;
  DPMSG_DESTROYPLAYERORGROUP notice;
  std::memcpy(&notice, Data, sizeof notice);
  if (notice.dpId == net_.OpponentId && gone_ == OpponentGone::No) gone_ = OpponentGone::Left;
}

void NetworkChannel::WaitForTraffic(std::int32_t Milliseconds) { net_.Network->WaitForMessage(Milliseconds); }
