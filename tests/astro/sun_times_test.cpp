// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun_times.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavik {
namespace {

const RegionalSettings& de() { return RegionalSettings::german(); }

// The value column of a named row of one run (the first match).
std::string valueOf(const std::vector<SunResultRow>& rows, const std::string& name) {
  for (const auto& row : rows) {
    if (row.name == name) return row.value;
  }
  return "(missing)";
}

std::vector<SunResultRow> run(const char* day, const char* lat, const char* lon, const char* utc) {
  const auto in = parseSunInputs(day, lat, lon, utc, de());
  const auto t = in.ok() ? SunTimesCalc(*in.value) : Outcome<SunTimes>::failure(in.error);
  EXPECT_TRUE(t.ok()) << t.error;
  return t.ok() ? sunResultRows(*t.value, de()) : std::vector<SunResultRow>{};
}

TEST(SunTimes, InitialInputsGiveTheNineRowsInInsertionOrder) {
  const auto rows = run("30", "52,5", "13,4", "1");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"------------------", "------------------"},
      {"Zeitgleichung", "-0,2215 h"},
      {"Zeitgleichung", "-13,2902 m"},
      {"Deklination", "-17,6104 °"},
      {"Zeitdifferenz", "4,4755 h"},
      {"Aufgang Ortszeit", "7,7460 h"},
      {"Untergang Ortszeit", "16,6970 h"},
      {"Aufgang Real", "7:51"},
      {"Untergang Real", "16:48"}};
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(std::make_pair(rows[i].name, rows[i].value), expected[i]) << i;
  }
}

TEST(SunTimes, SummerAndWestOfGreenwich) {
  const auto berlin = run("172", "52,5", "13,4", "2");
  EXPECT_EQ(valueOf(berlin, "Aufgang Real"), "4:43");
  EXPECT_EQ(valueOf(berlin, "Untergang Real"), "21:33");
  const auto newYork = run("172", "40,7", "-74", "-4");
  EXPECT_EQ(valueOf(newYork, "Aufgang Real"), "5:25");
  EXPECT_EQ(valueOf(newYork, "Untergang Real"), "20:31");
}

TEST(SunTimes, PolarDayAndNightFail) {
  EXPECT_EQ(SunTimesCalc({172, 80, 0, 0}).error, "Ungültige Gleitkommaoperation");
  EXPECT_EQ(SunTimesCalc({355, 80, 0, 0}).error, "Ungültige Gleitkommaoperation");
  EXPECT_EQ(SunTimesCalc({172, 90, 0, 0}).error, "Ungültige Gleitkommaoperation");
}

TEST(SunTimes, FirstBadFieldInReadingOrder) {
  EXPECT_EQ(parseSunInputs("3x", "x", "y", "z", de()).error, "'3x' ist kein gültiger Integerwert");
  EXPECT_EQ(parseSunInputs("30", "52.5", "y", "z", de()).error,
            "'52.5' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(parseSunInputs("30", "52,5", "", "1", de()).error,
            "'' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(parseSunInputs("30", "52,5", "13,4", "1,5", de()).error,
            "'1,5' ist kein gültiger Integerwert");
  EXPECT_EQ(parseSunInputs("30", "1E999", "13", "1", de()).error,
            "'1E999' ist kein gültiger Gleitkommawert");
  const auto ok = parseSunInputs(" 30 ", "-0,5E1", "+13", "-4", de());
  ASSERT_TRUE(ok.ok());
  EXPECT_EQ(ok.value->day, 30);
  EXPECT_DOUBLE_EQ(ok.value->latitude, -5);
  EXPECT_DOUBLE_EQ(ok.value->longitude, 13);
  EXPECT_EQ(ok.value->utcOffset, -4);
}

TEST(SunClockText, MinutesWithoutLeadingZeroCarriedAndWrapped) {
  EXPECT_EQ(sunClockText(8 + 5.0 / 60), "8:5");
  EXPECT_EQ(sunClockText(7.9999), "8:0");
  EXPECT_EQ(sunClockText(24.5), "0:30");
  EXPECT_EQ(sunClockText(-0.5), "23:30");
  EXPECT_EQ(sunClockText(1e300), sunClockText(std::fmod(1e300, 24.0)));
}

TEST(DayOfYear, FirstOfJanuaryIsOne) {
  EXPECT_EQ(dayOfYear(2026, 1, 1), 1);
  EXPECT_EQ(dayOfYear(2024, 12, 31), 366);
}

}  // namespace
}  // namespace tavik
