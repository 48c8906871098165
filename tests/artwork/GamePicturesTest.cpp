// The rules every picture of the game data keeps, checked on the generated files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>

#include "GameFiles.h"

namespace game_files {
namespace {

constexpr std::uint8_t kMask = 132;
constexpr std::uint8_t kKey = 170;

std::vector<std::string> AllPictures() {
  std::vector<std::string> names = KeyedPictures();
  for (const auto& more : {OpaquePictures(), MaskPictures()}) names.insert(names.end(), more.begin(), more.end());
  return names;
}

std::set<std::uint8_t> IndicesIn(const Bmp& bmp) { return {bmp.pixels.begin(), bmp.pixels.end()}; }

// The middle of the box round every pixel that is not the key.
std::pair<double, double> InkCentre(const Bmp& bmp) {
  int left = bmp.width, right = -1, top = bmp.height, bottom = -1;
  for (int y = 0; y < bmp.height; ++y)
    for (int x = 0; x < bmp.width; ++x)
      if (bmp.at(x, y) != kKey) {
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      }
  return {(left + right) / 2.0, (top + bottom) / 2.0};
}

TEST(GamePictures, EveryPictureIsAnUncompressed8BitBmpInTheGamePalette) {
  const Bmp source = ReadBmp("cdu\\tszs.bmp");
  for (const std::string& name : AllPictures()) {
    const Bmp bmp = ReadBmp(name);
    EXPECT_EQ(bmp.palette, source.palette) << name << " has a palette of its own";
  }
}

TEST(GamePictures, ThePaletteKeepsItsSpecialEntries) {
  const auto palette = ReadBmp("cdu\\tszs.bmp").palette;
  EXPECT_EQ(palette[0], (std::array<std::uint8_t, 3>{0, 0, 0}));
  // The transparent colour is loud and unlike any other entry, so that a mistake shows at once;
  // the mask colour is told apart from everything else.
  for (int i = 0; i < 256; ++i) {
    if (i == kKey) continue;
    int distance = 0;
    for (int c = 0; c < 3; ++c) distance += std::abs(palette[i][c] - palette[kKey][c]);
    EXPECT_GE(distance, 150) << "palette entry " << i << " looks like the transparent colour";
    if (i != kMask) {
      EXPECT_NE(palette[i], palette[kMask]) << "palette entry " << i << " is the mask colour";
    }
  }
  const auto& key = palette[kKey];
  EXPECT_GE(std::max({key[0], key[1], key[2]}) - std::min({key[0], key[1], key[2]}), 200) << "not a loud colour";
}

TEST(GamePictures, KeyedPicturesAreTransparentAtTheBottomLeft) {
  for (const std::string& name : KeyedPictures()) {
    const Bmp bmp = ReadBmp(name);
    if (bmp.height == 0) continue;
    EXPECT_EQ(bmp.at(0, bmp.height - 1), kKey) << name;
  }
}

TEST(GamePictures, PicturesCopiedWholeNeverShowTheTransparentColour) {
  for (const std::string& name : OpaquePictures()) EXPECT_EQ(IndicesIn(ReadBmp(name)).count(kKey), 0u) << name;
}

TEST(GamePictures, OnlyHitMasksUseTheMaskColour) {
  for (const std::string& name : KeyedPictures()) EXPECT_EQ(IndicesIn(ReadBmp(name)).count(kMask), 0u) << name;
  for (const std::string& name : OpaquePictures()) EXPECT_EQ(IndicesIn(ReadBmp(name)).count(kMask), 0u) << name;
}

TEST(GamePictures, HitMasksHaveTheOutlineOfTheirScenery) {
  for (const SceneryItem& item : Scenery()) {
    const Bmp scenery = ReadBmp("cdu\\" + item.Name());
    const Bmp mask = ReadBmp("ps\\" + item.Name());
    ASSERT_EQ(mask.width, scenery.width) << item.Name();
    ASSERT_EQ(mask.height, scenery.height) << item.Name();
    EXPECT_EQ(IndicesIn(mask), (std::set<std::uint8_t>{kMask, kKey})) << item.Name();
    int different = 0;
    for (std::size_t i = 0; i < mask.pixels.size(); ++i)
      different += (mask.pixels[i] == kMask) != (scenery.pixels[i] != kKey);
    EXPECT_EQ(different, 0) << item.Name() << ": pixels where the mask does not follow the scenery";
  }
}

TEST(GamePictures, DisplayPicturesFitTheScreenLayout) {
  // Digits stand 33 pixels apart and share one height.
  std::set<int> heights;
  for (const std::string& name : NumberPictures()) {
    const Bmp bmp = ReadBmp(name);
    EXPECT_LE(bmp.width, 33) << name;
    heights.insert(bmp.height);
  }
  EXPECT_EQ(heights.size(), 1u) << "number pictures of different heights";
  // The crosshair is drawn 16 pixels up and left of the aim; the aim marks 8, 11 and 25.
  const Bmp crosshair = ReadBmp("cdu\\kalib.bmp");
  EXPECT_EQ(crosshair.width, 32);
  EXPECT_EQ(crosshair.height, 32);
  EXPECT_EQ(InkCentre(crosshair), (std::pair<double, double>{16, 16}));
  const int sizes[] = {16, 22, 50};
  for (int k = 1; k <= 3; ++k) {
    const Bmp mark = ReadBmp("cdu\\akalib" + std::to_string(k) + ".bmp");
    EXPECT_EQ(mark.width, sizes[k - 1]) << k;
    EXPECT_EQ(mark.height, sizes[k - 1]) << k;
    EXPECT_EQ(InkCentre(mark), (std::pair<double, double>{sizes[k - 1] / 2, sizes[k - 1] / 2})) << k;
  }
  // Cartridge icons stand 30 apart on row 420, down to the screen's foot.
  for (const std::string& name : CartridgePictures()) {
    const Bmp bmp = ReadBmp(name);
    EXPECT_LE(bmp.width, 30) << name;
    EXPECT_LE(420 + bmp.height, 480) << name;
  }
  EXPECT_EQ(ReadBmp("cdu\\bpwb.bmp").width, 640);
  EXPECT_EQ(ReadBmp("cdu\\bpwb.bmp").height, 480);
  // The prompts are copied to (9, 440), the heading to (150, 30) above the first table row at 100.
  for (const char* prompt : {"cdu\\weitr.bmp", "cdu\\wartn.bmp"}) {
    const Bmp bmp = ReadBmp(prompt);
    EXPECT_LE(9 + bmp.width, 640) << prompt;
    EXPECT_LE(440 + bmp.height, 480) << prompt;
  }
  const Bmp heading = ReadBmp("cdu\\high.bmp");
  EXPECT_LE(30 + heading.height, 100);
  EXPECT_LE(150 + heading.width, 640);
  const Bmp back = ReadBmp("start\\back.bmp");
  EXPECT_EQ(back.width, 641);
  EXPECT_EQ(back.height, 477);
}

TEST(GamePictures, TargetsKeepOneSizePerAnimation) {
  // A target's box does not change while it animates, and a banner trails 200 pixels behind a
  // plane flying right: the plane is at most 120 wide, a banner at most 190.
  std::map<std::string, std::pair<int, int>> sizes;
  auto family = [](const std::string& name) {
    std::string f;
    for (char c : name)
      if (!std::isdigit(static_cast<unsigned char>(c)) && c != 'r' && c != '.') f += c;
    return f;
  };
  std::vector<std::string> targets = StorkPictures();
  for (const auto& more : {GroundFigurePictures(), PlanePictures()}) targets.insert(targets.end(), more.begin(), more.end());
  for (const std::string& name : targets) {
    const Bmp bmp = ReadBmp(name);
    const auto [it, inserted] = sizes.emplace(family(name), std::pair{bmp.width, bmp.height});
    if (!inserted) {
      EXPECT_EQ(it->second, (std::pair{bmp.width, bmp.height})) << name;
    }
  }
  EXPECT_LE(ReadBmp("ani2\\flieger.bmp").width, 120);
  EXPECT_LE(ReadBmp("ani2\\banner1.bmp").width, 190);
  // Nearer storks are larger.
  EXPECT_LT(ReadBmp("animf\\s_0.bmp").width, ReadBmp("animf\\m_0.bmp").width);
  EXPECT_LT(ReadBmp("animf\\m_0.bmp").width, ReadBmp("animf\\b_0.bmp").width);
}

// The two far items move at a fifth of the scroll and are the only thing behind everything else:
// together they must cover the screen at every view position the scrolling can reach.
TEST(GamePictures, FarthestSceneryCoversTheScreenAtEveryViewPosition) {
  struct Far {
    int x, y;
    Bmp bmp;
    std::vector<std::vector<std::pair<int, int>>> runs;  // opaque column runs per row
  };
  std::vector<Far> far;
  for (const SceneryItem& item : Scenery()) {
    if (item.group != 5) continue;
    Far f{item.x, item.y, ReadBmp("cdu\\" + item.Name()), {}};
    for (int y = 0; y < f.bmp.height; ++y) {
      f.runs.emplace_back();
      for (int x = 0; x < f.bmp.width; ++x) {
        if (f.bmp.at(x, y) == kKey) continue;
        if (!f.runs.back().empty() && f.runs.back().back().second == x) ++f.runs.back().back().second;
        else f.runs.back().push_back({x, x + 1});
      }
    }
    far.push_back(std::move(f));
  }
  ASSERT_EQ(far.size(), 2u);
  std::set<std::pair<int, int>> checked;
  for (int camera = -20; camera <= 2580; ++camera) {
    int left[2];
    for (int k = 0; k < 2; ++k) left[k] = static_cast<int>(std::nearbyint((far[k].x - camera) / 5.0)) - 2;
    if (!checked.insert({left[0], left[1]}).second) continue;
    for (int row = 0; row < 480; ++row) {
      std::vector<std::pair<int, int>> spans;
      for (int k = 0; k < 2; ++k) {
        const int picture_row = row - (far[k].y + 2);
        if (picture_row < 0 || picture_row >= far[k].bmp.height) continue;
        for (const auto& [from, to] : far[k].runs[picture_row]) spans.push_back({from + left[k], to + left[k]});
      }
      std::sort(spans.begin(), spans.end());
      int covered = 0;
      for (const auto& [from, to] : spans)
        if (from <= covered) covered = std::max(covered, to);
      ASSERT_GE(covered, 640) << "camera " << camera << ", row " << row << " uncovered from column " << covered;
    }
  }
}

}  // namespace
}  // namespace game_files
