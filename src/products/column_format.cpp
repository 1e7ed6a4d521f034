// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/column_format.h"

#include "common/regional.h"

namespace tavik {

size_t characterCount(std::string_view utf8) {
  size_t count = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;  // skip continuation bytes
  }
  return count;
}

std::string padLeft(std::string_view text, size_t width) {
  const size_t length = characterCount(text);
  std::string result(length < width ? width - length : 0, ' ');
  return result.append(text);
}

std::string padRight(std::string_view text, size_t width) {
  const size_t length = characterCount(text);
  std::string result(text);
  return result.append(length < width ? width - length : 0, ' ');
}

std::string oneDecimalField(double value, size_t width) {
  return padLeft(fixedDecimalText(value, 1, '.'), width);
}

std::string tenthsField(long long tenths, size_t width) {
  return oneDecimalField(static_cast<double>(tenths) / 10.0, width);
}

std::string integerField(long long value, size_t width) {
  return padLeft(std::to_string(value), width);
}

}  // namespace tavik
