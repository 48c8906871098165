#pragma once
// A DirectSound object on a rendering driver, and buffers made from sample values, so that a test
// can play sounds and read back what was mixed.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/dsound/DSound.h"
#include "platform/dsound/SoundDriver.h"

namespace sound_test {

struct Pcm {
  DWORD rate;
  WORD channels;
  WORD bits;
};

inline WAVEFORMATEX WaveFormat(const Pcm& pcm) {
  const auto blockAlign = static_cast<WORD>(pcm.channels * pcm.bits / 8);
  return {WAVE_FORMAT_PCM, pcm.channels, pcm.rate, pcm.rate * blockAlign, blockAlign, pcm.bits, 0};
}

// Little-endian bytes of 16-bit samples.
inline std::vector<std::uint8_t> Bytes16(const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> bytes;
  for (const std::int16_t sample : samples) {
    bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
  }
  return bytes;
}

class RenderedSound : public ::testing::Test {
 protected:
  static constexpr DWORD OutputRate = 44100;

  RenderedSound() { EXPECT_EQ(DirectSoundCreate(nullptr, sound.Put(), nullptr), DS_OK); }

  // A static buffer holding Bytes.
  ComPtr<IDirectSoundBuffer> MakeBuffer(const Pcm& pcm, const std::vector<std::uint8_t>& bytes,
                                        DWORD flags = DSBCAPS_CTRLVOLUME) {
    WAVEFORMATEX format = WaveFormat(pcm);
    const DSBUFFERDESC description{sizeof(DSBUFFERDESC), DSBCAPS_STATIC | flags, static_cast<DWORD>(bytes.size()), 0,
                                   &format};
    ComPtr<IDirectSoundBuffer> buffer;
    EXPECT_EQ(sound->CreateSoundBuffer(&description, buffer.Put(), nullptr), DS_OK);
    if (!buffer) return buffer;
    void* region = nullptr;
    DWORD size = 0;
    EXPECT_EQ(buffer->Lock(0, static_cast<DWORD>(bytes.size()), &region, &size, nullptr, nullptr, 0), DS_OK);
    std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(region));
    EXPECT_EQ(buffer->Unlock(region, size, nullptr, 0), DS_OK);
    return buffer;
  }

  ComPtr<IDirectSoundBuffer> MakeMono16(const std::vector<std::int16_t>& samples, DWORD rate = OutputRate) {
    return MakeBuffer({rate, 1, 16}, Bytes16(samples));
  }

  // The left and right channel of the next Frames frames.
  std::vector<std::int16_t> Left(std::size_t frames) { return Channel(frames, 0); }
  std::vector<std::int16_t> Channel(std::size_t frames, std::size_t channel) {
    const std::vector<std::int16_t> stereo = driver.Render(frames);
    std::vector<std::int16_t> samples;
    for (std::size_t i = channel; i < stereo.size(); i += 2) samples.push_back(stereo[i]);
    return samples;
  }

  platform::dsound::RenderingSoundDriver driver{OutputRate};
  platform::dsound::ScopedSoundDriver use{driver};
  ComPtr<IDirectSound> sound;
};

}  // namespace sound_test
