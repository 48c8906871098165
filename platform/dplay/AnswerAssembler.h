#pragma once
// Puts the parts of answers back together. The parts of one answer come from one address with one
// serial; a part lost leaves its answer unfinished, and a later answer to the next query is used.

#include <enet/enet.h>

#include <deque>
#include <optional>
#include <vector>

#include "Wire.h"

namespace platform::dplay {

class AnswerAssembler {
 public:
  // The session once Part completes its answer.
  std::optional<wire::SessionInfo> Add(const ENetAddress& from, const wire::AnswerPart& part);
  void Clear() { unfinished_.clear(); }

 private:
  // Forged parts cannot make the unfinished answers grow without end.
  static constexpr std::size_t MaxUnfinished = 32;

  struct Unfinished {
    ENetAddress from;
    std::uint32_t serial;
    std::vector<std::optional<wire::Bytes>> parts;
    std::size_t missing;
  };

  Unfinished& Find(const ENetAddress& from, const wire::AnswerPart& part);

  std::deque<Unfinished> unfinished_;
};

}  // namespace platform::dplay
