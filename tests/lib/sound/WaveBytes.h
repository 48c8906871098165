#pragma once
// Builds WAV files byte by byte, well formed or not, for the reader and sample tests.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace wave_test {

using Bytes = std::vector<std::uint8_t>;

inline void PutWord(Bytes& bytes, std::uint32_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void PutDword(Bytes& bytes, std::uint32_t value) {
  PutWord(bytes, value & 0xFFFF);
  PutWord(bytes, value >> 16);
}
// Little-endian bytes of 16-bit samples.
inline Bytes Samples16(const std::vector<std::int16_t>& samples) {
  Bytes bytes;
  for (const std::int16_t sample : samples) PutWord(bytes, static_cast<std::uint16_t>(sample));
  return bytes;
}

inline void PutId(Bytes& bytes, const char* id) { bytes.insert(bytes.end(), id, id + 4); }

struct Format {
  std::uint16_t tag;
  std::uint16_t channels;
  std::uint32_t rate;
  std::uint32_t averageBytes;
  std::uint16_t blockAlign;
  std::uint16_t bits;
};

inline Format Pcm(std::uint32_t rate, std::uint16_t channels, std::uint16_t bits) {
  const auto blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
  return {1, channels, rate, rate * blockAlign, blockAlign, bits};
}

class WaveBytes {
 public:
  WaveBytes& Chunk(const char* id, const Bytes& body, std::uint32_t claimedSize) {
    PutId(chunks_, id);
    PutDword(chunks_, claimedSize);
    chunks_.insert(chunks_.end(), body.begin(), body.end());
    return *this;
  }
  WaveBytes& Chunk(const char* id, const Bytes& body) {
    return Chunk(id, body, static_cast<std::uint32_t>(body.size()));
  }
  // A "fmt " chunk of Size bytes (16, 18 or more); behind the 16 plain bytes come the extra size
  // field and filler.
  WaveBytes& Fmt(const Format& format, std::uint32_t size = 16, std::uint16_t extraSize = 0) {
    Bytes body;
    PutWord(body, format.tag);
    PutWord(body, format.channels);
    PutDword(body, format.rate);
    PutDword(body, format.averageBytes);
    PutWord(body, format.blockAlign);
    PutWord(body, format.bits);
    if (size > 16) PutWord(body, extraSize);
    body.resize(size, 0xEE);
    return Chunk("fmt ", body);
  }
  WaveBytes& Data(const Bytes& samples) { return Chunk("data", samples); }

  // The whole file; RiffSizeError is added to the correct RIFF size.
  Bytes File(std::int64_t riffSizeError = 0) const {
    Bytes file;
    PutId(file, "RIFF");
    PutDword(file, static_cast<std::uint32_t>(4 + static_cast<std::int64_t>(chunks_.size()) + riffSizeError));
    PutId(file, "WAVE");
    file.insert(file.end(), chunks_.begin(), chunks_.end());
    return file;
  }

 private:
  Bytes chunks_;
};

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace wave_test
