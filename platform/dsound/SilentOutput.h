#pragma once
// The output of a machine without a sound device: a thread that pulls the mixer at the pace of
// the clock and throws the sound away, so that buffers play, end and loop as they would aloud.

#include <atomic>
#include <thread>

#include "SoundOutput.h"

namespace platform::dsound {

class SilentOutput : public SoundOutput {
 public:
  explicit SilentOutput(DWORD rate) : rate_(rate) {}
  ~SilentOutput() override { Stop(); }

  DWORD Rate() const override { return rate_; }
  bool Start(Mixer& mixer) override;
  void Stop() override;

 private:
  void Run(Mixer& mixer);

  const DWORD rate_;
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace platform::dsound
