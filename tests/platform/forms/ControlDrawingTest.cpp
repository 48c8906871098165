// What the controls look like in the picture of the form's window: button bevels and frames,
// disabled text, the check box's tick and transparent pictures.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "ControlsTestSupport.h"

namespace controls_test {
namespace {

TEST_F(ControlsTest, ButtonsShowBevelsTheDefaultFrameTheFocusAndThePress) {
  const std::uint32_t face = platform::PixelOf(clBtnFace);
  const std::uint32_t white = platform::PixelOf(clWhite);
  const std::uint32_t black = platform::PixelOf(clBlack);
  auto& memo = Place<TMemo>(form, "memo", 10, 80, 100, 22);
  auto& plain = Place<TButton>(form, "plain", 10, 10, 100, 40);
  plain.SetCaption("OK");
  Seen plainSeen{plain};
  auto& chosen = Place<TButton>(form, "chosen", 150, 10, 100, 40);
  chosen.SetCaption("Start");
  chosen.SetDefault(true);
  memo.SetFocus();
  Pump();

  const std::int32_t w = plain.Width();
  const std::int32_t h = plain.Height();
  EXPECT_EQ(PixelAt(plain, 0, 0), white);
  EXPECT_EQ(PixelAt(plain, 0, h - 2), white);
  EXPECT_EQ(PixelAt(plain, w - 1, h - 1), black);
  EXPECT_EQ(PixelAt(plain, w - 1, 0), black);
  EXPECT_EQ(PixelAt(plain, w - 2, h - 2), platform::PixelOf(clBtnShadow));
  EXPECT_EQ(PixelAt(plain, 1, 1), platform::PixelOf(cl3DLight));
  // The default button's bevel lies inside a black frame.
  EXPECT_EQ(PixelAt(chosen, 0, 0), black);
  EXPECT_EQ(PixelAt(chosen, 1, 1), white);
  EXPECT_EQ(PixelAt(chosen, w - 1, h - 1), black);
  EXPECT_EQ(PixelAt(chosen, w - 2, h - 2), black);
  for (std::int32_t x = 4; x < w - 4; ++x) ASSERT_EQ(PixelAt(plain, x, 4), face) << x;

  // The focused button takes the frame from the default one and shows the dotted focus frame.
  Press(VK_TAB);
  ASSERT_TRUE(plain.Focused());
  EXPECT_EQ(PixelAt(chosen, 0, 0), white);
  EXPECT_EQ(PixelAt(plain, 0, 0), black);
  EXPECT_EQ(PixelAt(plain, 1, 1), white);
  const std::uint32_t dot = face ^ 0x00FFFFFFu;
  for (std::int32_t x = 4; x < w - 4; ++x) ASSERT_EQ(PixelAt(plain, x, 4), x % 2 == 0 ? dot : face) << x;
  for (std::int32_t y = 4; y < h - 4; ++y) ASSERT_EQ(PixelAt(plain, 4, y), y % 2 == 0 ? dot : face) << y;
  EXPECT_EQ(PixelAt(plain, 3, 4), face);
  EXPECT_EQ(PixelAt(plain, 5, 5), face);

  // Held down it looks pushed in; dragged off it stands out again, and let go there it is no click.
  Mouse(InputKind::MouseDown, plain, {50, 20});
  EXPECT_EQ(PixelAt(plain, 1, 1), black);
  EXPECT_EQ(PixelAt(plain, 2, 2), platform::PixelOf(clBtnShadow));
  Mouse(InputKind::MouseMove, plain, {150, 20});
  EXPECT_EQ(PixelAt(plain, 1, 1), white);
  Mouse(InputKind::MouseUp, plain, {150, 20});
  EXPECT_EQ(plainSeen.clicks, 0);
  Mouse(InputKind::MouseDown, plain, {50, 20});
  Mouse(InputKind::MouseMove, plain, {150, 20});
  Mouse(InputKind::MouseMove, plain, {60, 25});
  Mouse(InputKind::MouseUp, plain, {60, 25});
  EXPECT_EQ(plainSeen.clicks, 1);
  EXPECT_EQ(PixelAt(plain, 1, 1), white);
}

// A 24-bit BMP file of rows given top to bottom.
std::vector<std::uint8_t> BmpOf(const std::vector<std::vector<std::uint32_t>>& rows) {
  const auto height = static_cast<std::uint32_t>(rows.size());
  const auto width = static_cast<std::uint32_t>(rows[0].size());
  const std::uint32_t stride = (width * 3 + 3) & ~3u;
  std::vector<std::uint8_t> bytes;
  const auto put = [&](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  bytes.push_back('B');
  bytes.push_back('M');
  put(54 + stride * height, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(width, 4);
  put(height, 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);
  put(stride * height, 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    for (const std::uint32_t rgb : *row) put(rgb, 3);
    for (std::uint32_t pad = width * 3; pad < stride; ++pad) bytes.push_back(0);
  }
  return bytes;
}

TEST_F(ControlsTest, DisabledTextTicksAndTransparentPictures) {
  const auto channels = [](std::uint32_t pixel) {
    return std::array<std::uint32_t, 3>{pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF};
  };
  auto& label = form.Add<TLabel>("label");
  TFont font = label.Font();
  font.Size = 14;
  label.SetFont(font);
  label.SetBounds(10, 10, 0, 0);
  label.SetCaption("Gesperrt");
  Pump();
  const auto scanLabel = [&](bool& dark, bool& grey, bool& white) {
    dark = grey = white = false;
    for (std::int32_t y = 0; y < label.Height(); ++y) {
      for (std::int32_t x = 0; x < label.Width(); ++x) {
        const auto c = channels(PixelAt(label, x, y));
        if (c[0] < 0x40 && c[1] < 0x40 && c[2] < 0x40) dark = true;
        if (std::ranges::all_of(c, [](std::uint32_t v) { return v >= 0x70 && v <= 0x90; })) grey = true;
        if (std::ranges::all_of(c, [](std::uint32_t v) { return v >= 0xF0; })) white = true;
      }
    }
  };
  bool dark = false;
  bool grey = false;
  bool white = false;
  scanLabel(dark, grey, white);
  ASSERT_GT(label.Width(), 20);
  EXPECT_TRUE(dark);
  EXPECT_FALSE(white);
  label.SetEnabled(false);
  Pump();
  scanLabel(dark, grey, white);
  EXPECT_FALSE(dark);
  EXPECT_TRUE(grey);
  EXPECT_TRUE(white);

  // The tick is drawn dark inside the white square of a checked box, and only then.
  auto& check = Place<TCheckBox>(form, "check", 10, 60, 120, 17);
  check.SetCaption("Netzwerkspiel");
  const std::int32_t top = (check.Height() - 13) / 2;
  const auto countInBox = [&](std::uint32_t pixel) {
    int count = 0;
    for (std::int32_t y = top + 2; y < top + 11; ++y)
      for (std::int32_t x = 2; x < 11; ++x) count += PixelAt(check, x, y) == pixel ? 1 : 0;
    return count;
  };
  Pump();
  EXPECT_EQ(countInBox(platform::PixelOf(clWindow)), 81);
  check.SetChecked(true);
  Pump();
  const int tick = countInBox(platform::PixelOf(clWindowText));
  EXPECT_GE(tick, 10);
  EXPECT_EQ(tick + countInBox(platform::PixelOf(clWindow)), 81);

  // A transparent picture leaves out every pixel of its bottom-left colour.
  constexpr std::uint32_t red = 0xFF0000;
  constexpr std::uint32_t green = 0x00FF00;
  constexpr std::uint32_t blue = 0x0000FF;
  auto& image = Place<TImage>(form, "image", 200, 60, 3, 2);
  image.LoadPicture(BmpOf({{blue, red, blue}, {red, green, blue}}));
  ASSERT_EQ(image.Picture().Width(), 3);
  Pump();
  EXPECT_EQ(PixelAt(image, 0, 1), 0xFF000000u | red);
  EXPECT_EQ(PixelAt(image, 1, 0), 0xFF000000u | red);
  image.SetTransparent(true);
  Pump();
  const std::uint32_t background = platform::PixelOf(form.Color());
  EXPECT_EQ(PixelAt(image, 0, 1), background);
  EXPECT_EQ(PixelAt(image, 1, 0), background);
  EXPECT_EQ(PixelAt(image, 0, 0), 0xFF000000u | blue);
  EXPECT_EQ(PixelAt(image, 1, 1), 0xFF000000u | green);
  EXPECT_EQ(PixelAt(image, 2, 1), 0xFF000000u | blue);
}

}  // namespace
}  // namespace controls_test
