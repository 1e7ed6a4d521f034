// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/number_text.h"

#include <charconv>
#include <cmath>

namespace tavik {

namespace {

std::string_view trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of digits at `pos`.
size_t digitRun(std::string_view s, size_t pos) {
  size_t n = 0;
  while (pos + n < s.size() && isDigit(s[pos + n])) ++n;
  return n;
}

}  // namespace

std::optional<int> parseIntegerText(std::string_view text) {
  std::string_view s = trimBlanks(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::optional<double> parseDecimalText(std::string_view text, char decimalSeparator) {
  const std::string_view s = trimBlanks(text);
  // Rebuild the number with a point so that from_chars reads it without any
  // locale; check the shape first, from_chars is more lenient.
  std::string plain;
  size_t pos = 0;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    if (s[pos] == '-') plain += '-';
    ++pos;
  }
  const size_t whole = digitRun(s, pos);
  plain += s.substr(pos, whole);
  pos += whole;
  size_t fraction = 0;
  if (pos < s.size() && s[pos] == decimalSeparator) {
    ++pos;
    fraction = digitRun(s, pos);
    plain += '.';
    plain += s.substr(pos, fraction);
    pos += fraction;
  }
  if (whole + fraction == 0) return std::nullopt;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    plain += 'e';
    ++pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) plain += s[pos++];
    const size_t exponent = digitRun(s, pos);
    if (exponent == 0) return std::nullopt;
    plain += s.substr(pos, exponent);
    pos += exponent;
  }
  if (pos != s.size()) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string notAnIntegerMessage(std::string_view text) {
  return "'" + std::string(text) + "' ist kein gültiger Integerwert";
}

std::string notAFloatMessage(std::string_view text) {
  return "'" + std::string(text) + "' ist kein gültiger Gleitkommawert";
}

}  // namespace tavik
