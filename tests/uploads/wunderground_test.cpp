// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/wunderground.h"

#include <gtest/gtest.h>

#include <clocale>
#include <map>

namespace tavik {
namespace {

constexpr std::time_t kMoment = 1796825100;  // 2026-12-09 14:05:00 UTC

std::map<std::string, std::string> asMap(
    const std::vector<std::pair<std::string, std::string>>& parameters) {
  return {parameters.begin(), parameters.end()};
}

TEST(Wunderground, EveryFieldInItsUnitAndAbsentOnesLeftOut) {
  UploadRecord r;
  r.observedUtc = kMoment;
  PublishedValues& v = r.values;
  v.tempOut = -35;
  v.humOut = 87;
  v.dewOut = DewPoint{-50, true};
  v.seaLevel = 10132;
  v.windAvgSpeed = 23;
  v.gust5min = 54;
  v.windAvgDir = 225;
  v.rainToday = 13;  // mm
  v.tempIn = 214;
  v.humIn = 45;
  const auto p = wundergroundParameters("IBERLIN99", "geheim", r, "1.2.3");
  ASSERT_GE(p.size(), 3u);
  EXPECT_EQ(p[0], std::make_pair(std::string("ID"), std::string("IBERLIN99")));
  EXPECT_EQ(p[1].first, "PASSWORD");
  EXPECT_EQ(p[2], std::make_pair(std::string("dateutc"), std::string("2026-12-09 14:05:00")));
  const auto m = asMap(p);
  EXPECT_EQ(m.at("tempf"), "25.7");
  EXPECT_EQ(m.at("humidity"), "87");
  EXPECT_EQ(m.at("dewptf"), "23.0");
  EXPECT_EQ(m.at("baromin"), "29.920");
  EXPECT_EQ(m.at("windspeedmph"), "5.1");
  EXPECT_EQ(m.at("windgustmph"), "12.1");
  EXPECT_EQ(m.at("winddir"), "225");
  EXPECT_EQ(m.at("dailyrainin"), "0.51");
  EXPECT_EQ(m.at("indoortempf"), "70.5");
  EXPECT_EQ(m.at("indoorhumidity"), "45");
  EXPECT_EQ(m.count("rainin"), 0u);
  EXPECT_EQ(m.at("action"), "updateraw");
  EXPECT_EQ(m.at("softwaretype"), "Tavik 1.2.3");

  const auto bare = asMap(wundergroundParameters("I1", "k", UploadRecord{}, "1"));
  EXPECT_EQ(bare.size(), 5u);  // ID, PASSWORD, dateutc, action, softwaretype
}

TEST(Wunderground, NumbersKeepTheirPointUnderAGermanLocale) {
  const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  UploadRecord r;
  r.values.tempOut = 1;
  r.values.windAvgSpeed = 0;
  const auto m = asMap(wundergroundParameters("I1", "k", r, "1"));
  if (german) std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(m.at("tempf"), "32.2");
  EXPECT_EQ(m.at("windspeedmph"), "0.0");
}

TEST(Wunderground, QueryEncodesEveryValue) {
  EXPECT_EQ(wundergroundQuery(
                {{"ID", "I1"}, {"PASSWORD", "a&b=c d+%ü"}, {"dateutc", "2026-12-09 14:05:00"}}),
            "ID=I1&PASSWORD=a%26b%3Dc%20d%2B%25%C3%BC&dateutc=2026-12-09%2014%3A05%3A00");
}

TEST(Wunderground, OnlySuccessIsSuccess) {
  EXPECT_TRUE(wundergroundSuccess("success"));
  EXPECT_TRUE(wundergroundSuccess(" success\r\n"));
  EXPECT_FALSE(wundergroundSuccess(""));
  EXPECT_FALSE(wundergroundSuccess("INVALIDPASSWORDID|Password or key and/or id are incorrect"));
  EXPECT_FALSE(wundergroundSuccess("successful"));
}

}  // namespace
}  // namespace tavik
