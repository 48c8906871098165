#pragma once
// The WAV file reader: opens a RIFF/WAVE file, checks its structure, finds its PCM format and its
// sample data, and hands out the sample bytes. It raises nothing: a refusal is false (or -1) with
// a status saying why.

#include <cstdint>
#include <memory>
#include <string>

#include "lib/runtime/Stream.h"
#include "platform/win/MMSystem.h"

// Why the last operation on a wave file failed.
enum TWaveStatus : std::uint8_t {
  WaveOk = 0,
  WaveNoStream = 1,      // no stream, an empty file, or a read on a closed record
  WaveCannotOpen = 2,    // the file cannot be opened, or opening and checking raised an error
  WaveNotRiff = 3,       // the file does not begin with "RIFF"
  WaveNotWave = 4,       // the RIFF form type is not "WAVE"
  WaveBadStructure = 5,  // the RIFF size is not the file's, or the format is not one we can play
  WaveNoData = 6,        // no "data" chunk before the end of the file
  WaveCompressed = 9,    // format tag 2, a compressed format
};

struct TWaveFile {
  std::unique_ptr<TStream> Stream;  // empty when closed or after a failure
  std::int32_t DataPosition = 0;    // file offset of the first sample byte
  std::int32_t DataSize = 0;        // size field of the "data" chunk
  std::int32_t SampleCount = 0;     // sample frames
  std::uint8_t Status = WaveOk;
  WAVEFORMATEX Format{};  // bytes the "fmt " chunk does not supply stay 0
};

// Opens and checks the file; on true the stream stands at the first sample byte. Samples ahead of
// any format give false with status 0, the stream still open.
bool OpenWaveFile(const std::string& FileName, TWaveFile& Wave);

// The check behind OpenWaveFile, on a stream that the record then owns.
bool ParseWaveStream(std::unique_ptr<TStream> Stream, TWaveFile& Wave);

// Reads up to Count sample bytes, never past the "data" chunk; the bytes read, or -1 (status 1)
// when the record has no stream.
std::int32_t ReadWaveData(TWaveFile& Wave, void* Buffer, std::int32_t Count);

// Frees the stream and clears the record; whether a stream was open.
bool CloseWaveFile(TWaveFile& Wave);
