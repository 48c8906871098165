#pragma once
// What the network benchmarks share: latencies reported as median and 99th percentile, and query
// ports of the run's own.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

// Single latencies in microseconds.
class LatencySamples {
 public:
  void Add(std::chrono::steady_clock::duration time) {
    samples_.push_back(std::chrono::duration<double, std::micro>(time).count());
  }
  void Report(benchmark::State& state) {
    if (samples_.empty()) return;
    std::sort(samples_.begin(), samples_.end());
    state.counters["p50_us"] = samples_[samples_.size() / 2];
    state.counters["p99_us"] = samples_[samples_.size() * 99 / 100];
  }

 private:
  std::vector<double> samples_;
};

// Query ports from FirstPort on, chosen by process, so that a running game or test is not disturbed;
// a port named in the environment stands.
inline void UseQueryPortsOfThisRun(unsigned FirstPort) {
  if (std::getenv("VXG_DPLAY_QUERY_PORT") == nullptr)
    setenv("VXG_DPLAY_QUERY_PORT", std::to_string(FirstPort + (getpid() % 250) * 8).c_str(), 1);
}

}  // namespace bench
