// Arbitrary bytes as a WAV file: through the reader on a memory stream, then as a file loaded
// whole into a file sample on a rendering sound device, played for a moment.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "lib/sound/VXGSound.h"
#include "lib/sound/Wave.h"
#include "platform/dsound/SoundDriver.h"
#include "platform/win/MessageBox.h"

namespace {

void ReadWhole(const std::uint8_t* data, std::size_t size) {
  TWaveFile wave;
  if (ParseWaveStream(std::make_unique<TMemoryStream>(std::vector<std::uint8_t>(data, data + size)), wave)) {
    std::vector<std::uint8_t> buffer(4096);
    while (ReadWaveData(wave, buffer.data(), static_cast<std::int32_t>(buffer.size())) > 0) {
    }
  }
  CloseWaveFile(wave);
}

// One file per fuzzing process, gone when the process ends.
class ScratchFile {
 public:
  ScratchFile()
      : name_((std::filesystem::temp_directory_path() / ("fuzz_wav_" + std::to_string(getpid()) + ".wav")).string()) {}
  ~ScratchFile() { std::filesystem::remove(name_); }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

const std::string& FileName() {
  static const ScratchFile file;
  return file.Name();
}

void LoadAndPlay(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream file(FileName(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  platform::dsound::RenderingSoundDriver driver;
  const platform::dsound::ScopedSoundDriver use(driver);
  const platform::MessageBoxRecorder messages;
  try {
    TVXGSound sound(GUID{});
    TVXGSoundFileSample sample(sound, FileName(), {TVXGSoundBufferFlag::CtrlVolume});
    sample.SetVol(-700);
    sample.Play(false);
    driver.Render(512);
  } catch (const EVXGSoundError&) {
    // the service refused the file's format: a clear error is the expected answer
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ReadWhole(data, size);
  LoadAndPlay(data, size);
  return 0;
}
