// LoadAssets: every picture and sound of the game, read, decoded by the plug-in, converted to the
// display and kept, beside reading the same files' bytes into memory.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "BenchGame.h"
#include "platform/win/CodePage.h"

namespace {

// Everything LoadAssets made goes; the graphics device stays.
void Unload(TForm1& Form) {
  std::unique_ptr<TVXGGraphics> graphics = std::move(Form.Assets.Graphics);
  Form.Assets = GameAssets{};
  Form.Assets.Graphics = std::move(graphics);
}

std::vector<std::string> EveryFile() {
  GameAssets names;
  std::vector<std::string> files{TitlePictureName, PaletteSourceName};
  for (const auto& plan : {GamePictures(names, GameSceneryLayout()), SightPictures(names), ScreenPictures(names)})
    for (const PictureLoad& load : plan) files.push_back(load.FileName);
  for (const SoundLoad& load : GameSounds(names)) files.push_back(load.FileName);
  return files;
}

void LoadAssets_Ours(benchmark::State& state) {
  static bench::BenchGame game(false);
  for (auto _ : state) {
    state.PauseTiming();
    Unload(*game.form);
    state.ResumeTiming();
    game.form->LoadAssets();
  }
}
BENCHMARK(LoadAssets_Ours)->Name("LoadAssets/Ours")->Unit(benchmark::kMillisecond);

void LoadAssets_ReadBytes(benchmark::State& state) {
  std::filesystem::current_path(GAME_DIR);
  const std::vector<std::string> files = EveryFile();
  for (auto _ : state) {
    std::vector<std::vector<char>> contents;
    for (const std::string& file : files) {
      std::ifstream in(HostPath(file), std::ios::binary | std::ios::ate);
      std::vector<char>& bytes = contents.emplace_back(static_cast<std::size_t>(in.tellg()));
      in.seekg(0);
      in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    benchmark::DoNotOptimize(contents);
  }
}
BENCHMARK(LoadAssets_ReadBytes)->Name("LoadAssets/ReadBytes")->Unit(benchmark::kMillisecond);

}  // namespace
