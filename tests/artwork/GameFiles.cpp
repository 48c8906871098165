#include "GameFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace game_files {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& game_name) {
  std::ifstream in(PathOf(game_name), std::ios::binary);
  EXPECT_TRUE(in) << game_name << " is missing";
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::string Id(const std::vector<std::uint8_t>& b, std::size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

void Add(std::vector<std::string>& to, const std::vector<std::string>& more) { to.insert(to.end(), more.begin(), more.end()); }

}  // namespace

std::filesystem::path DataFolder() { return GAME_DATA_DIR; }

std::filesystem::path PathOf(const std::string& game_name) {
  std::string relative = game_name;
  for (char& c : relative)
    if (c == '\\') c = '/';
  return DataFolder() / relative;
}

const std::vector<SceneryItem>& Scenery() {
  static const std::vector<SceneryItem> items = {
      {1, 1, 2900, -3}, {1, 2, 1330, 351}, {1, 3, 400, 147}, {1, 4, 2100, -3}, {1, 5, 900, -3}, {2, 1, 0, 369},
      {2, 2, 1590, 316}, {2, 3, 2280, 209}, {2, 4, 2929, 264}, {3, 1, 0, -3}, {3, 2, 697, 260}, {3, 3, 1516, 365},
      {3, 4, 2217, -3}, {4, 1, 0, 141}, {4, 2, 1307, 240}, {4, 3, 2757, 200}, {5, 1, -200, -3}, {5, 2, 2962, -3}};
  return items;
}

std::vector<std::string> StorkPictures() {
  std::vector<std::string> names;
  for (const char* size : {"s_", "m_", "b_"})
    for (const char* direction : {"", "r"}) {
      for (int frame = 0; frame <= 9; ++frame)
        names.push_back(std::string("animf\\") + size + std::to_string(frame) + direction + ".bmp");
      for (int frame = 1; frame <= 6; ++frame)
        names.push_back(std::string("animf\\f") + size + std::to_string(frame) + direction + ".bmp");
    }
  return names;
}

std::vector<std::string> GroundFigurePictures() {
  std::vector<std::string> names;
  const std::pair<const char*, int> kinds[] = {{"g1_", 13}, {"g2_", 4}, {"g3_", 9}};
  for (const auto& [prefix, count] : kinds)
    for (int frame = 1; frame <= count; ++frame) names.push_back(std::string("ani2\\") + prefix + std::to_string(frame) + ".bmp");
  return names;
}

std::vector<std::string> PlanePictures() {
  std::vector<std::string> names = {"ani2\\flieger.bmp", "ani2\\rflieger.bmp"};
  for (int frame = 1; frame <= 9; ++frame) {
    names.push_back("ani2\\banner" + std::to_string(frame) + ".bmp");
    names.push_back("ani2\\rbanner" + std::to_string(frame) + ".bmp");
  }
  return names;
}

std::vector<std::string> NumberPictures() {
  std::vector<std::string> names;
  for (int n = 0; n <= 11; ++n) names.push_back("cdu\\" + std::to_string(n) + ".bmp");
  return names;
}

std::vector<std::string> CartridgePictures() {
  std::vector<std::string> names = {"cdu\\patron.bmp"};
  for (int step = 1; step <= 8; ++step) names.push_back("cdu\\p_" + std::to_string(step) + ".bmp");
  return names;
}

std::vector<std::string> StartScreenPictures() { return {"start\\logo.bmp", "start\\emblem.bmp", "start\\back.bmp"}; }

std::vector<std::string> KeyedPictures() {
  std::vector<std::string> names = StorkPictures();
  Add(names, GroundFigurePictures());
  Add(names, PlanePictures());
  for (const SceneryItem& s : Scenery()) names.push_back("cdu\\" + s.Name());
  Add(names, NumberPictures());
  Add(names, CartridgePictures());
  Add(names, {"cdu\\kalib.bmp", "cdu\\akalib1.bmp", "cdu\\akalib2.bmp", "cdu\\akalib3.bmp", "cdu\\high.bmp"});
  Add(names, StartScreenPictures());
  return names;
}

std::vector<std::string> OpaquePictures() { return {"cdu\\bpwb.bmp", "cdu\\tszs.bmp", "cdu\\weitr.bmp", "cdu\\wartn.bmp"}; }

std::vector<std::string> MaskPictures() {
  std::vector<std::string> names;
  for (const SceneryItem& s : Scenery()) names.push_back("ps\\" + s.Name());
  return names;
}

std::vector<std::string> Sounds() {
  std::vector<std::string> names = {"ps\\s2.wav"};
  for (int n = 1; n <= 15; ++n) names.push_back("ps\\hg" + std::to_string(n) + ".wav");
  Add(names, {"ps\\s4.wav", "ps\\s1.wav", "ps\\fanfar.wav", "ps\\expl.wav", "ps\\duck.wav", "ps\\time.wav", "ps\\null.wav",
              "ps\\s3.wav"});
  return names;
}

Bmp ReadBmp(const std::string& game_name) {
  const std::vector<std::uint8_t> b = ReadBytes(game_name);
  Bmp bmp;
  if (b.size() < 1078) {
    ADD_FAILURE() << game_name << ": only " << b.size() << " bytes";
    return bmp;
  }
  EXPECT_EQ(b[0], 'B') << game_name;
  EXPECT_EQ(b[1], 'M') << game_name;
  EXPECT_EQ(U32(b, 2), b.size()) << game_name << ": file size field";
  EXPECT_EQ(U32(b, 10), 1078u) << game_name << ": pixel data offset";
  EXPECT_EQ(U32(b, 14), 40u) << game_name << ": information header size";
  EXPECT_EQ(U16(b, 26), 1u) << game_name << ": planes";
  EXPECT_EQ(U16(b, 28), 8u) << game_name << ": bits per pixel";
  EXPECT_EQ(U32(b, 30), 0u) << game_name << ": compression";
  const std::uint32_t used = U32(b, 46);
  EXPECT_TRUE(used == 0 || used == 256) << game_name << ": colours used " << used;
  bmp.width = static_cast<int>(U32(b, 18));
  bmp.height = static_cast<int>(U32(b, 22));
  EXPECT_GT(bmp.width, 0) << game_name;
  EXPECT_GT(bmp.height, 0) << game_name;
  const std::size_t stride = (static_cast<std::size_t>(bmp.width) + 3) & ~std::size_t{3};
  if (bmp.width <= 0 || bmp.height <= 0 || b.size() != 1078 + stride * bmp.height) {
    ADD_FAILURE() << game_name << ": " << b.size() << " bytes do not hold " << bmp.width << " x " << bmp.height << " pixels";
    bmp.width = bmp.height = 0;
    return bmp;
  }
  for (int i = 0; i < 256; ++i) bmp.palette[i] = {b[54 + 4 * i + 2], b[54 + 4 * i + 1], b[54 + 4 * i]};
  bmp.pixels.resize(static_cast<std::size_t>(bmp.width) * bmp.height);
  for (int y = 0; y < bmp.height; ++y)
    for (int x = 0; x < bmp.width; ++x)
      bmp.pixels[static_cast<std::size_t>(y) * bmp.width + x] = b[1078 + (bmp.height - 1 - y) * stride + x];
  return bmp;
}

Wav ReadWav(const std::string& game_name) {
  const std::vector<std::uint8_t> b = ReadBytes(game_name);
  Wav wav;
  if (b.size() < 44) {
    ADD_FAILURE() << game_name << ": only " << b.size() << " bytes";
    return wav;
  }
  EXPECT_EQ(Id(b, 0), "RIFF") << game_name;
  EXPECT_EQ(U32(b, 4), b.size() - 8) << game_name << ": RIFF size";
  EXPECT_EQ(Id(b, 8), "WAVE") << game_name;
  EXPECT_EQ(Id(b, 12), "fmt ") << game_name;
  EXPECT_EQ(U32(b, 16), 16u) << game_name << ": format chunk size";
  EXPECT_EQ(U16(b, 20), 1u) << game_name << ": PCM";
  EXPECT_EQ(U16(b, 22), 1u) << game_name << ": channels";
  EXPECT_EQ(U32(b, 24), 22050u) << game_name << ": sample rate";
  EXPECT_EQ(U32(b, 28), 44100u) << game_name << ": bytes per second";
  EXPECT_EQ(U16(b, 32), 2u) << game_name << ": block align";
  EXPECT_EQ(U16(b, 34), 16u) << game_name << ": bits per sample";
  EXPECT_EQ(Id(b, 36), "data") << game_name;
  const std::uint32_t data = U32(b, 40);
  if (data != b.size() - 44 || data % 2 != 0 || data == 0) {
    ADD_FAILURE() << game_name << ": data chunk of " << data << " bytes in a file of " << b.size();
    return wav;
  }
  for (std::size_t at = 44; at < b.size(); at += 2) wav.samples.push_back(static_cast<std::int16_t>(U16(b, at)));
  return wav;
}

}  // namespace game_files
