#pragma once
// How often a host answers queries: at most Rate a second from any one address, after a first
// burst of as many. An answer is many times larger than its query, so without a limit anyone could
// make a host send without end, to itself or, with a forged source, to a third.

#include <enet/enet.h>

#include <chrono>
#include <vector>

namespace platform::dplay {

class QueryLimiter {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr double Rate = 20;

  // Whether a query from Address may be answered now; counts it if so.
  bool Allow(enet_uint32 address, Clock::time_point now);

 private:
  // Forged sources cannot make the list grow without end; the longest quiet goes first.
  static constexpr std::size_t MaxAddresses = 256;

  struct Bucket {
    enet_uint32 address;
    double tokens;
    Clock::time_point last;
  };

  std::vector<Bucket> buckets_;
};

}  // namespace platform::dplay
