// The sound mixer beside SDL's own summing: one second of 44100 Hz stereo output from sixteen
// playing buffers (22050 Hz mono 8- and 16-bit, 44100 Hz stereo 16-bit), which ours also converts
// and resamples, while SDL_MixAudioFormat sums the same sounds already converted to the output
// format. Names are Case/Ours and Case/<Peer>; tools/bench prints the ratio.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/dsound/DSound.h"
#include "platform/dsound/SoundDriver.h"

namespace {

constexpr DWORD OutputRate = 44100;
constexpr int Voices = 16;

struct Sound {
  DWORD rate;
  WORD channels;
  WORD bits;
};

// Five or six of each kind the game plays.
Sound KindOf(int voice) {
  switch (voice % 3) {
    case 0:
      return {22050, 1, 8};
    case 1:
      return {22050, 1, 16};
    default:
      return {44100, 2, 16};
  }
}

// A tone of its own for each voice, at a level that sixteen of them rarely clip.
double Tone(int voice, double seconds) {
  return 2000.0 * std::sin(2 * std::numbers::pi * (220.0 + 37.0 * voice) * seconds);
}

// One second of Kind's sound, as its buffer holds it.
std::vector<std::uint8_t> SecondOf(int voice, const Sound& kind) {
  std::vector<std::uint8_t> bytes;
  for (DWORD frame = 0; frame < kind.rate; ++frame)
    for (WORD channel = 0; channel < kind.channels; ++channel) {
      const double value = Tone(voice + channel, static_cast<double>(frame) / kind.rate);
      if (kind.bits == 8) {
        bytes.push_back(static_cast<std::uint8_t>(128 + std::lround(value / 256)));
      } else {
        const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value)));
        bytes.push_back(static_cast<std::uint8_t>(sample));
        bytes.push_back(static_cast<std::uint8_t>(sample >> 8));
      }
    }
  return bytes;
}

void MixSixteenBuffers_Ours(benchmark::State& state) {
  platform::dsound::RenderingSoundDriver driver(OutputRate);
  const platform::dsound::ScopedSoundDriver use(driver);
  ComPtr<IDirectSound> sound;
  DirectSoundCreate(nullptr, sound.Put(), nullptr);
  std::vector<ComPtr<IDirectSoundBuffer>> buffers;
  for (int voice = 0; voice < Voices; ++voice) {
    const Sound kind = KindOf(voice);
    const std::vector<std::uint8_t> bytes = SecondOf(voice, kind);
    const auto blockAlign = static_cast<WORD>(kind.channels * kind.bits / 8);
    WAVEFORMATEX format{WAVE_FORMAT_PCM, kind.channels, kind.rate, kind.rate * blockAlign, blockAlign, kind.bits, 0};
    const DSBUFFERDESC description{sizeof(DSBUFFERDESC), DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME,
                                   static_cast<DWORD>(bytes.size()), 0, &format};
    ComPtr<IDirectSoundBuffer> buffer;
    if (sound->CreateSoundBuffer(&description, buffer.Put(), nullptr) != DS_OK) {
      state.SkipWithError("CreateSoundBuffer failed");
      return;
    }
    void* region = nullptr;
    DWORD size = 0;
    buffer->Lock(0, static_cast<DWORD>(bytes.size()), &region, &size, nullptr, nullptr, 0);
    std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(region));
    buffer->Unlock(region, size, nullptr, 0);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    buffers.push_back(buffer);
  }
  std::vector<std::int16_t> output(2 * OutputRate);
  for (auto _ : state) {
    driver.Render(output.data(), OutputRate);
    benchmark::DoNotOptimize(output.data());
  }
  state.SetItemsProcessed(state.iterations() * OutputRate);
}

void MixSixteenBuffers_SDL(benchmark::State& state) {
  std::vector<std::vector<std::uint8_t>> converted;
  for (int voice = 0; voice < Voices; ++voice) converted.push_back(SecondOf(voice, {OutputRate, 2, 16}));
  std::vector<std::uint8_t> output(converted[0].size());
  for (auto _ : state) {
    std::fill(output.begin(), output.end(), 0);
    for (const auto& source : converted)
      SDL_MixAudioFormat(output.data(), source.data(), AUDIO_S16SYS, static_cast<Uint32>(output.size()),
                         SDL_MIX_MAXVOLUME);
    benchmark::DoNotOptimize(output.data());
  }
  state.SetItemsProcessed(state.iterations() * OutputRate);
}

}  // namespace

BENCHMARK(MixSixteenBuffers_Ours)->Name("MixSixteenBuffers/Ours")->Unit(benchmark::kMillisecond);
BENCHMARK(MixSixteenBuffers_SDL)->Name("MixSixteenBuffers/SDL")->Unit(benchmark::kMillisecond);
