#include <gtest/gtest.h>

#include "VXGGraphicsError.h"

namespace {

TEST(DirectDrawErrorText, UnknownCodesAreUnrecognized) {
  EXPECT_EQ(DirectDrawErrorText(1), "Unrecognized Error");
  EXPECT_EQ(DirectDrawErrorText(-1), "Unrecognized Error");
}

}  // namespace
