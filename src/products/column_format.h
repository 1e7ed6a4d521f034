// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavik {

// Fixed-column pieces of the product files. Widths count characters, not
// UTF-8 bytes: every character becomes one Windows-1252 byte in the file.

size_t characterCount(std::string_view utf8);

// The text right-aligned (padded on the left) or left-aligned (padded on the
// right) with spaces to at least `width` characters; a longer text stays whole.
std::string padLeft(std::string_view text, size_t width);
std::string padRight(std::string_view text, size_t width);

// A value with exactly one decimal and a point, rounded to the nearest tenth,
// right-aligned in `width`.
std::string oneDecimalField(double value, size_t width);
// A stored value in tenths written as its whole units with one decimal.
std::string tenthsField(long long tenths, size_t width);
// An integer in plain decimal, right-aligned in `width`.
std::string integerField(long long value, size_t width = 0);

}  // namespace tavik
