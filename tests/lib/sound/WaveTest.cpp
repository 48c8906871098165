// The WAV reader on files made byte by byte: formats, chunk walks, refusals and reads.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "WaveBytes.h"
#include "lib/sound/Wave.h"

namespace wave_test {
namespace {

bool Parse(const Bytes& file, TWaveFile& wave) { return ParseWaveStream(std::make_unique<TMemoryStream>(file), wave); }

Bytes Samples(std::size_t count) {
  Bytes samples(count);
  for (std::size_t i = 0; i < count; ++i) samples[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return samples;
}

TEST(WaveReaderTest, ReadsSixteenAndFiftyByteFormats) {
  TWaveFile wave;
  ASSERT_TRUE(Parse(WaveBytes().Fmt(Pcm(22050, 1, 8)).Data(Samples(100)).File(), wave));
  EXPECT_EQ(wave.Format.wFormatTag, 1);
  EXPECT_EQ(wave.Format.nChannels, 1);
  EXPECT_EQ(wave.Format.nSamplesPerSec, 22050u);
  EXPECT_EQ(wave.Format.nAvgBytesPerSec, 22050u);
  EXPECT_EQ(wave.Format.nBlockAlign, 1);
  EXPECT_EQ(wave.Format.wBitsPerSample, 8);
  EXPECT_EQ(wave.Format.cbSize, 0);
  EXPECT_EQ(wave.DataPosition, 12 + 24 + 8);
  EXPECT_EQ(wave.DataSize, 100);
  EXPECT_EQ(wave.Status, WaveOk);

  // Eighteen bytes are read, the 32 behind them skipped.
  ASSERT_TRUE(Parse(WaveBytes().Fmt(Pcm(44100, 2, 16), 50, 32).Data(Samples(64)).File(), wave));
  EXPECT_EQ(wave.Format.nBlockAlign, 4);
  EXPECT_EQ(wave.Format.cbSize, 32);
  EXPECT_EQ(wave.DataPosition, 12 + 58 + 8);
  EXPECT_EQ(wave.SampleCount, 16);
}

TEST(WaveReaderTest, WalksPastOtherChunksToTheFirstData) {
  TWaveFile wave;
  const Bytes file = WaveBytes()
                         .Chunk("LIST", Samples(13))  // odd size, no pad byte
                         .Fmt(Pcm(11025, 1, 16))
                         .Fmt(Pcm(44100, 2, 8))  // a second format is skipped whole
                         .Chunk("LIST", Samples(6))
                         .Data(Samples(40))
                         .Chunk("data", Samples(8))
                         .File();
  ASSERT_TRUE(Parse(file, wave));
  EXPECT_EQ(wave.Format.nSamplesPerSec, 11025u);
  EXPECT_EQ(wave.DataPosition, 12 + 21 + 24 + 24 + 14 + 8);
  EXPECT_EQ(wave.DataSize, 40);
  EXPECT_EQ(wave.SampleCount, 20);
  EXPECT_EQ(wave.Stream->Position(), wave.DataPosition);
}

TEST(WaveReaderTest, CountsSampleFramesByBytesPerSecond) {
  TWaveFile wave;
  ASSERT_TRUE(Parse(WaveBytes().Fmt(Pcm(8000, 1, 8)).Data(Samples(99)).File(), wave));
  EXPECT_EQ(wave.SampleCount, 99);
  ASSERT_TRUE(Parse(WaveBytes().Fmt(Pcm(48000, 2, 16)).Data(Samples(99)).File(), wave));
  EXPECT_EQ(wave.SampleCount, 24);
  // The block align plays no part: only bytes per second over samples per second.
  Format odd = Pcm(8000, 1, 8);
  odd.averageBytes = 8000 * 3 + 5;
  ASSERT_TRUE(Parse(WaveBytes().Fmt(odd).Data(Samples(99)).File(), wave));
  EXPECT_EQ(wave.SampleCount, 33);
}

TEST(WaveReaderTest, RefusesWithTheStatusThatSaysWhy) {
  Format compressed = Pcm(22050, 1, 8);
  compressed.tag = 2;
  Format other = Pcm(22050, 1, 8);
  other.tag = 3;
  Format noRate = Pcm(22050, 1, 8);
  noRate.rate = 0;
  Format tooFewBytes = Pcm(22050, 1, 8);
  tooFewBytes.averageBytes = 22049;
  Bytes notRiff = WaveBytes().Fmt(Pcm(22050, 1, 8)).Data(Samples(4)).File();
  notRiff[0] = 'X';
  Bytes notWave = WaveBytes().Fmt(Pcm(22050, 1, 8)).Data(Samples(4)).File();
  notWave[11] = 'X';

  struct Case {
    const char* what;
    Bytes file;
    std::uint8_t status;
  };
  const Case cases[] = {
      {"empty", {}, WaveNoStream},
      {"not RIFF", notRiff, WaveNotRiff},
      {"three bytes", {'R', 'I', 'F'}, WaveNotRiff},
      {"not WAVE", notWave, WaveNotWave},
      {"RIFF size one too large", WaveBytes().Fmt(Pcm(22050, 1, 8)).Data(Samples(4)).File(1), WaveBadStructure},
      {"RIFF size one too small", WaveBytes().Fmt(Pcm(22050, 1, 8)).Data(Samples(4)).File(-1), WaveBadStructure},
      {"format tag 3", WaveBytes().Fmt(other).Data(Samples(4)).File(), WaveBadStructure},
      {"no samples per second", WaveBytes().Fmt(noRate).Data(Samples(4)).File(), WaveBadStructure},
      {"fewer bytes than samples", WaveBytes().Fmt(tooFewBytes).Data(Samples(4)).File(), WaveBadStructure},
      {"no data chunk", WaveBytes().Fmt(Pcm(22050, 1, 8)).Chunk("LIST", Samples(4)).File(), WaveNoData},
      {"nothing behind WAVE", WaveBytes().File(), WaveNoData},
      {"a chunk past the end", WaveBytes().Fmt(Pcm(22050, 1, 8)).Chunk("LIST", Samples(4), 100).Data({}).File(),
       WaveNoData},
      {"a huge chunk", WaveBytes().Chunk("LIST", {}, 0xFFFFFFF8).Fmt(Pcm(22050, 1, 8)).Data({}).File(), WaveNoData},
      {"compressed", WaveBytes().Fmt(compressed).Chunk("fact", {7, 1, 0, 0}).Data(Samples(4)).File(), WaveCompressed},
  };
  for (const Case& c : cases) {
    TWaveFile wave;
    EXPECT_FALSE(Parse(c.file, wave)) << c.what;
    EXPECT_EQ(wave.Status, c.status) << c.what;
    EXPECT_FALSE(wave.Stream) << c.what;
  }

  TWaveFile wave;
  EXPECT_FALSE(Parse(WaveBytes().Fmt(compressed).Chunk("fact", {7, 1, 0, 0}).Data(Samples(4)).File(), wave));
  EXPECT_EQ(wave.SampleCount, 263);
  EXPECT_FALSE(ParseWaveStream(nullptr, wave));
  EXPECT_EQ(wave.Status, WaveNoStream);
}

TEST(WaveReaderTest, SamplesAheadOfAnyFormatAreUnusableWithoutAReasonAndKeepTheStream) {
  const struct {
    const char* what;
    Bytes file;
  } cases[] = {
      {"no format", WaveBytes().Data(Samples(4)).File()},
      {"format after the data", WaveBytes().Data(Samples(4)).Fmt(Pcm(22050, 1, 8)).File()},
      {"a format chunk too short for its tag", WaveBytes().Chunk("fmt ", {}).Data(Samples(4)).File()},
  };
  for (const auto& c : cases) {
    TWaveFile wave;
    EXPECT_FALSE(Parse(c.file, wave)) << c.what;
    EXPECT_EQ(wave.Status, WaveOk) << c.what;
    ASSERT_TRUE(wave.Stream) << c.what;
    EXPECT_EQ(wave.DataPosition, wave.Stream->Position()) << c.what;
    EXPECT_EQ(wave.DataSize, 4) << c.what;
    EXPECT_EQ(wave.SampleCount, 0) << c.what;
    EXPECT_TRUE(CloseWaveFile(wave)) << c.what << ": the stream was still open";
  }
}

TEST(WaveReaderTest, AcceptsAFileWithoutSamples) {
  TWaveFile wave;
  ASSERT_TRUE(Parse(WaveBytes().Fmt(Pcm(22050, 1, 8)).Data({}).File(), wave));
  EXPECT_EQ(wave.DataSize, 0);
  EXPECT_EQ(wave.SampleCount, 0);
}

class WaveFileTest : public ::testing::Test {
 protected:
  WaveFileTest() : folder_(std::filesystem::temp_directory_path() / ("wave_test_" + std::to_string(getpid()))) {}
  ~WaveFileTest() override { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& name, const Bytes& bytes) {
    WriteFile(folder_ / name, bytes);
    return (folder_ / name).string();
  }

  std::filesystem::path folder_;
};

TEST_F(WaveFileTest, ReadsTheDataChunkAndNothingBehindIt) {
  const Bytes samples = Samples(50);
  const std::string name =
      Write("good.wav", WaveBytes().Fmt(Pcm(22050, 1, 8)).Data(samples).Chunk("LIST", {9, 9}).File());
  TWaveFile wave;
  ASSERT_TRUE(OpenWaveFile(name, wave));
  Bytes read(80, 0);
  EXPECT_EQ(ReadWaveData(wave, read.data(), 20), 20);
  EXPECT_EQ(ReadWaveData(wave, read.data() + 20, 60), 30);
  EXPECT_EQ(ReadWaveData(wave, read.data() + 50, 10), 0);
  EXPECT_EQ(Bytes(read.begin(), read.begin() + 50), samples);
  EXPECT_TRUE(CloseWaveFile(wave));
  EXPECT_EQ(wave.DataSize, 0);
  EXPECT_EQ(wave.Format.nSamplesPerSec, 0u);
  EXPECT_EQ(ReadWaveData(wave, read.data(), 10), -1);
  EXPECT_EQ(wave.Status, WaveNoStream);
  EXPECT_FALSE(CloseWaveFile(wave));
}

TEST_F(WaveFileTest, ReadsOnlyWhatFollowsADataChunkThatClaimsMore) {
  const std::string name = Write("long.wav", WaveBytes().Fmt(Pcm(22050, 1, 8)).Chunk("data", Samples(10), 1000).File());
  TWaveFile wave;
  ASSERT_TRUE(OpenWaveFile(name, wave));
  EXPECT_EQ(wave.DataSize, 1000);
  Bytes read(1000);
  EXPECT_EQ(ReadWaveData(wave, read.data(), 1000), 10);
  CloseWaveFile(wave);
}

TEST_F(WaveFileTest, AMissingFileCannotBeOpened) {
  TWaveFile wave;
  EXPECT_FALSE(OpenWaveFile((folder_ / "missing.wav").string(), wave));
  EXPECT_EQ(wave.Status, WaveCannotOpen);
  EXPECT_FALSE(CloseWaveFile(wave));
}

}  // namespace
}  // namespace wave_test
