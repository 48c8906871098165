#include "GameFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace game_test {
namespace {

namespace fs = std::filesystem;

const char* const DataFolders[] = {"cdu", "animf", "ani2", "ps"};

std::string HostName(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

}  // namespace

GameFolder::GameFolder(const std::vector<std::string>& Missing) {
  std::string pattern = (fs::temp_directory_path() / "veltranzik-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
  path_ = pattern;
  std::vector<fs::path> left;
  for (const std::string& name : Missing) left.push_back(fs::path(HostName(name)));
  // The picture plug-in, found in the working directory when it is not beside the program.
  fs::create_symlink(fs::path(GAME_DIR) / "Surfbmp.spi", path_ / "Surfbmp.spi");
  for (const char* folder : DataFolders) {
    const fs::path source = fs::path(GAME_DIR) / folder;
    const bool whole = std::none_of(left.begin(), left.end(), [&](const fs::path& p) { return *p.begin() == folder; });
    if (whole) {
      fs::create_directory_symlink(source, path_ / folder);
      continue;
    }
    fs::create_directory(path_ / folder);
    for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
      const fs::path relative = fs::path(folder) / entry.path().filename();
      if (std::find(left.begin(), left.end(), relative) == left.end())
        fs::create_symlink(entry.path(), path_ / relative);
    }
  }
}

GameFolder::~GameFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::vector<std::uint8_t> GameFolder::Read(const std::string& Name) const {
  std::ifstream in(File(Name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void GameFolder::Write(const std::string& Name, const std::vector<std::uint8_t>& Bytes) const {
  std::ofstream out(File(Name), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
}

std::map<std::string, std::string> GameFolder::State(const std::string& Name) const {
  std::map<std::string, std::string> state;
  std::ifstream in(File(Name));
  EXPECT_TRUE(in) << "no state file " << Name;
  for (std::string line; std::getline(in, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) state[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return state;
}

InFolder::InFolder(const GameFolder& Folder) : previous_(fs::current_path()) { fs::current_path(Folder.Path()); }
InFolder::~InFolder() { fs::current_path(previous_); }

}  // namespace game_test
