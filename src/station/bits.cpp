// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/bits.h"

namespace tavik {

std::pair<uint8_t, uint8_t> SplitNibbles(uint8_t b) {
  return {static_cast<uint8_t>(b & 0x0F), static_cast<uint8_t>(b >> 4)};
}

uint8_t DecodeBcdByte(uint8_t b) {
  const auto [lo, hi] = SplitNibbles(b);
  // Appending the low nibble's decimal text shifts the high nibble by one
  // digit, or by two when the low nibble itself has two digits.
  const unsigned shift = lo >= 10 ? 100 : 10;
  return static_cast<uint8_t>(hi * shift + lo);
}

}  // namespace tavik
