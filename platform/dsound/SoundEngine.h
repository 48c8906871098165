#pragma once
// The mixer and the output it plays on. A device and each of its buffers hold it, so that they
// may be released in any order; the output stops when the last of them goes.

#include <memory>

#include "SoundOutput.h"

namespace platform::dsound {

class SoundEngine {
 public:
  explicit SoundEngine(std::shared_ptr<SoundOutput> output) : output_(std::move(output)), mixer_(output_->Rate()) {}
  ~SoundEngine() {
    if (started_) output_->Stop();
  }
  SoundEngine(const SoundEngine&) = delete;
  SoundEngine& operator=(const SoundEngine&) = delete;

  // False when the output already plays for another engine.
  bool Start() { return started_ = output_->Start(mixer_); }
  Mixer& GetMixer() { return mixer_; }

 private:
  std::shared_ptr<SoundOutput> output_;
  Mixer mixer_;
  bool started_ = false;
};

}  // namespace platform::dsound
