#include "QueryLimiter.h"

#include <algorithm>

namespace platform::dplay {

bool QueryLimiter::Allow(enet_uint32 address, Clock::time_point now) {
  auto bucket = std::find_if(buckets_.begin(), buckets_.end(), [&](const Bucket& b) { return b.address == address; });
  if (bucket == buckets_.end()) {
    if (buckets_.size() == MaxAddresses)
      buckets_.erase(std::min_element(buckets_.begin(), buckets_.end(),
                                      [](const Bucket& a, const Bucket& b) { return a.last < b.last; }));
    buckets_.push_back({address, Rate, now});
    bucket = buckets_.end() - 1;
  }
  const double elapsed = std::chrono::duration<double>(now - bucket->last).count();
  bucket->tokens = std::min(Rate, bucket->tokens + elapsed * Rate);
  bucket->last = now;
  if (bucket->tokens < 1) return false;
  bucket->tokens -= 1;
  return true;
}

}  // namespace platform::dplay
