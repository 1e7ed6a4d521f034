// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <utility>

namespace tavik {

// The low and the high nibble of a byte, in that order.
std::pair<uint8_t, uint8_t> SplitNibbles(uint8_t b);

// The two-digit value of a byte: the high nibble written in decimal followed by
// the low nibble written in decimal, read back as a number and cut to 8 bits.
// Nibbles 0..9 give 10 * hi + lo; 0x1A gives 110, 0xCC gives 1212 -> 188.
uint8_t DecodeBcdByte(uint8_t b);

}  // namespace tavik
