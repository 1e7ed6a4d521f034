// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "station/decoders.h"
#include "station/weather_record.h"

namespace tavik {

// The group of one kind as the console sends it: group byte, the record's
// fields packed as decimal digits and flag bits, checksum last. For values in
// the ranges the console uses, decoding the result gives the record's fields
// back unchanged (the sign of a temperature is taken from its Positive or Flag
// bit, so a record that came out of a decoder is reproduced exactly).
std::vector<uint8_t> encodeGroup(GroupKind kind, const WeatherRecord& w);

// Changes the checksum byte of a whole group so that the group is rejected.
void corruptChecksum(std::vector<uint8_t>& group);

}  // namespace tavik
