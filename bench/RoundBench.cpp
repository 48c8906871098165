// A frame of a busy round (every landscape picture, 28 storks, 7 ground figures, the plane with its
// banner and the heads-up display) drawn and shown through the palette, beside one opaque
// full-screen copy; and a whole scripted 90-second round through veltranzik-script beside as many
// shown frames of an empty back buffer.

#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "BenchGame.h"

namespace {

bench::BenchGame& BusyGame() {
  static bench::BenchGame game(true);
  static const bool filled = (bench::FillTheSky(*game.form), true);
  (void)filled;
  return game;
}

void BusyFrame_Ours(benchmark::State& state) {
  TForm1& form = *BusyGame().form;
  for (auto _ : state) {
    form.RenderFrame();
    form.Assets.BackBuffer->Flip();
  }
}
BENCHMARK(BusyFrame_Ours)->Name("BusyFrame/Ours");

void BusyFrame_OpaqueBlit(benchmark::State& state) {
  TForm1& form = *BusyGame().form;
  IDirectDrawSurface3* back = form.Assets.BackBuffer->GetSurface();
  IDirectDrawSurface3* title = form.Assets.TitlePicture->GetSurface();
  for (auto _ : state) back->BltFast(0, 0, title, nullptr, DDBLTFAST_WAIT);
}
BENCHMARK(BusyFrame_OpaqueBlit)->Name("BusyFrame/OpaqueBlit");

// The whole round: the runner's start-up, the loading, the title, 90 game seconds and the table.
constexpr const char* RoundScript = R"(10 control eName text Bench
20 key down 13
1000 key down 32
103000 state round-state.txt
103100 end
)";

std::map<std::string, std::string> ReadState(const std::string& File) {
  std::map<std::string, std::string> state;
  std::ifstream in(File);
  for (std::string line; std::getline(in, line);)
    if (const std::size_t equals = line.find('='); equals != std::string::npos)
      state[line.substr(0, equals)] = line.substr(equals + 1);
  return state;
}

std::string WorkFolder() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "veltranzik-round-bench";
  std::filesystem::create_directories(folder);
  for (const char* data : {"cdu", "animf", "ani2", "ps"})
    if (!std::filesystem::exists(folder / data))
      std::filesystem::create_directory_symlink(std::filesystem::path(GAME_DIR) / data, folder / data);
  std::ofstream(folder / "round.txt") << RoundScript;
  return folder.string();
}

void ScriptedRound_Ours(benchmark::State& state) {
  const std::string folder = WorkFolder();
  const std::string command = "cd '" + folder + "' && '" GAME_DIR "/veltranzik-script' round.txt --seed 5";
  for (auto _ : state) {
    const int status = std::system(command.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the runner failed");
  }
  state.counters["frames"] = std::stod(ReadState(folder + "/round-state.txt")["frames"]);
}
BENCHMARK(ScriptedRound_Ours)->Name("ScriptedRound/Ours")->Unit(benchmark::kMillisecond);

void ScriptedRound_BareFlips(benchmark::State& state) {
  const std::string folder = WorkFolder();
  const std::string command = "cd '" + folder + "' && '" GAME_DIR "/veltranzik-script' round.txt --seed 5 >/dev/null";
  if (!std::filesystem::exists(folder + "/round-state.txt")) std::system(command.c_str());
  const int frames = std::stoi(ReadState(folder + "/round-state.txt")["frames"]);
  TVXGBackBuffer& back = *BusyGame().form->Assets.BackBuffer;
  back.ColorFill(nullptr, 0);
  for (auto _ : state)
    for (int frame = 0; frame < frames; ++frame) back.Flip();
  state.counters["frames"] = frames;
}
BENCHMARK(ScriptedRound_BareFlips)->Name("ScriptedRound/BareFlips")->Unit(benchmark::kMillisecond);

}  // namespace
