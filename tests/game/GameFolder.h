#pragma once
// A working folder of its own for a test of the game: the generated data folders linked in, less
// any files a test wants missing, and the game's own files read and written there.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace game_test {

class GameFolder {
 public:
  // Names as the game writes them ("ani2\flieger.bmp"); those files are left out.
  explicit GameFolder(const std::vector<std::string>& Missing = {});
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;
  ~GameFolder();

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path File(const std::string& Name) const { return path_ / Name; }
  bool Exists(const std::string& Name) const { return std::filesystem::exists(File(Name)); }
  std::vector<std::uint8_t> Read(const std::string& Name) const;
  void Write(const std::string& Name, const std::vector<std::uint8_t>& Bytes) const;
  // A state file of the runner as its keys and values.
  std::map<std::string, std::string> State(const std::string& Name) const;

 private:
  std::filesystem::path path_;
};

// Makes the folder the working directory for as long as it lives.
class InFolder {
 public:
  explicit InFolder(const GameFolder& Folder);
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;
  ~InFolder();

 private:
  std::filesystem::path previous_;
};

}  // namespace game_test
