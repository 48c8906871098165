#pragma once
// The sessions that hosts have answered with: where each one is, and what it looked like when it
// last answered. A search asks with a number of its own and takes only answers that repeat it;
// within one search, a session stays at the address that answered for it first, so that nobody
// else can move it elsewhere or hide it. A timed enumeration takes the answers as they come; an
// asynchronous one reads what answered lately.

#include <enet/enet.h>

#include <chrono>
#include <optional>
#include <random>
#include <vector>

#include "AnswerAssembler.h"
#include "Wire.h"

namespace platform::dplay {

class SessionFinder {
 public:
  using Clock = std::chrono::steady_clock;

  struct Found {
    wire::SessionInfo session;
    ENetAddress address{};
    Clock::time_point lastAnswer;
    std::uint64_t search = 0;  // the search that found it at this address
  };

  // A new number for the queries; every session may be found anew.
  void BeginSearch();
  void EndSearch() { nonce_.reset(); }
  bool Searching() const { return nonce_.has_value(); }
  // The number the queries of the search carry.
  std::uint32_t Nonce() const { return nonce_.value_or(0); }

  void Answered(const ENetAddress& from, const wire::AnswerPart& part, Clock::time_point now);
  // The answers since the last call, in the order they came.
  std::vector<wire::SessionInfo> TakeAnswers();
  // The sessions that answered this search since Since, in the order they first answered.
  std::vector<wire::SessionInfo> AnsweredSince(Clock::time_point since) const;
  const Found* Find(const GUID& instance) const;

  // Whether a background query is due: the last one is older than the query interval.
  bool QueryDue(Clock::time_point now) const;
  void Queried(Clock::time_point now) { lastQuery_ = now; }

 private:
  // Forged answers cannot make the lists grow without end.
  static constexpr std::size_t MaxKept = 256;

  void Take(const ENetAddress& from, wire::SessionInfo session, Clock::time_point now);

  AnswerAssembler assembler_;
  std::vector<Found> found_;
  std::vector<wire::SessionInfo> answers_;
  std::optional<Clock::time_point> lastQuery_;
  std::mt19937 random_{std::random_device{}()};
  std::optional<std::uint32_t> nonce_;
  std::uint64_t search_ = 0;
};

}  // namespace platform::dplay
