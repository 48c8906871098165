#include "MessageQueue.h"

#include <algorithm>
#include <cstring>

namespace platform::dplay {

namespace {

// The record, then the short name it points to.
template <class Record>
DWORD RecordWithNameSize(const wire::PlayerEntry& player) {
  return static_cast<DWORD>(sizeof(Record) + player.name.size() + 1);
}

DPNAME NameInBuffer(const wire::PlayerEntry& player, std::uint8_t* nameBytes) {
  std::memcpy(nameBytes, player.name.c_str(), player.name.size() + 1);
  return {sizeof(DPNAME), 0, reinterpret_cast<char*>(nameBytes), nullptr};
}

template <class Record>
void WriteRecord(const Record& record, std::uint8_t* data) {
  std::memcpy(data, &record, sizeof record);
}

}  // namespace

bool MessageQueue::HasRoom(std::size_t count, std::size_t size) const {
  return messages_.size() + count <= MaxMessages && waitingBytes_ + count * Cost(size) <= MaxBytes;
}

bool MessageQueue::PushPlayerMessage(DPID from, DPID to, wire::ByteView bytes, Origin origin) {
  if (!HasRoom(1, bytes.size())) return false;
  Message message;
  message.from = from;
  message.to = to;
  message.bytes.assign(bytes.begin(), bytes.end());
  message.origin = origin;
  Push(std::move(message));
  return true;
}

bool MessageQueue::PushPlayerCreated(const wire::PlayerEntry& player, DWORD currentPlayers) {
  Message message;
  message.systemType = DPSYS_CREATEPLAYERORGROUP;
  message.player = player;
  message.currentPlayers = currentPlayers;
  if (!Fits(message)) return false;
  Push(std::move(message));
  return true;
}

void MessageQueue::PushPlayerDestroyed(const wire::PlayerEntry& player) {
  Message message;
  message.systemType = DPSYS_DESTROYPLAYERORGROUP;
  message.player = player;
  Push(std::move(message));
}

void MessageQueue::PushSessionLost() {
  Message message;
  message.systemType = DPSYS_SESSIONLOST;
  Push(std::move(message));
}

void MessageQueue::Clear() {
  messages_.clear();
  waitingBytes_ = 0;
}

void MessageQueue::Push(Message message) {
  ++arrivals_;
  waitingBytes_ += CostOf(message);
  messages_.push_back(std::move(message));
}

DWORD MessageQueue::SizeOf(const Message& message) {
  switch (message.systemType) {
    case 0:
      return static_cast<DWORD>(message.bytes.size());
    case DPSYS_CREATEPLAYERORGROUP:
      return RecordWithNameSize<DPMSG_CREATEPLAYERORGROUP>(message.player);
    case DPSYS_DESTROYPLAYERORGROUP:
      return RecordWithNameSize<DPMSG_DESTROYPLAYERORGROUP>(message.player);
    default:
      return sizeof(DPMSG_SESSIONLOST);
  }
}

void MessageQueue::WriteTo(const Message& message, std::uint8_t* data) {
  switch (message.systemType) {
    case 0:
      std::copy(message.bytes.begin(), message.bytes.end(), data);
      return;
    case DPSYS_CREATEPLAYERORGROUP: {
      DPMSG_CREATEPLAYERORGROUP record{};
      record.dwType = DPSYS_CREATEPLAYERORGROUP;
      record.dwPlayerType = DPPLAYERTYPE_PLAYER;
      record.dpId = message.player.id;
      record.dwCurrentPlayers = message.currentPlayers;
      record.dpnName = NameInBuffer(message.player, data + sizeof record);
      WriteRecord(record, data);
      return;
    }
    case DPSYS_DESTROYPLAYERORGROUP: {
      DPMSG_DESTROYPLAYERORGROUP record{};
      record.dwType = DPSYS_DESTROYPLAYERORGROUP;
      record.dwPlayerType = DPPLAYERTYPE_PLAYER;
      record.dpId = message.player.id;
      record.dpnName = NameInBuffer(message.player, data + sizeof record);
      WriteRecord(record, data);
      return;
    }
    default:
      WriteRecord(DPMSG_SESSIONLOST{message.systemType}, data);
  }
}

HRESULT MessageQueue::Receive(DPID* from, DPID* to, DWORD flags, LPVOID data, DWORD* dataSize, Origin& taken) {
  if (from == nullptr || to == nullptr || dataSize == nullptr) return DPERR_INVALIDPARAMS;
  if ((flags & ~(DPRECEIVE_ALL | DPRECEIVE_TOPLAYER | DPRECEIVE_FROMPLAYER | DPRECEIVE_PEEK)) != 0)
    return DPERR_INVALIDFLAGS;
  const bool toPlayer = (flags & DPRECEIVE_TOPLAYER) != 0;
  const bool fromPlayer = (flags & DPRECEIVE_FROMPLAYER) != 0;
  const auto wanted = std::find_if(messages_.begin(), messages_.end(), [&](const Message& message) {
    return (!toPlayer || message.to == *to) && (!fromPlayer || message.from == *from);
  });
  if (wanted == messages_.end()) return DPERR_NOMESSAGES;

  const DWORD size = SizeOf(*wanted);
  if (data == nullptr || *dataSize < size) {
    *dataSize = size;
    return DPERR_BUFFERTOOSMALL;
  }
  WriteTo(*wanted, static_cast<std::uint8_t*>(data));
  *dataSize = size;
  *from = wanted->from;
  *to = wanted->to;
  if ((flags & DPRECEIVE_PEEK) == 0) {
    taken = wanted->origin;
    waitingBytes_ -= CostOf(*wanted);
    messages_.erase(wanted);
  }
  return DP_OK;
}

}  // namespace platform::dplay
