#pragma once
// The platform's process-wide settings (clock, input, sound driver, ...) are replaced by tests and
// the scripted runner for a while: this puts a value in a setting's place for as long as it lives
// and the one before back afterwards, so that replacements nest.

#include <utility>

namespace platform {

template <typename T>
class ScopedOverride {
 public:
  ScopedOverride(T& setting, T value) : setting_(setting), previous_(std::exchange(setting, std::move(value))) {}
  ScopedOverride(const ScopedOverride&) = delete;
  ScopedOverride& operator=(const ScopedOverride&) = delete;
  ~ScopedOverride() { setting_ = std::move(previous_); }

 private:
  T& setting_;
  T previous_;
};

}  // namespace platform
