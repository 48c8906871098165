// What the mixer makes of played buffers, read back sample by sample from the rendering output.

#include <cmath>

#include "RenderedSound.h"

namespace sound_test {
namespace {

using Samples = std::vector<std::int16_t>;

Samples Silence(std::size_t frames) { return Samples(frames, 0); }

Samples Concat(Samples a, const Samples& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

using MixerTest = RenderedSound;

TEST_F(MixerTest, PlaysOnceThenStandsAtItsStartAgain) {
  const Samples samples = {1000, -2000, 3000, 32767, -32768, 7};
  auto buffer = MakeMono16(samples);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(Channel(8, 0), Concat(samples, Silence(2)));

  DWORD status = 1;
  ASSERT_EQ(buffer->GetStatus(&status), DS_OK);
  EXPECT_EQ(status, 0u);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(Channel(6, 1), samples);
}

TEST_F(MixerTest, ConvertsEightBitAndStereoSamples) {
  auto eightBit = MakeBuffer({OutputRate, 1, 8}, {0x80, 0xFF, 0x00, 0xC0});
  eightBit->Play(0, 0, 0);
  const std::vector<std::int16_t> stereo = driver.Render(4);
  EXPECT_EQ(stereo, (Samples{0, 0, 32512, 32512, -32768, -32768, 16384, 16384}));

  auto sixteenStereo = MakeBuffer({OutputRate, 2, 16}, Bytes16({100, -100, 200, -200}));
  auto eightStereo = MakeBuffer({OutputRate, 2, 8}, {0x81, 0x7F, 0x82, 0x7E});
  sixteenStereo->Play(0, 0, 0);
  eightStereo->Play(0, 0, 0);
  EXPECT_EQ(driver.Render(2), (Samples{356, -356, 712, -712}));
}

TEST_F(MixerTest, ResamplesLinearlyAndEndsWithoutAStep) {
  auto buffer = MakeMono16({0, 1000, 2000, -1000}, OutputRate / 2);
  buffer->Play(0, 0, 0);
  // Every second frame lies between two source frames; the last one leads into silence.
  EXPECT_EQ(Left(10), (Samples{0, 500, 1000, 1500, 2000, 500, -1000, -500, 0, 0}));

  // A rising ramp stays a ramp at a rate that does not divide the output's.
  Samples ramp(320);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::int16_t>(10 * i);
  auto odd = MakeMono16(ramp, 32000);
  odd->Play(0, 0, 0);
  const Samples mixed = Left(400);
  for (std::size_t k = 0; k < mixed.size(); ++k) EXPECT_NEAR(mixed[k], 10.0 * k * 32000 / 44100, 1.0) << "frame " << k;
}

TEST_F(MixerTest, VolumeIsTenToTheVolumeOver2000) {
  const Samples samples = {20000, -20000, 12345};
  for (const LONG volume : {-600L, -2000L, -1L}) {
    auto buffer = MakeMono16(samples);
    ASSERT_EQ(buffer->SetVolume(volume), DS_OK);
    buffer->Play(0, 0, 0);
    const Samples mixed = Left(3);
    for (std::size_t i = 0; i < samples.size(); ++i)
      EXPECT_NEAR(mixed[i], samples[i] * std::pow(10.0, volume / 2000.0), 1.0) << "volume " << volume;
  }
}

TEST_F(MixerTest, LowestVolumeIsExactSilenceThatStillTakesItsTime) {
  const Samples samples = {5, 6, 7, 8, 9, 10};
  auto buffer = MakeMono16(samples);
  ASSERT_EQ(buffer->SetVolume(DSBVOLUME_MIN), DS_OK);
  buffer->Play(0, 0, 0);
  EXPECT_EQ(Left(3), Silence(3));
  ASSERT_EQ(buffer->SetVolume(DSBVOLUME_MAX), DS_OK);
  EXPECT_EQ(Left(4), (Samples{8, 9, 10, 0}));
}

TEST_F(MixerTest, LoopingGoesRoundUntilStopped) {
  auto buffer = MakeMono16({100, 200, 300});
  buffer->Play(0, 0, DSBPLAY_LOOPING);
  EXPECT_EQ(Left(7), (Samples{100, 200, 300, 100, 200, 300, 100}));
  DWORD status = 0;
  buffer->GetStatus(&status);
  EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);

  // At half the output's rate the seam leads from the last frame into the first.
  auto slow = MakeMono16({0, 1000}, OutputRate / 2);
  buffer->Stop();
  slow->Play(0, 0, DSBPLAY_LOOPING);
  EXPECT_EQ(Left(6), (Samples{0, 500, 1000, 500, 0, 500}));
}

TEST_F(MixerTest, StopKeepsThePositionForTheNextPlay) {
  auto buffer = MakeMono16({1, 2, 3, 4, 5, 6});
  buffer->Play(0, 0, 0);
  EXPECT_EQ(Left(2), (Samples{1, 2}));
  buffer->Stop();
  EXPECT_EQ(Left(2), Silence(2));
  buffer->Play(0, 0, 0);
  EXPECT_EQ(Left(5), (Samples{3, 4, 5, 6, 0}));
}

TEST_F(MixerTest, PlayOnAPlayingBufferChangesOnlyTheLoopFlag) {
  auto buffer = MakeMono16({1, 2, 3, 4});
  buffer->Play(0, 0, DSBPLAY_LOOPING);
  EXPECT_EQ(Left(3), (Samples{1, 2, 3}));
  buffer->Play(0, 0, 0);
  EXPECT_EQ(Left(3), (Samples{4, 0, 0}));

  buffer->Play(0, 0, 0);
  EXPECT_EQ(Left(2), (Samples{1, 2}));
  buffer->Play(0, 0, DSBPLAY_LOOPING);
  EXPECT_EQ(Left(4), (Samples{3, 4, 1, 2}));
}

TEST_F(MixerTest, SumsWithSaturation) {
  auto a = MakeMono16({30000, -30000, 1000});
  auto b = MakeMono16({30000, -30000, -3000});
  a->Play(0, 0, 0);
  b->Play(0, 0, 0);
  EXPECT_EQ(Left(3), (Samples{32767, -32768, -2000}));
}

TEST_F(MixerTest, AReleasedBufferLeavesTheMix) {
  auto kept = MakeMono16({10, 10, 10, 10});
  auto released = MakeMono16({5, 5, 5, 5});
  kept->Play(0, 0, 0);
  released->Play(0, 0, 0);
  EXPECT_EQ(Left(2), (Samples{15, 15}));
  released.Reset();
  EXPECT_EQ(Left(2), (Samples{10, 10}));
}

}  // namespace
}  // namespace sound_test
