#pragma once
// PCM WAV files as the game plays them: RIFF/WAVE, a 16-byte "fmt " chunk, 22050 Hz, 16 bits, mono.

#include <cstdint>
#include <vector>

namespace artwork {

inline constexpr int kSampleRate = 22050;

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples);

}  // namespace artwork
