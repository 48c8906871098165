#include "Palette.h"

#include <initializer_list>
#include <vector>

namespace artwork {
namespace {

// Fills indices first..first+count-1 with colours spaced evenly along the polyline of keys.
void FillRamp(Palette& palette, int first, int count, std::initializer_list<Rgb> keys) {
  const std::vector<Rgb> k(keys);
  for (int i = 0; i < count; ++i) {
    const int segments = static_cast<int>(k.size()) - 1;
    // Integer arithmetic keeps the table identical everywhere.
    const int position = count == 1 ? 0 : i * segments * 1000 / (count - 1);
    const int segment = position / 1000 < segments ? position / 1000 : segments - 1;
    const int t = position - segment * 1000;
    const Rgb& a = k[segment];
    const Rgb& b = k[segment + 1];
    auto mix = [t](int x, int y) { return static_cast<std::uint8_t>((x * (1000 - t) + y * t + 500) / 1000); };
    palette[first + i] = {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
  }
}

void FillList(Palette& palette, int first, std::initializer_list<Rgb> colours) {
  int index = first;
  for (const Rgb& c : colours) palette[index++] = c;
}

Palette BuildPalette() {
  Palette p{};
  p[kBlack] = {0, 0, 0};
  // Greys include the exact shades the game's own text drawing asks for (17, 34, 102, 255).
  int index = 1;
  for (int v : {17, 26, 34, 44, 54, 64, 74, 85, 96, 102, 112, 124, 136, 148, 160, 172, 184, 196, 207, 218, 228, 238,
                247, 255}) {
    const auto u = static_cast<std::uint8_t>(v);
    p[index++] = {u, u, u};
  }
  FillList(p, 25, {{250, 248, 240}, {240, 236, 224}, {226, 221, 208}, {206, 200, 188},
                   {236, 242, 250}, {218, 228, 240}, {194, 206, 224}, {166, 180, 202}});
  FillRamp(p, 33, 24, {{28, 74, 160}, {52, 112, 196}, {92, 154, 222}, {146, 194, 236}, {204, 228, 244}});
  FillRamp(p, 57, 6, {{72, 98, 132}, {112, 138, 162}, {158, 178, 192}});
  FillRamp(p, 63, 6, {{86, 118, 104}, {124, 150, 124}, {168, 186, 156}});
  FillRamp(p, 69, 24, {{20, 38, 10}, {46, 80, 18}, {88, 134, 32}, {142, 184, 56}, {204, 226, 112}});
  FillRamp(p, 93, 24, {{10, 28, 18}, {26, 60, 36}, {46, 96, 52}, {80, 136, 76}, {132, 180, 116}, {186, 214, 168}});
  FillRamp(p, 117, 15, {{34, 20, 10}, {74, 44, 22}, {120, 78, 40}, {166, 122, 72}, {214, 180, 126}});
  p[kMaskBackground] = {0, 255, 255};
  FillRamp(p, 133, 10, {{28, 24, 22}, {58, 50, 46}, {98, 88, 80}, {148, 138, 126}, {192, 184, 172}});
  FillRamp(p, 143, 10, {{110, 52, 56}, {184, 96, 100}, {232, 146, 146}, {250, 204, 190}});
  FillRamp(p, 153, 12, {{66, 8, 8}, {138, 18, 14}, {196, 34, 24}, {232, 60, 40}, {250, 114, 84}});
  FillList(p, 165, {{196, 88, 20}, {228, 120, 30}, {244, 152, 50}, {250, 184, 92}, {252, 212, 152}});
  // A loud colour that no picture shows: a transparency mistake is seen at once.
  p[kTransparent] = {255, 0, 255};
  // Yellows include the exact colours of the game's own glowing and promotional text.
  FillList(p, 171, {{255, 255, 0}, {255, 255, 119}, {255, 255, 187}, {170, 170, 0}, {85, 85, 0}});
  FillRamp(p, 176, 15, {{84, 56, 10}, {148, 104, 20}, {200, 150, 30}, {236, 196, 52}, {250, 226, 104}, {255, 246, 176}});
  FillRamp(p, 191, 6, {{56, 22, 70}, {108, 52, 128}, {160, 104, 190}, {206, 168, 226}});
  FillRamp(p, 197, 6, {{120, 24, 72}, {190, 60, 120}, {232, 122, 170}, {246, 186, 212}});
  FillRamp(p, 203, 14, {{8, 16, 54}, {18, 42, 116}, {36, 78, 178}, {78, 128, 230}, {150, 188, 250}});
  FillRamp(p, 217, 4, {{20, 90, 100}, {40, 140, 150}, {110, 196, 200}});
  FillRamp(p, 221, 12, {{104, 92, 36}, {168, 146, 66}, {216, 194, 108}, {238, 224, 164}});
  FillRamp(p, 233, 12, {{56, 74, 36}, {98, 118, 66}, {140, 160, 108}, {178, 196, 150}});
  FillList(p, 245, {{8, 12, 24}, {12, 22, 12}, {24, 14, 8}, {36, 36, 58}, {58, 38, 28}, {30, 44, 70},
                    {52, 64, 96}, {84, 96, 128}, {120, 112, 100}, {176, 164, 148}, {255, 252, 236}});
  return p;
}

}  // namespace

const Palette& GamePalette() {
  static const Palette palette = BuildPalette();
  return palette;
}

}  // namespace artwork
