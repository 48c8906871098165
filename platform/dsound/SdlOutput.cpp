#include "SdlOutput.h"

#include <cerrno>
#include <cstdio>

namespace platform::dsound {

namespace {
constexpr int PreferredRate = 44100;
constexpr Uint16 PeriodFrames = 512;  // about 12 ms: short enough for a shot to sound at once
constexpr int BytesPerFrame = 2 * sizeof(std::int16_t);

// The game plays on silent; whoever started it from a terminal learns why.
std::nullptr_t NoSound() {
  std::fprintf(stderr, "%s: ohne Ton, keine Tonausgabe: %s\n", program_invocation_short_name, SDL_GetError());
  return nullptr;
}
}  // namespace

std::unique_ptr<SdlOutput> SdlOutput::Open() {
  // The sound server shows the stream under the program's name: PulseAudio finds it itself, SDL's
  // own PipeWire output would say "SDL Application". What the environment sets still wins.
  SDL_SetHintWithPriority(SDL_HINT_AUDIO_DEVICE_APP_NAME, program_invocation_short_name, SDL_HINT_DEFAULT);
  SDL_SetHintWithPriority(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, program_invocation_short_name, SDL_HINT_DEFAULT);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return NoSound();
  std::unique_ptr<SdlOutput> output(new SdlOutput());  // from here on it quits the subsystem
  SDL_AudioSpec wanted{};
  wanted.freq = PreferredRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = PeriodFrames;
  wanted.callback = Pull;
  wanted.userdata = output.get();
  SDL_AudioSpec obtained{};
  // The mixer converts to any rate itself; SDL keeps the format and channels as asked.
  output->device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (output->device_ == 0) return NoSound();
  output->rate_ = static_cast<DWORD>(obtained.freq);
  return output;
}

SdlOutput::~SdlOutput() {
  Stop();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlOutput::Start(Mixer& mixer) {
  if (mixer_ != nullptr || device_ == 0) return false;
  // The device is paused until now, so the callback reads the mixer only after it is set.
  SDL_LockAudioDevice(device_);
  mixer_ = &mixer;
  SDL_UnlockAudioDevice(device_);
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlOutput::Stop() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);  // waits for a running callback
  device_ = 0;
  mixer_ = nullptr;
}

void SDLCALL SdlOutput::Pull(void* self, Uint8* stream, int length) {
  auto* output = static_cast<SdlOutput*>(self);
  output->mixer_->Mix(reinterpret_cast<std::int16_t*>(stream), static_cast<std::size_t>(length / BytesPerFrame));
}

}  // namespace platform::dsound
