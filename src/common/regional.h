// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "common/clock.h"

namespace tavik {

// The regional settings through which every date, time and decimal number on
// screen or in a file is formatted. The program runs with the German ones;
// nothing reads the C library's locale.
struct RegionalSettings {
  char decimalSeparator = ',';
  char timeSeparator = ':';
  char dateSeparator = '.';
  std::string shortDateFormat = "dd.mm.yy";  // in the pattern language below
  std::string longTimeFormat = "hh:nn:ss";
  std::array<std::string, 12> longMonthNames{"Januar",    "Februar", "März",     "April",
                                             "Mai",       "Juni",    "Juli",     "August",
                                             "September", "Oktober", "November", "Dezember"};
  std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                              "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

  static const RegionalSettings& german();
};

// Formats a moment by a date/time pattern: "yyyy" "yy" year; "mmmm" long month
// name, "mmm" short month name, "mm"/"m" month (or minute right after an hour
// field); "dd"/"d" day; "hh"/"h" hour; "nn"/"n" minute; "ss"/"s" second;
// "zzz" milliseconds; "/" the date separator and ":" the time separator;
// text in double or single quotes is copied; every other character is copied.
std::string formatDateTime(const std::string& pattern, const LocalDateTime& t,
                           const RegionalSettings& rs);

// The short date (for example "14.03.26") and the long time ("07:05:00").
std::string formatShortDate(int year, int month, int day, const RegionalSettings& rs);
std::string formatLongTime(int hour, int minute, int second, const RegionalSettings& rs);

// A value given in tenths written as the shortest decimal text: 200 -> "20",
// 215 -> "21,5", -123 -> "-12,3".
std::string tenthsText(long long tenths, const RegionalSettings& rs);

// The shortest decimal text of a double with up to 15 significant digits, as
// the program shows computed numbers (50.6458333333333 -> "50,6458333333333").
std::string shortestDecimalText(double value, const RegionalSettings& rs);

// A number with a fixed count of decimals, rounded to nearest (ties away from
// zero on the decimal text), with the given decimal separator.
std::string fixedDecimalText(double value, int decimals, char decimalSeparator);

// Rounding to the nearest integer with ties to the even neighbour, and
// truncation toward zero.
long long roundHalfEven(double value);
long long truncateTowardZero(double value);

// An integer with a leading "0" when it is a single digit (0..9).
std::string twoDigits(int value);

}  // namespace tavik
