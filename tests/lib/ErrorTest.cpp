#include <gtest/gtest.h>

#include "lib/VXG.h"
#include "lib/VXGGraphicsError.h"
#include "lib/runtime/List.h"

namespace {

constexpr HRESULT SurfaceLost = MakeResult(0x887601C2);
const std::string SurfaceLostText =
    "Access to this surface is being refused because the surface memory is gone. The DirectDrawSurface object "
    "representing this surface should have Restore called on it.";

class TVXGTestSurface : public TVXGObject {
 public:
  void ColorFill(HRESULT result) const { CheckResult<EVXGGraphicsError>(*this, "ColorFill", result); }
  void Load(const std::string& fileName) {
    try {
      ColorFill(SurfaceLost);
    } catch (Exception& e) {
      AddErrorContext(*this, e, "InternalLoadFromFile(" + fileName + ")");
      throw;
    }
  }
};
class TVXGTestFileSprite : public TVXGTestSurface {};

namespace inner {
class TNamespaced : public TObject {};
}  // namespace inner

TEST(ErrorMessage, ComposesOperationColonCarriageReturnAndText) {
  const EVXGError error("TVXGGraphics.SetDisplayMode", 7, "Some text");
  EXPECT_EQ(error.Message(), "TVXGGraphics.SetDisplayMode:\rSome text");
  EXPECT_EQ(error.ErrorCode(), 7);

  const EVXGGraphicsError consistency("A TVXGSurface cannot be created");
  EXPECT_EQ(consistency.Message(), "A TVXGSurface cannot be created");
  EXPECT_EQ(consistency.ErrorCode(), 0);
}

TEST(ErrorMessage, CheckNamesTheActualClassAndTheDirectDrawSentence) {
  const TVXGTestFileSprite sprite;
  const TVXGTestSurface& asBase = sprite;
  EXPECT_NO_THROW(asBase.ColorFill(0));
  try {
    asBase.ColorFill(SurfaceLost);
    FAIL() << "no exception";
  } catch (const EVXGGraphicsError& e) {
    EXPECT_EQ(e.Message(), "TVXGTestFileSprite.ColorFill:\r" + SurfaceLostText);
    EXPECT_EQ(e.ErrorCode(), SurfaceLost);
  }
}

TEST(ErrorMessage, PositiveAndUnknownResultsRaiseToo) {
  const TVXGTestSurface surface;
  for (const HRESULT result : {HRESULT{1}, MakeResult(0x88760001)}) {
    try {
      surface.ColorFill(result);
      FAIL() << "no exception for " << result;
    } catch (const EVXGGraphicsError& e) {
      EXPECT_EQ(e.Message(), "TVXGTestSurface.ColorFill:\rUnrecognized Error");
      EXPECT_EQ(e.ErrorCode(), result);
    }
  }
}

TEST(ErrorMessage, AddErrorContextAmendsTheExceptionInFlight) {
  TVXGTestFileSprite sprite;
  try {
    sprite.Load("cdu\\bpwb.bmp");
    FAIL() << "no exception";
  } catch (const EVXGGraphicsError& e) {
    EXPECT_EQ(e.Message(),
              "TVXGTestFileSprite.InternalLoadFromFile(cdu\\bpwb.bmp):\r"
              "TVXGTestFileSprite.ColorFill:\r" +
                  SurfaceLostText);
    EXPECT_EQ(e.ErrorCode(), SurfaceLost);
  }
}

TEST(ClassName, IsTheSourceNameWithoutNamespaces) {
  const inner::TNamespaced object;
  EXPECT_EQ(object.ClassName(), "TNamespaced");
  EXPECT_EQ(ClassNameOf(typeid(TVXGTestFileSprite)), "TVXGTestFileSprite");
}

TEST(List, IndexOutsideRaisesTheListError) {
  TList<int> list;
  list.Add(4);
  EXPECT_EQ(list.Get(0), 4);
  EXPECT_THROW(list.Get(-1), EListError);
  try {
    list.Get(1);
    FAIL() << "the index one past the last item was taken";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(),
              "Listenindex \xFC"
              "berschreitet das Maximum (1)");
  }
}

TEST(ClearSized, ZeroesTheRecordAndStoresItsSize) {
  struct Record {
    DWORD size;
    DWORD flags;
    void* pointer;
  } record{99, 42, &record};
  ClearSized(record);
  EXPECT_EQ(record.size, sizeof(Record));
  EXPECT_EQ(record.flags, 0u);
  EXPECT_EQ(record.pointer, nullptr);
}

TEST(VersionToText, ShowsTheBytesFromLowestToHighest) {
  EXPECT_EQ(VersionToText(0x01010000), "0.0.1.1");
  EXPECT_EQ(VersionToText(0x01010001), "1.0.1.1");
  EXPECT_EQ(VersionToText(0xFFFEFDFC), "252.253.254.255");
}

}  // namespace
