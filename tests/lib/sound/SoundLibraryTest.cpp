// The sound unit: the calls it makes, the errors it raises, and file samples played into memory.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <type_traits>

#include "FakeDirectSound.h"
#include "WaveBytes.h"
#include "lib/sound/VXGSound.h"
#include "platform/win/MessageBox.h"

namespace sound_test {
namespace {

using wave_test::Pcm;
using wave_test::WaveBytes;

static_assert(!std::is_constructible_v<TVXGSoundBuffer, TVXGSound&>, "only descendants are made");

template <class Action>
EVXGSoundError Raised(Action action) {
  try {
    action();
  } catch (const EVXGSoundError& e) {
    return e;
  }
  ADD_FAILURE() << "no EVXGSoundError";
  return EVXGSoundError("");
}

class FakeSoundTest : public ::testing::Test {
 protected:
  FakeSoundDriver driver;
  platform::dsound::ScopedSoundDriver use{driver};
  std::vector<std::string>& calls = driver.log.calls;
};

TEST_F(FakeSoundTest, DeviceAsksForTheDefaultWithTheZeroIdentifier) {
  TVXGSound sound(GUID{});
  EXPECT_TRUE(driver.askedDefault);
  const GUID other = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  TVXGSound second(other);
  EXPECT_FALSE(driver.askedDefault);
  EXPECT_EQ(driver.askedFor, other);

  const std::pair<TVXGSoundCooperativeLevel, DWORD> levels[] = {{TVXGSoundCooperativeLevel::Exclusive, 3},
                                                                {TVXGSoundCooperativeLevel::Normal, 1},
                                                                {TVXGSoundCooperativeLevel::Priority, 2},
                                                                {TVXGSoundCooperativeLevel::WritePrimary, 4}};
  for (const auto& [level, expected] : levels) {
    sound.SetCooperativeLevel(nullptr, level);
    EXPECT_EQ(sound.CooperativeLevel(), level);
    EXPECT_EQ(calls.back(), "SetCooperativeLevel " + std::to_string(expected));
  }
}

TEST_F(FakeSoundTest, BufferDescriptionCarriesTheFormatAndMappedFlags) {
  TVXGSound sound(GUID{});
  const TVXGSoundBufferFlags all = {TVXGSoundBufferFlag::GlobalFocus, TVXGSoundBufferFlag::CtrlFrequency,
                                    TVXGSoundBufferFlag::CtrlPan, TVXGSoundBufferFlag::CtrlVolume,
                                    TVXGSoundBufferFlag::Ctrl3D};
  EXPECT_EQ(all.Bits(), 0x1F);
  TVXGSoundSample sample(sound, true, all, 1234, {22050, 2, 16});
  const DSBUFFERDESC& description = driver.sound->lastDescription;
  EXPECT_EQ(description.dwSize, sizeof(DSBUFFERDESC));
  EXPECT_EQ(description.dwFlags, 0x8000u | 0x20 | 0x40 | 0x80 | 0x10 | DSBCAPS_STATIC);
  EXPECT_EQ(description.dwBufferBytes, 1234u);
  const WAVEFORMATEX& format = driver.sound->lastFormat;
  EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(format.nBlockAlign, 4);
  EXPECT_EQ(format.nAvgBytesPerSec, 88200u);
  EXPECT_EQ(format.cbSize, 0);
  EXPECT_EQ(sample.Size(), 1234u);
  EXPECT_EQ(sample.Format().SamplesPerSec, 22050);

  TVXGSoundSample plain(sound, false, {TVXGSoundBufferFlag::CtrlVolume}, 10, {8000, 1, 8});
  EXPECT_EQ(driver.sound->lastDescription.dwFlags, DSBCAPS_CTRLVOLUME);
  EXPECT_EQ(driver.sound->lastFormat.nAvgBytesPerSec, 8000u);
}

TEST_F(FakeSoundTest, SampleCallsAreSingleAndUnlockFollowsOnlyALock) {
  TVXGSound sound(GUID{});
  TVXGSoundSample sample(sound, true, {}, 64, {22050, 1, 8});
  calls.clear();
  sample.Unlock();
  EXPECT_TRUE(calls.empty());
  sample.Play(true);
  sample.Play(true);
  sample.Play(false);
  sample.Stop();
  EXPECT_EQ(calls, (std::vector<std::string>{"Play 1", "Play 1", "Play 0", "Stop"}));

  calls.clear();
  for (const auto option : {TVXGSoundLockOption::None, TVXGSoundLockOption::FromWriteCursor,
                            TVXGSoundLockOption::EntireBuffer, TVXGSoundLockOption::FromWriteCursorEntireBuffer})
    sample.Lock(4, 8, option);
  EXPECT_TRUE(sample.Locked());
  sample.Unlock();
  sample.Unlock();
  EXPECT_FALSE(sample.Locked());
  EXPECT_EQ(calls, (std::vector<std::string>{"Lock 4 8 0", "Lock 4 8 1", "Lock 4 8 2", "Lock 4 8 3", "Unlock"}));
}

TEST_F(FakeSoundTest, SetVolClampsToTheDirectSoundRange) {
  TVXGSound sound(GUID{});
  TVXGSoundSample sample(sound, true, {TVXGSoundBufferFlag::CtrlVolume}, 64, {22050, 1, 8});
  calls.clear();
  for (const std::int32_t volume : {300, -20000, -700, 0, -10000}) sample.SetVol(volume);
  EXPECT_EQ(calls, (std::vector<std::string>{"SetVolume 0", "SetVolume -10000", "SetVolume -700", "SetVolume 0",
                                             "SetVolume -10000"}));
  EXPECT_EQ(sample.GetVol(), -10000);
}

TEST_F(FakeSoundTest, ErrorsNameTheClassTheOperationAndTheSentence) {
  driver.log.answers["DirectSoundCreate"] = DSERR_NODRIVER;
  EVXGSoundError error = Raised([] { TVXGSound sound(GUID{}); });
  EXPECT_EQ(error.Message(), "TVXGSound.Create:\rNo sound driver is available for use.");
  EXPECT_EQ(error.ErrorCode(), DSERR_NODRIVER);
  driver.log.answers.clear();

  TVXGSound sound(GUID{});
  driver.log.answers["CreateSoundBuffer"] = DSERR_OUTOFMEMORY;
  error = Raised([&] { TVXGSoundSample sample(sound, true, {}, 64, {22050, 1, 8}); });
  EXPECT_EQ(error.Message(),
            "TVXGSoundSample.Create:\rThe DirectSound subsystem could not allocate sufficient memory to complete "
            "the caller\xB4s request.");
  driver.log.answers.clear();

  TVXGSoundSample sample(sound, true, {}, 64, {22050, 1, 8});
  driver.log.answers["Play 1"] = DSERR_BUFFERLOST;
  error = Raised([&] { sample.Play(true); });
  EXPECT_EQ(error.Message(), "TVXGSoundSample.Play:\rThe buffer memory has been lost and must be restored.");
  driver.log.answers["Stop"] = MakeResult(0x88780001);
  error = Raised([&] { sample.Stop(); });
  EXPECT_EQ(error.Message(), "TVXGSoundSample.Stop:\rUnrecognized Error");
  EXPECT_EQ(error.ErrorCode(), MakeResult(0x88780001));
  driver.log.answers["SetCooperativeLevel 3"] = S_FALSE;  // a positive result fails as well
  error = Raised([&] { sound.SetCooperativeLevel(nullptr, TVXGSoundCooperativeLevel::Exclusive); });
  EXPECT_EQ(error.Message(), "TVXGSound.SetCooperativeLevel:\rUnrecognized Error");
}

TEST(DirectSoundErrorTextTest, KnowsEveryResultOfTheTable) {
  EXPECT_EQ(DirectSoundErrorText(DS_OK), "The request completed successfully.");
  EXPECT_EQ(DirectSoundErrorText(DSERR_CONTROLUNAVAIL),
            "The control (volume, pan, and so forth) requested by the caller is not available.");
  EXPECT_EQ(DirectSoundErrorText(DSERR_UNINITIALIZED),
            "The IDirectSound::Initialize method has not been called or has not been called successfully before other "
            "methods were called.");
  const HRESULT known[] = {DSERR_UNSUPPORTED,   DSERR_NOINTERFACE,        DSERR_GENERIC,
                           DSERR_NOAGGREGATION, DSERR_INVALIDPARAM,       DSERR_ALLOCATED,
                           DSERR_INVALIDCALL,   DSERR_PRIOLEVELNEEDED,    DSERR_BADFORMAT,
                           DSERR_NODRIVER,      DSERR_ALREADYINITIALIZED, DSERR_OTHERAPPHASPRIO};
  for (const HRESULT code : known) EXPECT_NE(DirectSoundErrorText(code), "Unrecognized Error") << code;
  EXPECT_EQ(DirectSoundErrorText(MakeResult(0x88780014)), "Unrecognized Error");
}

// File samples played through the rendering driver, in a working folder of their own.
class FileSampleTest : public ::testing::Test {
 protected:
  static constexpr DWORD Rate = 44100;

  FileSampleTest()
      : folder_(std::filesystem::temp_directory_path() / ("sound_test_" + std::to_string(getpid()))),
        previous_(std::filesystem::current_path()) {
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
  }
  ~FileSampleTest() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  std::vector<std::int16_t> Left(std::size_t frames) {
    const std::vector<std::int16_t> stereo = driver.Render(frames);
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < stereo.size(); i += 2) left.push_back(stereo[i]);
    return left;
  }

  std::filesystem::path folder_;
  std::filesystem::path previous_;
  platform::dsound::RenderingSoundDriver driver{Rate};
  platform::dsound::ScopedSoundDriver use{driver};
  platform::MessageBoxRecorder messages;
  TVXGSound sound{GUID{}};
};

const std::vector<std::int16_t> Tune = {1000, 8000, -12000, 30000, -32768, 400};

TEST_F(FileSampleTest, PlaysTheFileAtTheSetVolume) {
  wave_test::WriteFile("ps/s3.wav", WaveBytes().Fmt(Pcm(Rate, 1, 16)).Data(wave_test::Samples16(Tune)).File());
  sound.SetCooperativeLevel(nullptr, TVXGSoundCooperativeLevel::Exclusive);
  TVXGSoundFileSample sample(sound, "ps\\s3.wav", {TVXGSoundBufferFlag::CtrlVolume});
  EXPECT_EQ(sample.Size(), 12u);
  sample.SetVol(-400);
  EXPECT_EQ(sample.GetVol(), -400);
  sample.Play(false);
  const std::vector<std::int16_t> mixed = Left(8);
  for (std::size_t i = 0; i < Tune.size(); ++i) EXPECT_NEAR(mixed[i], Tune[i] * std::pow(10.0, -0.2), 1.0) << i;
  EXPECT_EQ(mixed[6], 0);
  EXPECT_EQ(mixed[7], 0);
  EXPECT_TRUE(messages.Boxes().empty());
}

TEST_F(FileSampleTest, LoopsUntilStoppedAndCopiesAreIndependent) {
  wave_test::WriteFile("ps/time.wav", WaveBytes().Fmt(Pcm(Rate, 1, 8)).Data({0x90, 0xA0, 0xB0, 0xC0}).File());
  TVXGSoundFileSample first(sound, "ps\\time.wav", {});
  TVXGSoundFileSample second(sound, "ps\\time.wav", {});
  EXPECT_NE(first.Buffer(), second.Buffer());
  first.Play(true);
  EXPECT_EQ(Left(5), (std::vector<std::int16_t>{4096, 8192, 12288, 16384, 4096}));
  first.Play(true);  // neither stopped nor rewound
  second.Play(false);
  EXPECT_EQ(Left(2), (std::vector<std::int16_t>{8192 + 4096, 12288 + 8192}));
  first.Stop();
  EXPECT_EQ(Left(3), (std::vector<std::int16_t>{12288, 16384, 0}));
  // Without its volume control the sample refuses a volume, as Windows does.
  const EVXGSoundError error = Raised([&] { first.SetVol(-100); });
  EXPECT_EQ(error.Message(),
            "TVXGSoundFileSample.SetVol:\rThe control (volume, pan, and so forth) requested by the caller is not "
            "available.");
  EXPECT_EQ(error.ErrorCode(), DSERR_CONTROLUNAVAIL);
}

TEST_F(FileSampleTest, AMissingFileFailsWithItsName) {
  const EVXGSoundError error = Raised([&] { TVXGSoundFileSample sample(sound, "ps\\nope.wav", {}); });
  EXPECT_EQ(error.Message(), "File not Found: ps\\nope.wav");
  EXPECT_EQ(error.ErrorCode(), 0);
  EXPECT_TRUE(messages.Boxes().empty());
}

// Plays, stops and changes the volume of a sample that holds no sound, and hears nothing.
void ExpectSilentSample(TVXGSoundFileSample& sample, platform::dsound::RenderingSoundDriver& driver) {
  EXPECT_EQ(sample.Buffer(), nullptr);
  sample.SetVol(-2500);
  sample.SetVol(sample.GetVol() + 300);
  sample.Play(true);
  EXPECT_EQ(driver.Render(4), std::vector<std::int16_t>(8, 0));
  sample.Stop();
  sample.Unlock();
  // Nothing to lock: a clear error rather than a region that is not there.
  EXPECT_EQ(Raised([&] { sample.Lock(0, 4, TVXGSoundLockOption::None); }).Message(),
            "TVXGSoundFileSample.Lock:\rThis function is not valid for the current state of this object.");
}

TEST_F(FileSampleTest, DataThatEndsEarlyIsShownOnceAndLeavesNoSound) {
  wave_test::WriteFile("ps/cut.wav",
                       WaveBytes().Fmt(Pcm(Rate, 1, 16)).Chunk("data", wave_test::Samples16(Tune), 1000).File());
  TVXGSoundFileSample sample(sound, "ps\\cut.wav", {TVXGSoundBufferFlag::CtrlVolume});
  ASSERT_EQ(messages.Boxes().size(), 1u);
  EXPECT_EQ(messages.Boxes()[0].Text, "EOF in file: ps\\cut.wav");
  ExpectSilentSample(sample, driver);
}

TEST_F(FileSampleTest, AFileTheReaderRefusesLeavesNoSoundAndNoMessage) {
  // Cut short after its header was written: the RIFF size is larger than the file.
  wave_test::WriteFile("ps/short.wav", WaveBytes().Fmt(Pcm(Rate, 1, 16)).Data(wave_test::Samples16(Tune)).File(100));
  TVXGSoundFileSample sample(sound, "ps\\short.wav", {});
  EXPECT_TRUE(messages.Boxes().empty());
  ExpectSilentSample(sample, driver);
}

TEST_F(FileSampleTest, AFileWithoutSamplesIsRefusedByTheService) {
  wave_test::WriteFile("ps/empty.wav", WaveBytes().Fmt(Pcm(Rate, 1, 16)).Data({}).File());
  const EVXGSoundError error = Raised([&] { TVXGSoundFileSample sample(sound, "ps\\empty.wav", {}); });
  EXPECT_EQ(error.Message(), "TVXGSoundSample.Create:\rAn invalid parameter was passed to the returning function.");
}

}  // namespace
}  // namespace sound_test
