#pragma once
// The sessions that hosts have answered with: where each one is, and what it looked like when it
// last answered. A timed enumeration takes the answers as they come; an asynchronous one reads
// what answered lately.

#include <enet/enet.h>

#include <chrono>
#include <optional>
#include <vector>

#include "Wire.h"

namespace platform::dplay {

class SessionFinder {
 public:
  using Clock = std::chrono::steady_clock;

  struct Found {
    wire::SessionInfo session;
    ENetAddress address{};
    Clock::time_point lastAnswer;
  };

  void Answered(const ENetAddress& from, wire::SessionInfo session, Clock::time_point now);
  // The answers since the last call, in the order they came.
  std::vector<wire::SessionInfo> TakeAnswers();
  // The sessions that answered since Since, in the order they first answered.
  std::vector<wire::SessionInfo> AnsweredSince(Clock::time_point since) const;
  const Found* Find(const GUID& instance) const;

  // Whether a background query is due: the last one is older than the query interval.
  bool QueryDue(Clock::time_point now) const;
  void Queried(Clock::time_point now) { lastQuery_ = now; }

 private:
  // Forged answers cannot make the lists grow without end.
  static constexpr std::size_t MaxKept = 256;

  std::vector<Found> found_;
  std::vector<wire::SessionInfo> answers_;
  std::optional<Clock::time_point> lastQuery_;
};

}  // namespace platform::dplay
