#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "lib/VXGGraphicsError.h"

namespace {

std::string TextOf(std::uint32_t code) { return DirectDrawErrorText(static_cast<std::int32_t>(code)); }

constexpr std::uint32_t KnownCodes[] = {
    0x00000000, 0x80004001, 0x80004005, 0x800401F0, 0x8007000E, 0x80070057, 0x88760005, 0x8876000A, 0x88760014,
    0x88760028, 0x88760037, 0x8876005A, 0x8876005F, 0x88760064, 0x8876006E, 0x88760078, 0x88760082, 0x88760091,
    0x88760096, 0x887600A0, 0x887600AA, 0x887600B4, 0x887600CD, 0x887600D2, 0x887600D4, 0x887600D7, 0x887600DC,
    0x887600E1, 0x887600E6, 0x887600F0, 0x887600FA, 0x887600FF, 0x88760104, 0x8876010E, 0x88760118, 0x88760122,
    0x88760136, 0x8876013C, 0x8876013D, 0x88760140, 0x8876014A, 0x8876014F, 0x88760154, 0x8876015E, 0x88760168,
    0x8876017E, 0x88760180, 0x88760183, 0x88760190, 0x8876019A, 0x887601A4, 0x887601AE, 0x887601B8, 0x887601C2,
    0x887601CC, 0x887601D6, 0x887601E0, 0x887601EA, 0x887601FE, 0x88760208, 0x88760209, 0x88760219, 0x8876021C,
    0x88760230, 0x88760231, 0x88760232, 0x88760233, 0x88760234, 0x88760235, 0x88760236, 0x88760237, 0x88760238,
    0x88760239, 0x8876023A, 0x8876023B, 0x8876023C, 0x8876023D, 0x8876023E, 0x8876023F, 0x88760240, 0x88760241,
    0x88760242, 0x88760243, 0x88760244, 0x88760245, 0x88760246, 0x88760247, 0x88760248, 0x88760249, 0x8876024A,
    0x8876024B, 0x8876024C, 0x8876024D, 0x8876024E, 0x8876024F, 0x88760250, 0x88760258, 0x88760259, 0x8876025A,
    0x8876026C, 0x88760276, 0x88760280, 0x88760294, 0x887602A8, 0x887602B2, 0x887602B3, 0x887602B7, 0x887602BB,
};

TEST(DirectDrawErrorText, KeepsTheFamiliarSentencesExactly) {
  EXPECT_EQ(TextOf(0x00000000), "The request completed successfully.");
  EXPECT_EQ(TextOf(0x80004001), "Action not supported.");
  EXPECT_EQ(TextOf(0x80004005), "Generic failure.");
  EXPECT_EQ(TextOf(0x8007000E), "DirectDraw does not have enough memory to perform the operation.");
  EXPECT_EQ(TextOf(0x80070057), "One or more of the parameters passed to the function are incorrect.");
  EXPECT_EQ(TextOf(0x887600D7), "Surface does not currently have a color key");
  EXPECT_EQ(TextOf(0x887601C2),
            "Access to this surface is being refused because the surface memory is gone. The DirectDrawSurface object "
            "representing this surface should have Restore called on it.");
  EXPECT_EQ(TextOf(0x8876024B), "This surface can not be restored because it was created in a different mode.");
}

TEST(DirectDrawErrorText, EveryKnownCodeHasItsOwnSentence) {
  std::set<std::string> sentences;
  for (const std::uint32_t code : KnownCodes) {
    const std::string text = TextOf(code);
    EXPECT_NE(text, "Unrecognized Error") << std::hex << code;
    EXPECT_TRUE(sentences.insert(text).second) << std::hex << code << " repeats: " << text;
  }
  EXPECT_EQ(sentences.size(), 108u);
}

TEST(DirectDrawErrorText, CodesBesideKnownOnesAreUnrecognized) {
  for (const std::uint32_t code : {0x00000001u, 0xFFFFFFFFu, 0x80004002u, 0x80004004u, 0x8007000Du, 0x88760000u,
                                   0x88760001u, 0x8876017Cu, 0x88760251u, 0x887602BAu, 0x887602BCu}) {
    EXPECT_EQ(TextOf(code), "Unrecognized Error") << std::hex << code;
  }
}

}  // namespace
