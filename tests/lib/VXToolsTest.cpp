#include <gtest/gtest.h>

#include "lib/VXGSurfacePlugins.h"
#include "lib/VXTools.h"

namespace {

TEST(ExtractFileType, IsTheTextAfterTheLastDotOfTheFileName) {
  EXPECT_EQ(ExtractFileType("cdu\\bpwb.bmp"), "bmp");
  EXPECT_EQ(ExtractFileType("ani2\\FLIEGER.BMP"), "BMP");
  EXPECT_EQ(ExtractFileType("archive.tar.gz"), "gz");
  EXPECT_EQ(ExtractFileType("noextension"), "");
  EXPECT_EQ(ExtractFileType("trailingdot."), "");
  EXPECT_EQ(ExtractFileType("folder.d\\file"), "");
  EXPECT_EQ(ExtractFileType("c:file"), "");
  EXPECT_EQ(ExtractFileType("c.x:file"), "");
}

TEST(SurfacePluginName, JoinsPrefixTypeAndExtension) {
  EXPECT_EQ(SurfacePluginName(ExtractFileType("cdu\\bpwb.bmp")), "Surfbmp.spi");
  EXPECT_EQ(SurfacePluginName(ExtractFileType("noextension")), "Surf.spi");
}

TEST(SameGUID, ComparesAllSixteenBytes) {
  const GUID zero{};
  GUID other{};
  EXPECT_TRUE(SameGUID(zero, other));
  other.Data4[7] = 1;
  EXPECT_FALSE(SameGUID(zero, other));
}

TEST(Geometry, MaxAndRectSize) {
  EXPECT_EQ(Max(-3, -7), -3);
  EXPECT_EQ(Max(0, 1), 1);
  const SIZE size = RectSize(RECT{10, 20, 15, 18});
  EXPECT_EQ(size.cx, 5);
  EXPECT_EQ(size.cy, -2);
}

}  // namespace
