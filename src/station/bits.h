// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <utility>

namespace tavik {

// The low and the high nibble of a byte, in that order. Inline: the decoders
// call it for almost every field of every group.
constexpr std::pair<uint8_t, uint8_t> SplitNibbles(uint8_t b) {
  return {static_cast<uint8_t>(b & 0x0F), static_cast<uint8_t>(b >> 4)};
}

// The two-digit value of a byte: the high nibble written in decimal followed by
// the low nibble written in decimal, read back as a number and cut to 8 bits.
// Nibbles 0..9 give 10 * hi + lo; 0x1A gives 110, 0xCC gives 1212 -> 188.
constexpr uint8_t DecodeBcdByte(uint8_t b) {
  const auto [lo, hi] = SplitNibbles(b);
  // Appending the low nibble's decimal text shifts the high nibble by one
  // digit, or by two when the low nibble itself has two digits.
  const unsigned shift = lo >= 10 ? 100 : 10;
  return static_cast<uint8_t>(hi * shift + lo);
}

}  // namespace tavik
