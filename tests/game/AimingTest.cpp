// End to end: with a fixed seed a round runs the same way every time, so a first run can show
// where the storks fly and a second run, clicking at the same moments, shoots them there. Where to
// click is read from the state dumps and from the storks' own pictures in the game data.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "ScriptRun.h"
#include "game/rules/GameState.h"
#include "game/rules/RoundRules.h"
#include "game/rules/Targets.h"

namespace game_test {
namespace {

constexpr std::uint8_t Transparent = 170;
constexpr std::uint8_t MaskBackground = 132;

// A picture of the game data as palette indices, as the 8-bit display keeps them.
class IndexedPicture {
 public:
  IndexedPicture(const GameFolder& Folder, const std::string& Name) : bytes_(Folder.Read(Name)) {
    if (bytes_.size() < 54 || bytes_[0] != 'B' || bytes_[1] != 'M' || Field(28, 2) != 8 || Field(30, 4) != 0) {
      ADD_FAILURE() << Name << " is not an uncompressed 8-bit BMP";
      return;
    }
    offset_ = Field(10, 4);
    width_ = static_cast<std::int32_t>(Field(18, 4));
    height_ = static_cast<std::int32_t>(Field(22, 4));
    topDown_ = height_ < 0;
    height_ = std::abs(height_);
    stride_ = (width_ + 3) / 4 * 4;
    if (bytes_.size() < offset_ + static_cast<std::size_t>(stride_) * height_) {
      ADD_FAILURE() << Name << " ends early";
      width_ = height_ = 0;
    }
  }

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  bool Contains(std::int32_t X, std::int32_t Y) const { return X >= 0 && X < width_ && Y >= 0 && Y < height_; }
  std::uint8_t At(std::int32_t X, std::int32_t Y) const {
    const std::int32_t row = topDown_ ? Y : height_ - 1 - Y;
    return bytes_[offset_ + static_cast<std::size_t>(row) * stride_ + static_cast<std::size_t>(X)];
  }

 private:
  std::uint32_t Field(std::size_t At, int Bytes) const {
    std::uint32_t value = 0;
    for (int i = Bytes - 1; i >= 0; --i) value = value << 8 | bytes_[At + static_cast<std::size_t>(i)];
    return value;
  }

  std::vector<std::uint8_t> bytes_;
  std::size_t offset_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::int32_t stride_ = 0;
  bool topDown_ = false;
};

class Pictures {
 public:
  explicit Pictures(const GameFolder& Folder) : folder_(Folder) {}
  const IndexedPicture& operator[](const std::string& Name) {
    auto found = loaded_.find(Name);
    if (found == loaded_.end()) found = loaded_.emplace(Name, IndexedPicture(folder_, Name)).first;
    return found->second;
  }

 private:
  const GameFolder& folder_;
  std::map<std::string, IndexedPicture> loaded_;
};

struct Box {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t W = 0;
  std::int32_t H = 0;
  bool Near(const Box& Other, std::int32_t Margin) const {
    return X < Other.X + Other.W + Margin && Other.X < X + W + Margin && Y < Other.Y + Other.H + Margin &&
           Other.Y < Y + H + Margin;
  }
};

// A line "storkSLOT=kind direction shown_frame screen_x screen_y" of a state dump.
struct FlyingStork {
  int Slot = 0;
  std::int32_t Kind = 0;
  std::int32_t Direction = 0;
  std::int32_t Frame = 0;
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::string Line;
};

bool NumberedKey(const std::string& Key, const std::string& Prefix, int& Number) {
  if (!Key.starts_with(Prefix) || Key.size() == Prefix.size()) return false;
  const std::string digits = Key.substr(Prefix.size());
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  Number = std::stoi(digits);
  return true;
}

using State = std::map<std::string, std::string>;

std::vector<FlyingStork> FlyingStorks(const State& Dump) {
  std::vector<FlyingStork> storks;
  for (const auto& [key, value] : Dump) {
    FlyingStork stork;
    if (!NumberedKey(key, "stork", stork.Slot)) continue;
    std::istringstream(value) >> stork.Kind >> stork.Direction >> stork.Frame >> stork.X >> stork.Y;
    stork.Line = value;
    storks.push_back(stork);
  }
  return storks;
}

std::string StorkPictureName(const FlyingStork& Stork) {
  static const char* const Prefixes[] = {"s_", "m_", "b_"};
  return std::string("animf/") + Prefixes[Stork.Kind - 1] + std::to_string(Stork.Frame) +
         (Stork.Direction == 1 ? "r" : "") + ".bmp";
}

// What else stands in the view: the other storks, the ground figures, the plane and its banner.
std::vector<Box> OtherBoxes(const State& Dump, int Slot, Pictures& Pictures) {
  std::vector<Box> boxes;
  for (const FlyingStork& stork : FlyingStorks(Dump)) {
    if (stork.Slot == Slot) continue;
    const IndexedPicture& picture = Pictures[StorkPictureName(stork)];
    boxes.push_back({stork.X, stork.Y, picture.Width(), picture.Height()});
  }
  for (const auto& [key, value] : Dump) {
    int slot = 0;
    if (NumberedKey(key, "figure", slot)) {
      std::int32_t state = 0, frame = 0, x = 0;
      std::istringstream(value) >> state >> frame >> x;
      const char* set = state == 2 ? "g2_" : state == 3 ? "g3_" : "g1_";
      if (state == 5) continue;
      const IndexedPicture& picture = Pictures[std::string("ani2/") + set + std::to_string(frame) + ".bmp"];
      boxes.push_back({x, 200, picture.Width(), picture.Height()});
    } else if (key == "plane_box" || key == "banner_box") {
      Box box;
      std::istringstream(value) >> box.X >> box.Y >> box.W >> box.H;
      boxes.push_back(box);
    }
  }
  return boxes;
}

// The landscape's mask pictures where a view puts them.
class Landscape {
 public:
  Landscape(Pictures& Pictures, std::int32_t Camera) {
    const SceneryLayout layout = GameSceneryLayout();
    for (std::int32_t group = 1; group <= 5; ++group)
      for (std::int32_t item = 1; item <= layout.Count[static_cast<std::size_t>(group - 1)]; ++item) {
        const SceneryPlace& place =
            layout.Places[static_cast<std::size_t>(group - 1)][static_cast<std::size_t>(item - 1)];
        const std::int32_t layer = 6 - group;
        const ScreenPoint at = SceneryOnScreen(layer, place, Camera);
        items_.push_back(
            {layer, at.X, at.Y, &Pictures["ps/ts" + std::to_string(group) + std::to_string(item) + ".bmp"]});
      }
  }

  // Whether a mask picture nearer than Layer puts background over the screen point.
  bool Hides(std::int32_t Layer, std::int32_t X, std::int32_t Y) const {
    for (const Item& item : items_)
      if (item.Layer > Layer && item.Mask->Contains(X - item.Left, Y - item.Top) &&
          item.Mask->At(X - item.Left, Y - item.Top) == MaskBackground)
        return true;
    return false;
  }

 private:
  struct Item {
    std::int32_t Layer;
    std::int32_t Left;
    std::int32_t Top;
    const IndexedPicture* Mask;
  };
  std::vector<Item> items_;
};

struct Aim {
  int Time = 0;
  FlyingStork Stork;
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// A stork whose whole picture is on the screen, clear of everything else, with a point that shows
// in the three rows a shot probes and that no nearer landscape hides.
std::optional<Aim> AimAt(const State& Dump, const FlyingStork& Stork, Pictures& Pictures) {
  const IndexedPicture& picture = Pictures[StorkPictureName(Stork)];
  const Box box{Stork.X, Stork.Y, picture.Width(), picture.Height()};
  if (box.X < 0 || box.Y < 0 || box.X + box.W > 640 || box.Y + box.H > 480) return std::nullopt;
  for (const Box& other : OtherBoxes(Dump, Stork.Slot, Pictures))
    if (box.Near(other, 4)) return std::nullopt;
  const Landscape landscape(Pictures, static_cast<std::int32_t>(std::lrint(std::stod(Dump.at("camera_x")))));
  for (std::int32_t y = box.H / 2, step = 0; y >= 2 && y < box.H - 2; y += (++step % 2 ? step : -step))
    for (std::int32_t x = 1; x < box.W - 1; ++x) {
      const auto open = [&](std::int32_t Row) {
        return picture.At(x, Row) != Transparent && !landscape.Hides(Stork.Kind, box.X + x, box.Y + Row);
      };
      if (open(y - 1) && open(y) && open(y + 1)) return Aim{0, Stork, box.X + x, box.Y + y};
    }
  return std::nullopt;
}

std::int32_t PointsFor(std::int32_t Kind) { return Kind == 1 ? 25 : Kind == 2 ? 10 : 5; }

const std::string StartRound = R"(10 control eName text Anna
20 key down 13
30 key up 13
1000 key down 32
1010 key up 32
)";

TEST(Aiming, StorksShotWhereAFirstRunSawThemScoreByTheirSize) {
  std::vector<int> moments;
  for (int time = 4000; time <= 32000; time += 500) moments.push_back(time);
  const GameFolder folder;
  std::string look = StartRound;
  for (const int time : moments) look += std::to_string(time) + " state look" + std::to_string(time) + ".txt\n";
  look += "32100 end\n";
  const RunResult first = RunScript(folder, look);
  ASSERT_EQ(first.Status, 0) << first.Err;

  // One stork of each size, each at a moment of its own.
  Pictures pictures(folder);
  std::vector<Aim> aims;
  std::set<std::int32_t> kinds;
  std::set<int> slots;
  for (const int time : moments) {
    const State dump = folder.State("look" + std::to_string(time) + ".txt");
    ASSERT_EQ(dump.at("phase"), "0");
    for (const FlyingStork& stork : FlyingStorks(dump)) {
      if (kinds.contains(stork.Kind) || slots.contains(stork.Slot)) continue;
      if (std::optional<Aim> aim = AimAt(dump, stork, pictures)) {
        aim->Time = time;
        aims.push_back(*aim);
        kinds.insert(stork.Kind);
        slots.insert(stork.Slot);
        break;
      }
    }
    if (kinds.size() == 3) break;
  }
  ASSERT_EQ(aims.size(), 3u) << "a stork of every size to shoot at";

  std::string shoot = StartRound;
  for (const Aim& aim : aims) {
    const std::string time = std::to_string(aim.Time);
    shoot += time + " state before" + time + ".txt\n";
    shoot += time + " press left " + std::to_string(aim.X) + ' ' + std::to_string(aim.Y) + '\n';
    shoot += time + " state after" + time + ".txt\n";
  }
  shoot += std::to_string(aims.back().Time + 100) + " end\n";
  const RunResult second = RunScript(folder, shoot);
  ASSERT_EQ(second.Status, 0) << second.Err;

  std::int32_t score = 0;
  int shots = 0;
  for (const Aim& aim : aims) {
    const std::string time = std::to_string(aim.Time);
    SCOPED_TRACE("kind " + std::to_string(aim.Stork.Kind) + " at " + time + " ms");
    const State before = folder.State("before" + time + ".txt");
    const State after = folder.State("after" + time + ".txt");
    const std::vector<FlyingStork> flying = FlyingStorks(before);
    ASSERT_TRUE(std::any_of(flying.begin(), flying.end(), [&](const FlyingStork& s) {
      return s.Line == aim.Stork.Line;
    })) << "the second run flies as the first did";
    EXPECT_EQ(std::stoi(before.at("score")), score);
    score += PointsFor(aim.Stork.Kind);
    ++shots;
    EXPECT_EQ(std::stoi(after.at("score")), score);
    EXPECT_EQ(std::stoi(after.at("storks_falling")), std::stoi(before.at("storks_falling")) + 1);
    EXPECT_EQ(std::stoi(after.at("storks_flying")), std::stoi(before.at("storks_flying")) - 1);
    EXPECT_EQ(std::stoi(after.at("cartridges")), 8 - shots);
    const std::vector<FlyingStork> still = FlyingStorks(after);
    EXPECT_TRUE(std::none_of(still.begin(), still.end(), [&](const FlyingStork& s) {
      return s.Line == aim.Stork.Line;
    })) << "the stork fell";
  }
  EXPECT_EQ(score, 40);
}

}  // namespace
}  // namespace game_test
