#include "ScriptRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace game_test {
namespace {

std::string ReadText(const std::filesystem::path& File) {
  std::ifstream in(File);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

RunResult RunScript(const GameFolder& Folder, const std::string& Script, const std::string& Arguments) {
  std::ofstream(Folder.File("script.txt")) << Script;
  const std::string command =
      "cd '" + Folder.Path().string() + "' && '" GAME_DIR "/veltranzik-script' " + Arguments + " >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(Folder.File("out.txt")),
          ReadText(Folder.File("err.txt"))};
}

}  // namespace game_test
