#include "Wave.h"

#include <algorithm>
#include <limits>

namespace {

const FOURCC RiffId = mmioStringToFOURCC("RIFF", 0);
const FOURCC WaveId = mmioStringToFOURCC("WAVE", 0);
const FOURCC FormatId = mmioStringToFOURCC("fmt ", 0);
const FOURCC FactId = mmioStringToFOURCC("fact", 0);
const FOURCC DataId = mmioStringToFOURCC("data", 0);

constexpr std::int64_t ChunkHeaderSize = 8;
constexpr std::int32_t FormatSize = 18;
constexpr WORD CompressedTag = 2;
// The record keeps positions in 32 bits.
constexpr std::int64_t MaxFileSize = std::numeric_limits<std::int32_t>::max();

std::uint16_t Word(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8); }
std::uint32_t Dword(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(Word(bytes)) | static_cast<std::uint32_t>(Word(bytes + 2)) << 16;
}

// A plain read: what the stream does not deliver stays 0.
std::uint32_t ReadDword(TStream& stream) {
  std::uint8_t bytes[4] = {};
  stream.Read(bytes, sizeof bytes);
  return Dword(bytes);
}

struct ChunkHeader {
  FOURCC id;
  std::uint32_t size;
};

ChunkHeader ReadChunkHeader(TStream& stream) {
  const FOURCC id = ReadDword(stream);
  return {id, ReadDword(stream)};
}

WAVEFORMATEX ReadFormat(TStream& stream, std::int32_t count) {
  std::uint8_t bytes[FormatSize] = {};
  stream.Read(bytes, count);
  return {Word(bytes),      Word(bytes + 2),  Dword(bytes + 4), Dword(bytes + 8),
          Word(bytes + 12), Word(bytes + 14), Word(bytes + 16)};
}

bool Fail(TWaveFile& wave, std::uint8_t status) {
  wave.Status = status;
  wave.Stream.reset();
  return false;
}

// Walks the chunks behind the form type up to the first "data" chunk, keeping the first format and,
// for a compressed format, its sample count. A chunk that would reach past the end of the file
// ends the walk, as does the end itself; every step moves on by at least a chunk header.
bool FindDataChunk(TStream& stream, std::int64_t fileSize, TWaveFile& wave) {
  std::int64_t at = stream.Position();
  while (at + ChunkHeaderSize <= fileSize) {
    const ChunkHeader chunk = ReadChunkHeader(stream);
    const std::int64_t body = at + ChunkHeaderSize;
    if (chunk.id == DataId) {
      wave.DataSize = static_cast<std::int32_t>(chunk.size);
      wave.DataPosition = static_cast<std::int32_t>(body);
      return true;
    }
    const std::int64_t next = body + chunk.size;  // no pad byte after an odd size
    if (next > fileSize) return false;
    if (chunk.id == FormatId && wave.Format.wFormatTag == 0) {
      wave.Format = ReadFormat(stream, static_cast<std::int32_t>(std::min<std::uint32_t>(chunk.size, FormatSize)));
    } else if (chunk.id == FactId && wave.SampleCount == 0 && wave.Format.wFormatTag == CompressedTag) {
      std::uint8_t bytes[4] = {};
      stream.Read(bytes, static_cast<std::int32_t>(std::min<std::uint32_t>(chunk.size, sizeof bytes)));
      wave.SampleCount = static_cast<std::int32_t>(Dword(bytes));
    }
    at = stream.Seek(next, TSeekOrigin::Beginning);
  }
  return false;
}

}  // namespace

bool OpenWaveFile(const std::string& FileName, TWaveFile& Wave) {
  Wave = TWaveFile{};
  try {
    return ParseWaveStream(std::make_unique<TFileStream>(FileName), Wave);
  } catch (const std::exception&) {
    Wave.Status = WaveCannotOpen;
    return false;
  }
}

bool ParseWaveStream(std::unique_ptr<TStream> Stream, TWaveFile& Wave) {
  Wave = TWaveFile{};
  Wave.Stream = std::move(Stream);
  if (!Wave.Stream) return Fail(Wave, WaveNoStream);
  TStream& stream = *Wave.Stream;
  const std::int64_t fileSize = stream.Size();
  if (fileSize == 0) return Fail(Wave, WaveNoStream);

  stream.Seek(0, TSeekOrigin::Beginning);
  const ChunkHeader riff = ReadChunkHeader(stream);
  if (riff.id != RiffId) return Fail(Wave, WaveNotRiff);
  if (fileSize - ChunkHeaderSize != riff.size || fileSize > MaxFileSize) return Fail(Wave, WaveBadStructure);
  if (ReadDword(stream) != WaveId) return Fail(Wave, WaveNotWave);

  if (!FindDataChunk(stream, fileSize, Wave)) return Fail(Wave, WaveNoData);
  const WAVEFORMATEX& format = Wave.Format;
  if (format.wFormatTag == CompressedTag) return Fail(Wave, WaveCompressed);
  // Samples ahead of any format are not a broken file, only an unusable one: no reason is given, and
  // the stream stays in the record until it is closed.
  if (format.wFormatTag == 0) return false;
  if (format.wFormatTag != WAVE_FORMAT_PCM) return Fail(Wave, WaveBadStructure);
  // Bytes per sample frame; a format that makes it 0 would divide by zero.
  if (format.nSamplesPerSec == 0 || format.nAvgBytesPerSec < format.nSamplesPerSec) return Fail(Wave, WaveBadStructure);
  const std::uint32_t frameBytes = format.nAvgBytesPerSec / format.nSamplesPerSec;
  Wave.SampleCount = static_cast<std::int32_t>(std::int64_t{Wave.DataSize} / frameBytes);
  Wave.Status = WaveOk;
  return true;
}

std::int32_t ReadWaveData(TWaveFile& Wave, void* Buffer, std::int32_t Count) {
  if (!Wave.Stream) {
    Wave.Status = WaveNoStream;
    return -1;
  }
  const std::int64_t left = std::int64_t{Wave.DataPosition} + Wave.DataSize - Wave.Stream->Position();
  const std::int64_t count = std::min<std::int64_t>(Count, left);
  return count > 0 ? Wave.Stream->Read(Buffer, static_cast<std::int32_t>(count)) : 0;
}

bool CloseWaveFile(TWaveFile& Wave) {
  const bool wasOpen = Wave.Stream != nullptr;
  Wave = TWaveFile{};
  return wasOpen;
}
