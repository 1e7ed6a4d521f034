// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "station/decoders.h"
#include "station/weather_record.h"

namespace tavik {

// A change limit that never binds: the field may take any value in its range
// from one group to the next.
inline constexpr int32_t kAnyChange = INT32_MAX;

// What a value of the record can be: the range the console measures or
// carries within what weather on Earth has ever reached, and how far it can
// move in one minute up and down (kAnyChange where nothing binds it, 0 where
// any move in that direction needs confirming). Units are the record's.
// docs/plausibility.md gives each number with its source.
//
// The check reads every field of every good group, so a field is read the
// same way whatever its type, without a call or a branch: the four bytes at
// its place in the record (the table makes sure they lie inside it), masked
// to the field's width.
struct FieldRule {
  GroupKind kind;
  const char* path;  // the field as tavik-dump names it
  size_t offset;     // of the field in WeatherRecord
  uint32_t mask;     // the bits of the field in those four bytes
  int32_t min;
  int32_t max;
  int32_t risePerMinute = kAnyChange;
  int32_t fallPerMinute = kAnyChange;
  // A fall to this value or below is taken at once, whatever the limit: a
  // counter the user reset on the console (-1: none).
  int32_t resetAtMost = -1;

  int32_t value(const WeatherRecord& w) const {
    static_assert(std::endian::native == std::endian::little);
    uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<const unsigned char*>(&w) + offset, sizeof bytes);
    return static_cast<int32_t>(bytes & mask);
  }
};

// Every rule of one group kind, in the record's order.
std::span<const FieldRule> fieldRules(GroupKind kind);

}  // namespace tavik
