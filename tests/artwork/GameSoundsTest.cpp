// The rules every sound of the game data keeps, checked on the generated files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "GameFiles.h"

namespace game_files {
namespace {

double Seconds(const Wav& wav) { return wav.samples.size() / 22050.0; }

int Peak(const Wav& wav) {
  int peak = 0;
  for (std::int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

TEST(GameSounds, SoundsAreLoudButNeverClipped) {
  for (const std::string& name : Sounds()) {
    const Wav wav = ReadWav(name);
    if (wav.samples.empty()) continue;
    const int peak = Peak(wav);
    EXPECT_GE(peak, 16384) << name << " is quiet";
    // A clipped sound flattens on full scale.
    EXPECT_LT(peak, 32767) << name << " reaches full scale";
  }
}

TEST(GameSounds, SoundsStartAndEndWithoutAClick) {
  for (const std::string& name : Sounds()) {
    const Wav wav = ReadWav(name);
    if (wav.samples.empty()) continue;
    EXPECT_LE(std::abs(wav.samples.front()), 100) << name << " starts with a jump";
    EXPECT_LE(std::abs(wav.samples.back()), 100) << name << " ends with a jump";
    // Nor does it reach half its loudness within the first millisecond.
    int early = 0;
    for (std::size_t i = 0; i < 22 && i < wav.samples.size(); ++i) early = std::max(early, std::abs(static_cast<int>(wav.samples[i])));
    EXPECT_LT(early, Peak(wav) / 2) << name;
  }
}

TEST(GameSounds, TheCountdownLoopsWithoutASeam) {
  const Wav tick = ReadWav("ps\\time.wav");
  ASSERT_FALSE(tick.samples.empty());
  // The step from the last sample back to the first is no larger than the sound's own steps
  // near its ends.
  int largest = 1;
  for (std::size_t i = 1; i < 220; ++i) {
    largest = std::max(largest, std::abs(tick.samples[i] - tick.samples[i - 1]));
    largest = std::max(largest, std::abs(tick.samples[tick.samples.size() - i] - tick.samples[tick.samples.size() - i - 1]));
  }
  EXPECT_LE(std::abs(tick.samples.front() - tick.samples.back()), largest);
  EXPECT_GE(Seconds(tick), 0.5);
}

TEST(GameSounds, LengthsSuitTheirUse) {
  for (int n = 1; n <= 15; ++n) {
    const std::string name = "ps\\hg" + std::to_string(n) + ".wav";
    const double length = Seconds(ReadWav(name));
    EXPECT_GE(length, 1.0) << name;
    EXPECT_LE(length, 4.0) << name;
  }
  const double fanfare = Seconds(ReadWav("ps\\fanfar.wav"));
  EXPECT_GE(fanfare, 2.5);
  EXPECT_LE(fanfare, 3.5);
  // The shot is fired eight times in quick succession from nine copies.
  EXPECT_LE(Seconds(ReadWav("ps\\s2.wav")), 1.0);
}

TEST(GameSounds, AmbientSoundsAreAllDifferent) {
  std::vector<std::vector<std::int16_t>> seen;
  for (int n = 1; n <= 15; ++n) {
    const Wav wav = ReadWav("ps\\hg" + std::to_string(n) + ".wav");
    EXPECT_EQ(std::count(seen.begin(), seen.end(), wav.samples), 0) << "hg" << n << " repeats an earlier sound";
    seen.push_back(wav.samples);
  }
}

}  // namespace
}  // namespace game_files
