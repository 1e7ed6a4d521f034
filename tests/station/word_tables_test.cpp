#include "station/word_tables.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(WordTablesTest, CodesOfTheConsoleGiveTheirWords) {
  EXPECT_EQ(trendText(1), "steigend");
  EXPECT_EQ(trendText(2), "gleichbleibend");
  EXPECT_EQ(trendText(4), "fallend");
  EXPECT_EQ(forecastText(1), "sonnig");
  EXPECT_EQ(forecastText(2), "bewölkt");
  EXPECT_EQ(forecastText(4), "bedeckt");
  EXPECT_EQ(forecastText(8), "regnerisch");
}

TEST(WordTablesTest, CodesWithoutWordGiveEmptyTextAlsoBeyondTheTables) {
  for (const uint8_t code : {0, 3, 5, 6, 7, 255}) EXPECT_EQ(trendText(code), "") << int(code);
  for (const uint8_t code : {0, 3, 5, 6, 7, 9, 15, 255}) {
    EXPECT_EQ(forecastText(code), "") << int(code);
  }
}

}  // namespace
}  // namespace tavik
