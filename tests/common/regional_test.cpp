// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/regional.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavik {
namespace {

const RegionalSettings& de() { return RegionalSettings::german(); }

LocalDateTime moment() {
  LocalDateTime t;
  t.year = 2026;
  t.month = 3;
  t.day = 4;
  t.hour = 7;
  t.minute = 5;
  t.second = 9;
  t.millisecond = 42;
  return t;
}

TEST(FormatDateTime, PatternsOfTheProgram) {
  const LocalDateTime t = moment();
  EXPECT_EQ(formatDateTime("mmm dd yyyy hh:nn", t, de()), "Mrz 04 2026 07:05");
  EXPECT_EQ(formatDateTime("mmmm yyyy", t, de()), "März 2026");
  EXPECT_EQ(formatDateTime("dd.mm.yy", t, de()), "04.03.26");
  EXPECT_EQ(formatDateTime("yyyy.mm.dd. - hh-nn", t, de()), "2026.03.04. - 07-05");
  EXPECT_EQ(formatDateTime("mmmm\".\"yyyy", t, de()), "März.2026");
  EXPECT_EQ(formatDateTime("hhnn", t, de()), "0705");
  EXPECT_EQ(formatDateTime("hh:nn", t, de()), "07:05");
}

TEST(FormatDateTime, MinuteAfterHourSeparatorsAndQuotes) {
  const LocalDateTime t = moment();
  EXPECT_EQ(formatDateTime("h:m d.m.", t, de()), "7:5 4.3.");
  EXPECT_EQ(formatDateTime("hh:mm", t, de()), "07:05");
  EXPECT_EQ(formatDateTime("dd/mm/yyyy", t, de()), "04.03.2026");
  EXPECT_EQ(formatDateTime("'Heute' dd", t, de()), "Heute 04");
  EXPECT_EQ(formatDateTime("ss.zzz", t, de()), "09.042");
  EXPECT_EQ(formatDateTime("DD.MM.YY", t, de()), "04.03.26");
}

TEST(FormatDateTime, ShortDateAndLongTime) {
  EXPECT_EQ(formatShortDate(2001, 3, 14, de()), "14.03.01");
  EXPECT_EQ(formatLongTime(7, 5, 0, de()), "07:05:00");
  EXPECT_EQ(formatShortDate(2026, 12, 31, de()), "31.12.26");
}

TEST(NumberText, Tenths) {
  EXPECT_EQ(tenthsText(200, de()), "20");
  EXPECT_EQ(tenthsText(215, de()), "21,5");
  EXPECT_EQ(tenthsText(-123, de()), "-12,3");
  EXPECT_EQ(tenthsText(-5, de()), "-0,5");
  EXPECT_EQ(tenthsText(0, de()), "0");
  EXPECT_EQ(tenthsText(-9223372036854775807LL - 1, de()), "-922337203685477580,8");
}

TEST(NumberText, ShortestDecimal) {
  EXPECT_EQ(shortestDecimalText(50.645833333333336, de()), "50,6458333333333");
  EXPECT_EQ(shortestDecimalText(7.958333333333333, de()), "7,95833333333333");
  EXPECT_EQ(shortestDecimalText(9.2, de()), "9,2");
  EXPECT_EQ(shortestDecimalText(12.0, de()), "12");
  EXPECT_EQ(shortestDecimalText(-434.2, de()), "-434,2");
  EXPECT_EQ(shortestDecimalText(0.1 + 0.2, de()), "0,3");
  EXPECT_EQ(shortestDecimalText(0.0, de()), "0");
  EXPECT_EQ(shortestDecimalText(-0.0, de()), "0");
  EXPECT_EQ(shortestDecimalText(0.00001, de()), "0,00001");
  EXPECT_EQ(shortestDecimalText(0.0000015, de()), "1,5E-6");
  EXPECT_EQ(shortestDecimalText(123456789012345.0, de()), "123456789012345");
  EXPECT_EQ(shortestDecimalText(1.5e15, de()), "1,5E15");
  EXPECT_EQ(shortestDecimalText(0.99999999999999999, de()), "1");
  EXPECT_EQ(shortestDecimalText(NAN, de()), "NAN");
  EXPECT_EQ(shortestDecimalText(-INFINITY, de()), "-INF");
}

TEST(NumberText, FixedDecimalsRoundOnTheDecimalText) {
  EXPECT_EQ(fixedDecimalText(21.5, 1, '.'), "21.5");
  EXPECT_EQ(fixedDecimalText(20, 1, '.'), "20.0");
  EXPECT_EQ(fixedDecimalText(-12.3, 1, '.'), "-12.3");
  EXPECT_EQ(fixedDecimalText(0.15, 1, '.'), "0.2");
  EXPECT_EQ(fixedDecimalText(-0.25, 1, '.'), "-0.3");
  EXPECT_EQ(fixedDecimalText(2.675, 2, ','), "2,68");
  EXPECT_EQ(fixedDecimalText(9.96, 1, '.'), "10.0");
  EXPECT_EQ(fixedDecimalText(999.95, 1, '.'), "1000.0");
  EXPECT_EQ(fixedDecimalText(0.05, 1, '.'), "0.1");
  EXPECT_EQ(fixedDecimalText(0.004, 1, '.'), "0.0");
  EXPECT_EQ(fixedDecimalText(-0.04, 1, '.'), "0.0");
  EXPECT_EQ(fixedDecimalText(1013.2 / 5.5225, 1, '.'), "183.5");
  EXPECT_EQ(fixedDecimalText(7.5, 0, '.'), "8");
  EXPECT_EQ(fixedDecimalText(3.14159, 4, ','), "3,1416");
  EXPECT_EQ(fixedDecimalText(1e20, 1, '.'), "100000000000000000000.0");
}

TEST(Rounding, HalfEvenAndTruncation) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(-3.5), -4);
  EXPECT_EQ(roundHalfEven(2.4999), 2);
  EXPECT_EQ(roundHalfEven(-0.6), -1);
  EXPECT_EQ(roundHalfEven(1e300), 9223372036854775807LL);
  EXPECT_EQ(roundHalfEven(NAN), 0);
  EXPECT_EQ(truncateTowardZero(-12.3), -12);
  EXPECT_EQ(truncateTowardZero(12.9), 12);
  EXPECT_EQ(truncateTowardZero(-1e300), -9223372036854775807LL - 1);
}

TEST(NumberText, TwoDigits) {
  EXPECT_EQ(twoDigits(0), "00");
  EXPECT_EQ(twoDigits(7), "07");
  EXPECT_EQ(twoDigits(10), "10");
  EXPECT_EQ(twoDigits(123), "123");
  EXPECT_EQ(twoDigits(-3), "-3");
}

}  // namespace
}  // namespace tavik
