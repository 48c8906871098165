#include "AnswerAssembler.h"

#include <algorithm>

namespace platform::dplay {

std::optional<wire::SessionInfo> AnswerAssembler::Add(const ENetAddress& from, const wire::AnswerPart& part) {
  if (part.count == 1) return wire::DecodeSession(part.bytes);
  Unfinished& answer = Find(from, part);
  if (answer.parts.size() != part.count) return std::nullopt;  // parts that do not agree
  std::optional<wire::Bytes>& slot = answer.parts[part.index];
  if (slot) return std::nullopt;
  slot = part.bytes;
  if (--answer.missing > 0) return std::nullopt;

  wire::Bytes whole;
  for (const std::optional<wire::Bytes>& piece : answer.parts) whole.insert(whole.end(), piece->begin(), piece->end());
  std::erase_if(unfinished_, [&](const Unfinished& entry) { return &entry == &answer; });
  return wire::DecodeSession(whole);
}

AnswerAssembler::Unfinished& AnswerAssembler::Find(const ENetAddress& from, const wire::AnswerPart& part) {
  const auto known = std::find_if(unfinished_.begin(), unfinished_.end(), [&](const Unfinished& entry) {
    return entry.from.host == from.host && entry.from.port == from.port && entry.serial == part.serial;
  });
  if (known != unfinished_.end()) return *known;
  if (unfinished_.size() == MaxUnfinished) unfinished_.pop_front();
  return unfinished_.emplace_back(
      Unfinished{from, part.serial, std::vector<std::optional<wire::Bytes>>(part.count), part.count});
}

}  // namespace platform::dplay
