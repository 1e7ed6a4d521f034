// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/regional.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <optional>

namespace tavik {

namespace {

std::string padded(long long value, int width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  }
  return value < 0 ? "-" + digits : digits;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The length of the run of the same pattern letter starting at `pos`.
size_t runLength(const std::string& pattern, size_t pos) {
  size_t end = pos;
  while (end < pattern.size() && lower(pattern[end]) == lower(pattern[pos])) ++end;
  return end - pos;
}

// A finite double as its decimal digits rounded to 15 significant digits,
// without trailing zeros, and the power of ten of the first digit:
// 50.6458 -> digits "506458", exponent 1. Zero gives empty digits.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
  bool negative = false;
};

DecimalDigits decimalDigits(double value) {
  DecimalDigits out;
  out.negative = std::signbit(value);
  if (value == 0.0) return out;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, 14);
  const std::string text(buffer, result.ptr);  // "d.dddddddddddddde+XX"
  const size_t e = text.find('e');
  out.digits = text.substr(0, 1) + text.substr(2, e - 2);
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  out.exponent);
  while (!out.digits.empty() && out.digits.back() == '0') out.digits.pop_back();
  return out;
}

std::string nonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// The text of one date or time field: a run of `run` times the pattern
// letter `letter`. Nothing when the letter is not a field.
std::optional<std::string> fieldText(char letter, size_t run, bool afterHour,
                                     const LocalDateTime& t, const RegionalSettings& rs) {
  const int width = run >= 2 ? 2 : 1;
  switch (letter) {
    case 'y':
      return run <= 2 ? padded(t.year % 100, 2) : padded(t.year, 4);
    case 'm':
      if (run >= 3) {
        const auto& names = run == 3 ? rs.shortMonthNames : rs.longMonthNames;
        if (t.month < 1 || t.month > 12) return std::string();
        return names[static_cast<size_t>(t.month - 1)];
      }
      return padded(afterHour ? t.minute : t.month, width);
    case 'd':
      return padded(t.day, width);
    case 'h':
      return padded(t.hour, width);
    case 'n':
      return padded(t.minute, width);
    case 's':
      return padded(t.second, width);
    case 'z':
      return padded(t.millisecond, run >= 3 ? 3 : 1);
    default:
      return std::nullopt;
  }
}

}  // namespace

const RegionalSettings& RegionalSettings::german() {
  static const RegionalSettings settings;
  return settings;
}

std::string formatDateTime(const std::string& pattern, const LocalDateTime& t,
                           const RegionalSettings& rs) {
  std::string out;
  bool afterHour = false;  // an "m" right after an hour field is a minute
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c == '"' || c == '\'') {
      const size_t close = pattern.find(c, i + 1);
      const size_t end = close == std::string::npos ? pattern.size() : close;
      out += pattern.substr(i + 1, end - i - 1);
      i = end == pattern.size() ? end : end + 1;
      continue;
    }
    const size_t run = runLength(pattern, i);
    const char letter = lower(c);
    if (const auto field = fieldText(letter, run, afterHour, t, rs)) {
      out += *field;
      afterHour = letter == 'h';
    } else if (c == '/') {
      out.append(run, rs.dateSeparator);
    } else if (c == ':') {
      out.append(run, rs.timeSeparator);
    } else {
      out.append(pattern, i, run);
    }
    i += run;
  }
  return out;
}

std::string formatShortDate(int year, int month, int day, const RegionalSettings& rs) {
  LocalDateTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  return formatDateTime(rs.shortDateFormat, t, rs);
}

std::string formatLongTime(int hour, int minute, int second, const RegionalSettings& rs) {
  LocalDateTime t;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return formatDateTime(rs.longTimeFormat, t, rs);
}

std::string tenthsText(long long tenths, const RegionalSettings& rs) {
  // Unsigned arithmetic keeps the most negative value in range.
  const unsigned long long magnitude =
      tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths) : tenths;
  std::string out = tenths < 0 ? "-" : "";
  out += std::to_string(magnitude / 10);
  if (magnitude % 10 != 0) {
    out += rs.decimalSeparator;
    out += static_cast<char>('0' + magnitude % 10);
  }
  return out;
}

std::string shortestDecimalText(double value, const RegionalSettings& rs) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  const DecimalDigits d = decimalDigits(value);
  if (d.digits.empty()) return "0";
  std::string out = d.negative ? "-" : "";
  if (d.exponent < -5 || d.exponent >= 15) {
    // Scientific form: "1,5E20", "1,5E-7".
    out += d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += rs.decimalSeparator + d.digits.substr(1);
    return out + "E" + std::to_string(d.exponent);
  }
  if (d.exponent < 0) {
    return out + "0" + rs.decimalSeparator +
           std::string(static_cast<size_t>(-d.exponent - 1), '0') + d.digits;
  }
  const size_t intDigits = static_cast<size_t>(d.exponent) + 1;
  if (d.digits.size() <= intDigits) {
    return out + d.digits + std::string(intDigits - d.digits.size(), '0');
  }
  return out + d.digits.substr(0, intDigits) + rs.decimalSeparator + d.digits.substr(intDigits);
}

std::string fixedDecimalText(double value, int decimals, char decimalSeparator) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  if (decimals < 0) decimals = 0;
  const DecimalDigits d = decimalDigits(value);
  // Digits of the number scaled by 10^decimals, then rounded to an integer
  // on the decimal text: the first dropped digit decides, 5 rounds up.
  const long long keep = static_cast<long long>(d.exponent) + 1 + decimals;
  std::string kept;
  if (!d.digits.empty() && keep >= 0) {
    const size_t k = static_cast<size_t>(keep);
    kept = d.digits.substr(0, k);
    if (kept.size() < k) kept.append(k - kept.size(), '0');
    if (k < d.digits.size() && d.digits[k] >= '5') {
      size_t pos = kept.size();
      while (pos > 0 && kept[pos - 1] == '9') kept[--pos] = '0';
      if (pos == 0) {
        kept.insert(0, 1, '1');
      } else {
        ++kept[pos - 1];
      }
    }
  }
  const size_t decimalCount = static_cast<size_t>(decimals);
  if (kept.size() <= decimalCount) kept.insert(0, decimalCount + 1 - kept.size(), '0');
  const bool allZero = kept.find_first_not_of('0') == std::string::npos;
  std::string out = (d.negative && !allZero) ? "-" : "";
  out += kept.substr(0, kept.size() - decimalCount);
  if (decimalCount > 0) out += decimalSeparator + kept.substr(kept.size() - decimalCount);
  return out;
}

long long roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775807.0) return LLONG_MAX;
  if (value <= -9223372036854775808.0) return LLONG_MIN;
  const double below = std::floor(value);
  const double fraction = value - below;
  long long result = static_cast<long long>(below);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

long long truncateTowardZero(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775807.0) return LLONG_MAX;
  if (value <= -9223372036854775808.0) return LLONG_MIN;
  return static_cast<long long>(std::trunc(value));
}

std::string twoDigits(int value) {
  if (value >= 0 && value <= 9) return {'0', static_cast<char>('0' + value)};
  return std::to_string(value);
}

}  // namespace tavik
