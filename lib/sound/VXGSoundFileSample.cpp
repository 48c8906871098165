#include "VXGSound.h"
#include "lib/sound/Wave.h"
#include "platform/win/MessageBox.h"

namespace {

class WaveFileCloser {
 public:
  explicit WaveFileCloser(TWaveFile& wave) : wave_(wave) {}
  ~WaveFileCloser() { CloseWaveFile(wave_); }
  WaveFileCloser(const WaveFileCloser&) = delete;
  WaveFileCloser& operator=(const WaveFileCloser&) = delete;

 private:
  TWaveFile& wave_;
};

void ShowEndOfFile(const std::string& FileName) {
  const std::string text = "EOF in file: " + FileName;
  MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
}

std::int64_t BytesBehindDataStart(TWaveFile& wave) { return wave.Stream->Size() - wave.DataPosition; }

}  // namespace

TVXGSoundFileSample::TVXGSoundFileSample(TVXGSound& Sound, const std::string& FileName, TVXGSoundBufferFlags Flags)
    : TVXGSoundSample(Sound) {
  TWaveFile wave;
  OpenWaveFile(FileName, wave);
  const bool missing = wave.Status == WaveCannotOpen;
  CloseWaveFile(wave);
  if (missing) throw EVXGSoundError("File not Found: " + FileName);

  const bool usable = OpenWaveFile(FileName, wave);
  const WaveFileCloser closer(wave);
  if (!usable) return;  // not a PCM WAV file: a sample without sound, and no word about it
  const TVXGSoundFormat format{static_cast<std::int32_t>(wave.Format.nSamplesPerSec), wave.Format.nChannels,
                               wave.Format.wBitsPerSample};
  // A data chunk that claims more than the file holds ends as a short read would, before a buffer
  // of the claimed size is made.
  const auto size = static_cast<DWORD>(wave.DataSize);
  if (size > BytesBehindDataStart(wave)) {
    ShowEndOfFile(FileName);
    return;
  }
  TVXGSoundSample loaded(Sound, true, Flags, size, format);
  loaded.Lock(0, size, TVXGSoundLockOption::None);
  const std::int32_t read =
      ReadWaveData(wave, loaded.LockedRegion1(), static_cast<std::int32_t>(loaded.LockedBytes1()));
  if (read < static_cast<std::int64_t>(loaded.LockedBytes1())) {
    ShowEndOfFile(FileName);
    loaded.Unlock();
    return;
  }
  loaded.Unlock();
  TakeOver(loaded);
}
