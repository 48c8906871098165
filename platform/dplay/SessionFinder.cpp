#include "SessionFinder.h"

#include <algorithm>

namespace platform::dplay {

namespace {

constexpr std::chrono::milliseconds QueryInterval{250};

bool SameAddress(const ENetAddress& a, const ENetAddress& b) { return a.host == b.host && a.port == b.port; }

}  // namespace

void SessionFinder::BeginSearch() {
  nonce_ = static_cast<std::uint32_t>(random_());
  ++search_;
  assembler_.Clear();
  answers_.clear();
  lastQuery_.reset();
}

void SessionFinder::Answered(const ENetAddress& from, const wire::AnswerPart& part, Clock::time_point now) {
  if (!nonce_ || part.nonce != *nonce_) return;
  if (std::optional<wire::SessionInfo> session = assembler_.Add(from, part)) Take(from, std::move(*session), now);
}

void SessionFinder::Take(const ENetAddress& from, wire::SessionInfo session, Clock::time_point now) {
  const auto known = std::find_if(found_.begin(), found_.end(),
                                  [&](const Found& found) { return found.session.instance == session.instance; });
  if (known != found_.end() && known->search == search_ && !SameAddress(known->address, from)) return;
  if (answers_.size() < MaxKept) answers_.push_back(session);
  if (known != found_.end()) {
    *known = {std::move(session), from, now, search_};
    return;
  }
  if (found_.size() == MaxKept) {
    found_.erase(std::min_element(found_.begin(), found_.end(),
                                  [](const Found& a, const Found& b) { return a.lastAnswer < b.lastAnswer; }));
  }
  found_.push_back({std::move(session), from, now, search_});
}

std::vector<wire::SessionInfo> SessionFinder::TakeAnswers() { return std::exchange(answers_, {}); }

std::vector<wire::SessionInfo> SessionFinder::AnsweredSince(Clock::time_point since) const {
  std::vector<wire::SessionInfo> sessions;
  for (const Found& found : found_)
    if (found.search == search_ && found.lastAnswer >= since) sessions.push_back(found.session);
  return sessions;
}

const SessionFinder::Found* SessionFinder::Find(const GUID& instance) const {
  const auto found = std::find_if(found_.begin(), found_.end(),
                                  [&](const Found& entry) { return entry.session.instance == instance; });
  return found == found_.end() ? nullptr : &*found;
}

bool SessionFinder::QueryDue(Clock::time_point now) const { return !lastQuery_ || now - *lastQuery_ >= QueryInterval; }

}  // namespace platform::dplay
