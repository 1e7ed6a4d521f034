// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/word_tables.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(WordTablesTest, CodesWithoutWordGiveEmptyTextAlsoBeyondTheTables) {
  for (const uint8_t code : {0, 3, 5, 7, 255}) EXPECT_EQ(trendText(code), "") << int(code);
  for (const uint8_t code : {0, 3, 7, 9, 15, 255}) EXPECT_EQ(forecastText(code), "") << int(code);
  EXPECT_EQ(trendText(4), "fallend");
  EXPECT_EQ(forecastText(8), "regnerisch");
}

}  // namespace
}  // namespace tavik
