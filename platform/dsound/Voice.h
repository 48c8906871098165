#pragma once
// One buffer's sound as the mixer plays it. The main thread owns the sample bytes and asks for
// play, stop and gain; the audio thread alone moves the position, and tells back through atomics
// what it has taken, so that neither side ever waits for the other.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/win/WinTypes.h"

namespace platform::dsound {

// A format the sound service plays: PCM of 8 (unsigned) or 16 (signed) bits, one or two channels.
struct PcmFormat {
  DWORD rate;
  WORD channels;
  WORD bits;

  DWORD BlockAlign() const { return static_cast<DWORD>(channels) * bits / 8; }
};

class Voice {
 public:
  // Silent sound of Size bytes, played at OutputRate. Throws std::bad_alloc.
  Voice(const PcmFormat& format, DWORD size, DWORD outputRate);

  std::uint8_t* Bytes() { return bytes_.get(); }
  DWORD Size() const { return size_; }

  // Main thread.
  void RequestPlay(bool loop);
  void RequestStop();
  void SetGain(float gain) { gain_.store(gain, std::memory_order_relaxed); }
  // DSBSTATUS_PLAYING and DSBSTATUS_LOOPING, counting requests the audio thread has not taken yet.
  DWORD Status() const;
  // The byte the audio thread last stood at.
  DWORD PlayCursor() const { return playCursor_.load(std::memory_order_relaxed); }

  // Audio thread: adds Frames output frames of this voice to the interleaved stereo Mix.
  void MixInto(float* mix, std::size_t frames);

 private:
  using Kernel = void (*)(const std::uint8_t* data, std::uint64_t& position, std::uint64_t step, float* mix,
                          std::size_t frames, float gain);
  // Mixes one frame whose right-hand neighbour lies behind the end of the sound.
  using EdgeKernel = void (*)(const std::uint8_t* data, DWORD frames, std::uint64_t position, bool loop, float* mix,
                              float gain);

  void TakeRequest();
  std::size_t MixRun(float* mix, std::size_t frames, float gain);
  void PassEnd();
  void Publish();

  std::unique_ptr<std::uint8_t[]> bytes_;
  DWORD size_;
  DWORD blockAlign_;
  DWORD frames_;
  std::uint64_t step_;  // source frames per output frame, 32.32 fixed point
  Kernel kernel_;
  EdgeKernel edgeKernel_;

  // Requests: a serial number above the play and loop bits, so that two equal requests differ.
  static constexpr std::uint32_t PlayBit = 1;
  static constexpr std::uint32_t LoopBit = 2;
  static constexpr std::uint32_t SerialStep = 4;
  std::atomic<std::uint32_t> request_{0};
  std::atomic<float> gain_{1.0f};
  // Told back: the request last taken (high half) and the status it led to (low half).
  std::atomic<std::uint64_t> taken_{0};
  std::atomic<DWORD> playCursor_{0};

  // The audio thread's own.
  std::uint32_t lastRequest_ = 0;
  bool playing_ = false;
  bool loop_ = false;
  std::uint64_t position_ = 0;  // in source frames, 32.32 fixed point
};

}  // namespace platform::dsound
