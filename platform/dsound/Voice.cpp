#include "Voice.h"

#include <algorithm>
#include <cstring>

#include "DSound.h"

namespace platform::dsound {

namespace {

constexpr float Fraction = 1.0f / 4294967296.0f;

struct Stereo {
  float left;
  float right;
};

// Samples are scaled to 16-bit range; 8-bit ones are unsigned around 128.
float Unsigned8(std::uint8_t byte) { return static_cast<float>(static_cast<int>(byte) - 128) * 256.0f; }
float Signed16(const std::uint8_t* bytes) {
  return static_cast<float>(static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8)));
}

struct Mono8 {
  static constexpr DWORD Bytes = 1;
  static Stereo Read(const std::uint8_t* frame) {
    const float value = Unsigned8(frame[0]);
    return {value, value};
  }
};
struct Stereo8 {
  static constexpr DWORD Bytes = 2;
  static Stereo Read(const std::uint8_t* frame) { return {Unsigned8(frame[0]), Unsigned8(frame[1])}; }
};
struct Mono16 {
  static constexpr DWORD Bytes = 2;
  static Stereo Read(const std::uint8_t* frame) {
    const float value = Signed16(frame);
    return {value, value};
  }
};
struct Stereo16 {
  static constexpr DWORD Bytes = 4;
  static Stereo Read(const std::uint8_t* frame) { return {Signed16(frame), Signed16(frame + 2)}; }
};

void AddInterpolated(float* mix, const Stereo& a, const Stereo& b, std::uint64_t position, float gain) {
  const float t = static_cast<float>(static_cast<std::uint32_t>(position)) * Fraction;
  mix[0] += (a.left + (b.left - a.left) * t) * gain;
  mix[1] += (a.right + (b.right - a.right) * t) * gain;
}

// The hot loop: every frame and its right-hand neighbour lie inside the sound.
template <class Layout>
void MixFrames(const std::uint8_t* data, std::uint64_t& position, std::uint64_t step, float* mix, std::size_t frames,
               float gain) {
  std::uint64_t at = position;
  for (std::size_t k = 0; k < frames; ++k, at += step) {
    const std::uint8_t* frame = data + (at >> 32) * Layout::Bytes;
    AddInterpolated(mix + 2 * k, Layout::Read(frame), Layout::Read(frame + Layout::Bytes), at, gain);
  }
  position = at;
}

// The last frame leads into the first one when looping, and into silence at the end of a single
// play, so that neither the loop seam nor the end adds a step of its own.
template <class Layout>
void MixLastFrame(const std::uint8_t* data, DWORD frames, std::uint64_t position, bool loop, float* mix, float gain) {
  const Stereo last = Layout::Read(data + static_cast<std::size_t>(frames - 1) * Layout::Bytes);
  const Stereo next = loop ? Layout::Read(data) : Stereo{0.0f, 0.0f};
  AddInterpolated(mix, last, next, position, gain);
}

}  // namespace

Voice::Voice(const PcmFormat& format, DWORD size, DWORD outputRate)
    : bytes_(new std::uint8_t[size]),
      size_(size),
      blockAlign_(format.BlockAlign()),
      frames_(size / blockAlign_),
      step_((static_cast<std::uint64_t>(format.rate) << 32) / outputRate) {
  const bool eightBit = format.bits == 8;
  std::memset(bytes_.get(), eightBit ? 0x80 : 0, size);
  if (format.channels == 1) {
    kernel_ = eightBit ? MixFrames<Mono8> : MixFrames<Mono16>;
    edgeKernel_ = eightBit ? MixLastFrame<Mono8> : MixLastFrame<Mono16>;
  } else {
    kernel_ = eightBit ? MixFrames<Stereo8> : MixFrames<Stereo16>;
    edgeKernel_ = eightBit ? MixLastFrame<Stereo8> : MixLastFrame<Stereo16>;
  }
}

void Voice::RequestPlay(bool loop) {
  const std::uint32_t serial = (request_.load(std::memory_order_relaxed) & ~(PlayBit | LoopBit)) + SerialStep;
  request_.store(serial | PlayBit | (loop ? LoopBit : 0), std::memory_order_release);
}

void Voice::RequestStop() {
  const std::uint32_t serial = (request_.load(std::memory_order_relaxed) & ~(PlayBit | LoopBit)) + SerialStep;
  request_.store(serial, std::memory_order_release);
}

namespace {
DWORD StatusOf(bool playing, bool loop) {
  if (!playing) return 0;
  return DSBSTATUS_PLAYING | (loop ? DSBSTATUS_LOOPING : 0);
}
}  // namespace

DWORD Voice::Status() const {
  const std::uint32_t request = request_.load(std::memory_order_acquire);
  const std::uint64_t taken = taken_.load(std::memory_order_acquire);
  if (static_cast<std::uint32_t>(taken >> 32) != request)
    return StatusOf((request & PlayBit) != 0, (request & LoopBit) != 0);
  return static_cast<DWORD>(taken);
}

void Voice::MixInto(float* mix, std::size_t frames) {
  TakeRequest();
  if (playing_ && frames_ > 0) {
    const float gain = gain_.load(std::memory_order_relaxed);
    for (std::size_t done = 0; done < frames && playing_;) done += MixRun(mix + 2 * done, frames - done, gain);
  }
  Publish();
}

void Voice::TakeRequest() {
  const std::uint32_t request = request_.load(std::memory_order_acquire);
  if (request == lastRequest_) return;
  lastRequest_ = request;
  playing_ = (request & PlayBit) != 0;
  if (playing_) loop_ = (request & LoopBit) != 0;
}

// Mixes from where the voice stands up to its last frame, or that last frame alone, and returns
// how many output frames it made.
std::size_t Voice::MixRun(float* mix, std::size_t frames, float gain) {
  const std::uint64_t lastFrame = static_cast<std::uint64_t>(frames_ - 1) << 32;
  std::size_t made = 1;
  if (position_ < lastFrame) {
    made = static_cast<std::size_t>(std::min<std::uint64_t>(frames, (lastFrame - position_ + step_ - 1) / step_));
    if (gain != 0.0f)
      kernel_(bytes_.get(), position_, step_, mix, made, gain);
    else
      position_ += made * step_;  // exact silence still takes its time
  } else {
    if (gain != 0.0f) edgeKernel_(bytes_.get(), frames_, position_, loop_, mix, gain);
    position_ += step_;
  }
  PassEnd();
  return made;
}

// A looping voice goes round; a single play stops and stands at the start again.
void Voice::PassEnd() {
  const std::uint64_t end = static_cast<std::uint64_t>(frames_) << 32;
  if (position_ < end) return;
  if (loop_) {
    position_ %= end;
  } else {
    playing_ = false;
    position_ = 0;
  }
}

void Voice::Publish() {
  const std::uint64_t taken = static_cast<std::uint64_t>(lastRequest_) << 32 | StatusOf(playing_, loop_);
  playCursor_.store(static_cast<DWORD>((position_ >> 32) * blockAlign_), std::memory_order_relaxed);
  taken_.store(taken, std::memory_order_release);
}

}  // namespace platform::dsound
