#pragma once
// The files the game reads, named by the game's own rules, and readers that check their format
// byte by byte, independently of the generator's writers.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace game_files {

std::filesystem::path DataFolder();
// "cdu\ts11.bmp" under the data folder.
std::filesystem::path PathOf(const std::string& game_name);

struct SceneryItem {
  int group, item, x, y;
  std::string Name() const { return "ts" + std::to_string(group) + std::to_string(item) + ".bmp"; }
};
const std::vector<SceneryItem>& Scenery();

std::vector<std::string> StorkPictures();         // flying and falling, both directions
std::vector<std::string> GroundFigurePictures();  // rising, idle, hit
std::vector<std::string> PlanePictures();         // plane and banners, both directions
std::vector<std::string> NumberPictures();        // cdu\0 .. cdu\11
std::vector<std::string> CartridgePictures();
std::vector<std::string> StartScreenPictures();
// Every picture the game copies with its bottom-left colour as the key, and those it copies whole.
std::vector<std::string> KeyedPictures();
std::vector<std::string> OpaquePictures();
std::vector<std::string> MaskPictures();
std::vector<std::string> Sounds();

struct Bmp {
  int width = 0, height = 0;
  std::array<std::array<std::uint8_t, 3>, 256> palette{};  // red, green, blue
  std::vector<std::uint8_t> pixels;                        // top row first
  std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
// Reads an uncompressed 8-bit BMP with a 40-byte header and a full colour table; any other
// layout, or sizes that do not add up, is a failed assertion.
Bmp ReadBmp(const std::string& game_name);

struct Wav {
  std::vector<std::int16_t> samples;
};
// Reads a RIFF/WAVE file of 16-bit mono PCM at 22050 Hz with a 16-byte format chunk; anything
// else, or chunk sizes that do not add up, is a failed assertion.
Wav ReadWav(const std::string& game_name);

}  // namespace game_files
