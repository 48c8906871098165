#include "WavFile.h"

#include "LittleEndian.h"

namespace artwork {
namespace {

void PutId(std::vector<std::uint8_t>& out, const char (&id)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(id[i]));
}

}  // namespace

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples) {
  const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + data_bytes);
  PutId(out, "RIFF");
  Put32(out, 36 + data_bytes);
  PutId(out, "WAVE");
  PutId(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kSampleRate);
  Put32(out, kSampleRate * 2);  // bytes per second
  Put16(out, 2);                // block align
  Put16(out, 16);               // bits per sample
  PutId(out, "data");
  Put32(out, data_bytes);
  for (std::int16_t s : samples) Put16(out, static_cast<std::uint16_t>(s));
  return out;
}

}  // namespace artwork
