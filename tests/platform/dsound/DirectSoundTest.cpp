// The DirectSound calls and their answers, as the game library relies on them.

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "RenderedSound.h"

namespace sound_test {
namespace {

using DirectSoundTest = RenderedSound;

DSBUFFERDESC Description(WAVEFORMATEX* format, DWORD bytes = 1000, DWORD flags = DSBCAPS_STATIC) {
  return {sizeof(DSBUFFERDESC), flags, bytes, 0, format};
}

TEST_F(DirectSoundTest, CreationRefusesWhatWindowsRefuses) {
  ComPtr<IDirectSound> other;
  EXPECT_EQ(DirectSoundCreate(nullptr, nullptr, nullptr), DSERR_INVALIDPARAM);
  EXPECT_EQ(DirectSoundCreate(nullptr, other.Put(), sound.Get()), DSERR_NOAGGREGATION);
  const GUID unknown = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  EXPECT_EQ(DirectSoundCreate(&unknown, other.Put(), nullptr), DSERR_NODRIVER);
  // The rendering device serves one object at a time, the all-zero identifier being the default.
  const GUID zero{};
  EXPECT_EQ(DirectSoundCreate(&zero, other.Put(), nullptr), DSERR_ALLOCATED);
  EXPECT_FALSE(other);
  sound.Reset();
  EXPECT_EQ(DirectSoundCreate(&zero, other.Put(), nullptr), DS_OK);
  EXPECT_EQ(other->SetCooperativeLevel(nullptr, DSSCL_EXCLUSIVE), DS_OK);
  EXPECT_EQ(other->SetCooperativeLevel(nullptr, 5), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, BufferDescriptionsAreChecked) {
  struct Case {
    const char* what;
    Pcm pcm;
    DWORD bytes;
    DWORD flags;
    HRESULT expected;
  };
  const Case cases[] = {
      {"lowest rate", {4000, 1, 8}, 4, DSBCAPS_STATIC, DS_OK},
      {"highest rate", {96000, 2, 16}, DSBSIZE_MIN, DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME, DS_OK},
      {"rate too low", {3999, 1, 8}, 100, 0, DSERR_BADFORMAT},
      {"rate too high", {96001, 1, 8}, 100, 0, DSERR_BADFORMAT},
      {"24 bits", {44100, 1, 24}, 99, 0, DSERR_BADFORMAT},
      {"three channels", {44100, 3, 16}, 96, 0, DSERR_BADFORMAT},
      {"too small", {44100, 1, 8}, DSBSIZE_MIN - 1, 0, DSERR_INVALIDPARAM},
      {"too large", {44100, 1, 8}, DSBSIZE_MAX + 1, 0, DSERR_INVALIDPARAM},
      {"3D in stereo", {44100, 2, 16}, 100, DSBCAPS_CTRL3D, DSERR_INVALIDPARAM},
      {"primary", {44100, 2, 16}, 100, DSBCAPS_PRIMARYBUFFER, DSERR_UNSUPPORTED},
  };
  for (const Case& c : cases) {
    WAVEFORMATEX format = WaveFormat(c.pcm);
    const DSBUFFERDESC description = Description(&format, c.bytes, c.flags);
    ComPtr<IDirectSoundBuffer> buffer;
    EXPECT_EQ(sound->CreateSoundBuffer(&description, buffer.Put(), nullptr), c.expected) << c.what;
    EXPECT_EQ(static_cast<bool>(buffer), c.expected == DS_OK) << c.what;
  }

  WAVEFORMATEX format = WaveFormat({22050, 2, 16});
  DSBUFFERDESC description = Description(&format);
  ComPtr<IDirectSoundBuffer> buffer;
  EXPECT_EQ(sound->CreateSoundBuffer(&description, buffer.Put(), sound.Get()), DSERR_NOAGGREGATION);
  format.nBlockAlign = 2;
  EXPECT_EQ(sound->CreateSoundBuffer(&description, buffer.Put(), nullptr), DSERR_INVALIDPARAM);
  format = WaveFormat({22050, 2, 16});
  format.nAvgBytesPerSec += 1;
  EXPECT_EQ(sound->CreateSoundBuffer(&description, buffer.Put(), nullptr), DSERR_INVALIDPARAM);
  format = WaveFormat({22050, 2, 16});
  format.wFormatTag = 2;
  EXPECT_EQ(sound->CreateSoundBuffer(&description, buffer.Put(), nullptr), DSERR_BADFORMAT);
  description.lpwfxFormat = nullptr;
  EXPECT_EQ(sound->CreateSoundBuffer(&description, buffer.Put(), nullptr), DSERR_INVALIDPARAM);
  description = Description(&format);
  description.dwSize = 20;
  EXPECT_EQ(sound->CreateSoundBuffer(&description, buffer.Put(), nullptr), DSERR_INVALIDPARAM);
  EXPECT_EQ(sound->CreateSoundBuffer(nullptr, buffer.Put(), nullptr), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, VolumeNeedsItsControlAndStaysInRange) {
  auto plain = MakeBuffer({OutputRate, 1, 8}, {1, 2, 3, 4}, 0);
  LONG volume = 1;
  EXPECT_EQ(plain->SetVolume(-700), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(plain->GetVolume(&volume), DSERR_CONTROLUNAVAIL);

  auto controlled = MakeBuffer({OutputRate, 1, 8}, {1, 2, 3, 4}, DSBCAPS_CTRLVOLUME);
  EXPECT_EQ(controlled->GetVolume(&volume), DS_OK);
  EXPECT_EQ(volume, 0);
  EXPECT_EQ(controlled->SetVolume(-700), DS_OK);
  EXPECT_EQ(controlled->SetVolume(1), DSERR_INVALIDPARAM);
  EXPECT_EQ(controlled->SetVolume(-10001), DSERR_INVALIDPARAM);
  EXPECT_EQ(controlled->GetVolume(&volume), DS_OK);
  EXPECT_EQ(volume, -700);
  EXPECT_EQ(controlled->GetVolume(nullptr), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, LockAnswersTwoRegionsWhenItWraps) {
  auto buffer = MakeBuffer({OutputRate, 1, 8}, std::vector<std::uint8_t>(100, 0x80));
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0;
  DWORD secondBytes = 0;
  ASSERT_EQ(buffer->Lock(0, 100, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
  auto* const start = static_cast<std::uint8_t*>(first);
  EXPECT_EQ(firstBytes, 100u);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(secondBytes, 0u);

  ASSERT_EQ(buffer->Lock(80, 40, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
  EXPECT_EQ(first, start + 80);
  EXPECT_EQ(firstBytes, 20u);
  EXPECT_EQ(second, start);
  EXPECT_EQ(secondBytes, 20u);
  EXPECT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), DS_OK);

  ASSERT_EQ(buffer->Lock(30, 1, &first, &firstBytes, &second, &secondBytes, DSBLOCK_ENTIREBUFFER), DS_OK);
  EXPECT_EQ(first, start + 30);
  EXPECT_EQ(firstBytes, 70u);
  EXPECT_EQ(second, start);
  EXPECT_EQ(secondBytes, 30u);
  // Without a place for the second region the lock ends at the buffer's end.
  ASSERT_EQ(buffer->Lock(90, 20, &first, &firstBytes, nullptr, nullptr, 0), DS_OK);
  EXPECT_EQ(firstBytes, 10u);

  EXPECT_EQ(buffer->Lock(100, 1, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Lock(0, 101, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Lock(0, 0, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDPARAM);
  std::uint8_t foreign[4];
  EXPECT_EQ(buffer->Unlock(foreign, 4, nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Unlock(start + 90, 11, nullptr, 0), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, LockFromTheWriteCursorStartsWherePlayStands) {
  auto buffer = MakeMono16({1, 2, 3, 4, 5, 6, 7, 8});
  buffer->Play(0, 0, 0);
  driver.Render(3);
  void* first = nullptr;
  DWORD firstBytes = 0;
  ASSERT_EQ(buffer->Lock(0, 4, &first, &firstBytes, nullptr, nullptr, DSBLOCK_FROMWRITECURSOR), DS_OK);
  EXPECT_EQ(*static_cast<std::int16_t*>(first), 4);
}

TEST_F(DirectSoundTest, PlayTakesOnlyTheLoopingFlag) {
  auto buffer = MakeMono16({1, 2, 3, 4});
  EXPECT_EQ(buffer->Play(1, 0, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Play(0, 1, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Play(0, 0, 2), DSERR_INVALIDPARAM);
  DWORD status = 1;
  EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
  EXPECT_EQ(status, 0u);
  // A request shows at once, before the mixer has taken it.
  EXPECT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  buffer->GetStatus(&status);
  EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
  buffer->Stop();
  buffer->GetStatus(&status);
  EXPECT_EQ(status, 0u);
}

TEST_F(DirectSoundTest, ObjectsMayGoInAnyOrder) {
  auto buffer = MakeMono16({1, 2, 3, 4});
  buffer->Play(0, 0, DSBPLAY_LOOPING);
  sound.Reset();
  EXPECT_EQ(Left(2), (std::vector<std::int16_t>{1, 2}));
  ComPtr<IDirectSoundBuffer> alias;
  ASSERT_EQ(buffer->QueryInterface(IID_IDirectSoundBuffer, alias.PutVoid()), DS_OK);
  buffer.Reset();
  EXPECT_EQ(Left(2), (std::vector<std::int16_t>{3, 4}));
  alias.Reset();
  EXPECT_EQ(Left(2), (std::vector<std::int16_t>{0, 0}));
}

// Plays a short sound on the machine's driver and waits, boundedly, for it to end by itself.
void PlaysToItsEndOnTheMachine() {
  ComPtr<IDirectSound> sound;
  ASSERT_EQ(DirectSoundCreate(nullptr, sound.Put(), nullptr), DS_OK);
  ASSERT_EQ(sound->SetCooperativeLevel(nullptr, DSSCL_EXCLUSIVE), DS_OK);
  WAVEFORMATEX format = WaveFormat({22050, 1, 16});
  const DSBUFFERDESC description = Description(&format, 2205);  // 50 ms
  ComPtr<IDirectSoundBuffer> buffer;
  ASSERT_EQ(sound->CreateSoundBuffer(&description, buffer.Put(), nullptr), DS_OK);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  DWORD status = DSBSTATUS_PLAYING;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (status != 0 && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    buffer->GetStatus(&status);
  }
  EXPECT_EQ(status, 0u);
  ComPtr<IDirectSoundBuffer> looping;
  ASSERT_EQ(sound->CreateSoundBuffer(&description, looping.Put(), nullptr), DS_OK);
  looping->Play(0, 0, DSBPLAY_LOOPING);
  sound.Reset();  // the output keeps running for the buffers
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

TEST(MachineSoundTest, PlaysThroughSdlAudio) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);  // never a real device in a test
  PlaysToItsEndOnTheMachine();
}

TEST(MachineSoundTest, PlaysSilentlyWithoutAnyDevice) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  PlaysToItsEndOnTheMachine();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(FourCharacterCodeTest, PadsCutsAndUpperCases) {
  EXPECT_EQ(mmioStringToFOURCC("RIFF", 0), 0x46464952u);
  EXPECT_EQ(mmioStringToFOURCC("fmt", 0), mmioStringToFOURCC("fmt ", 0));
  EXPECT_EQ(mmioStringToFOURCC("datax", 0), mmioStringToFOURCC("data", 0));
  EXPECT_EQ(mmioStringToFOURCC("wave", MMIO_TOUPPER), mmioStringToFOURCC("WAVE", 0));
  EXPECT_NE(mmioStringToFOURCC("wave", 0), mmioStringToFOURCC("WAVE", 0));
}

}  // namespace
}  // namespace sound_test
