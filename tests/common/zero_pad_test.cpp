// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/zero_pad.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(ZeroPadNumber, PadsRoundsHalfEvenAndKeepsLongNumbers) {
  EXPECT_EQ(ZeroPadNumber(3, 5), "005");
  EXPECT_EQ(ZeroPadNumber(2, 100), "100");
  EXPECT_EQ(ZeroPadNumber(0, 7), "7");
  EXPECT_EQ(ZeroPadNumber(3, 2.5), "002");
  EXPECT_EQ(ZeroPadNumber(3, 3.5), "004");
  EXPECT_EQ(ZeroPadNumber(5, 9987), "09987");
  EXPECT_EQ(ZeroPadNumber(3, -5), "-05");
}

}  // namespace
}  // namespace tavik
