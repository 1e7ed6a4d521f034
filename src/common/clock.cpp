// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/clock.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace tavik {

namespace {

constexpr long long kSecondsPerDay = 86400;

// Floor division, so that moments before 1970 fall on the right day.
long long floorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

}  // namespace

LocalDateTime SystemClock::now() const {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  // The station's stream reads the clock for nearly every group; the local
  // time of a second is worked out once per thread, as that is the dear part.
  thread_local time_t partsSecond = -1;
  thread_local std::tm parts{};
  if (ts.tv_sec != partsSecond) {
    localtime_r(&ts.tv_sec, &parts);
    partsSecond = ts.tv_sec;
  }
  LocalDateTime t;
  t.year = parts.tm_year + 1900;
  t.month = parts.tm_mon + 1;
  t.day = parts.tm_mday;
  t.hour = parts.tm_hour;
  t.minute = parts.tm_min;
  // A leap second (tm_sec 60) is shown as the last second of its minute.
  t.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
  t.millisecond = static_cast<int>(ts.tv_nsec / 1000000);
  return t;
}

std::optional<int> Clock::utcOffsetMinutes(const LocalDateTime& local) const {
  return systemUtcOffsetMinutes(local);
}

long long Clock::steadyMilliseconds() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void ManualClock::advanceSeconds(long long seconds) {
  now_ = addSeconds(now_, seconds);
  steadyMs_ += seconds * 1000;
}

std::optional<int> ManualClock::utcOffsetMinutes(const LocalDateTime& local) const {
  return offset_ ? offset_ : systemUtcOffsetMinutes(local);
}

std::optional<int> systemUtcOffsetMinutes(const LocalDateTime& local) {
  std::error_code ec;
  if (std::getenv("TZ") == nullptr && !std::filesystem::exists("/etc/localtime", ec)) {
    return std::nullopt;
  }
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;
  const std::time_t utc = std::mktime(&tm);
  std::tm parts{};
  if (utc == static_cast<std::time_t>(-1) || localtime_r(&utc, &parts) == nullptr) return 0;
  return static_cast<int>(parts.tm_gmtoff / 60);
}

long long utcSeconds(const LocalDateTime& local, int offsetMinutes) {
  return daysFromCivil(local.year, local.month, local.day) * kSecondsPerDay + local.hour * 3600LL +
         local.minute * 60LL + local.second - offsetMinutes * 60LL;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && isLeapYear(year)) return 29;
  return kDays[month - 1];
}

bool isValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && day >= 1 && day <= daysInMonth(year, month);
}

// The civil-calendar conversions count in eras of 400 years, which repeat
// exactly in the Gregorian calendar (146097 days each).
long long daysFromCivil(int year, int month, int day) {
  const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
  const long long era = floorDiv(y, 400);
  const long long yearOfEra = y - era * 400;
  const long long shiftedMonth = month > 2 ? month - 3 : month + 9;  // March = 0
  const long long dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(long long days, int& year, int& month, int& day) {
  const long long z = days + 719468;
  const long long era = floorDiv(z, 146097);
  const long long dayOfEra = z - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

LocalDateTime addSeconds(const LocalDateTime& t, long long seconds) {
  const long long start = daysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600LL +
                          t.minute * 60LL + t.second;
  const long long total = start + seconds;
  const long long days = floorDiv(total, kSecondsPerDay);
  const long long rest = total - days * kSecondsPerDay;
  LocalDateTime out = t;
  civilFromDays(days, out.year, out.month, out.day);
  out.hour = static_cast<int>(rest / 3600);
  out.minute = static_cast<int>(rest / 60 % 60);
  out.second = static_cast<int>(rest % 60);
  return out;
}

std::optional<LocalDateTime> parseClockStart(std::string_view text) {
  // Digits at fixed places, separators between them.
  const auto number = [&](size_t at, size_t length, int& out) {
    if (at + length > text.size()) return false;
    const std::string_view digits = text.substr(at, length);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
    const char* first = text.data() + at;
    const auto [end, ec] = std::from_chars(first, first + length, out);
    return ec == std::errc() && end == first + length;
  };
  const auto separator = [&](size_t at, std::string_view allowed) {
    return at < text.size() && allowed.find(text[at]) != std::string_view::npos;
  };
  if (text.size() != 16 && text.size() != 19) return std::nullopt;
  LocalDateTime t;
  const bool read = number(0, 4, t.year) && separator(4, "-") && number(5, 2, t.month) &&
                    separator(7, "-") && number(8, 2, t.day) && separator(10, "T ") &&
                    number(11, 2, t.hour) && separator(13, ":") && number(14, 2, t.minute) &&
                    (text.size() == 16 || (separator(16, ":") && number(17, 2, t.second)));
  if (!read || !isValidDate(t.year, t.month, t.day) || t.hour > 23 || t.minute > 59 ||
      t.second > 59) {
    return std::nullopt;
  }
  return t;
}

}  // namespace tavik
