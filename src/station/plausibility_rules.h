// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// How a field is stored in the record.
enum class FieldStorage : uint8_t { U8, U16, I32 };

// What a value of the record can be: the range the console measures or
// carries within what weather on Earth has ever reached, and how far it can
// move in one minute up and down (kAnyChange where nothing binds it, 0 where
// any move in that direction needs confirming). Units are the record's.
// docs/plausibility.md gives each number with its source.
// The field is read at its place in the record rather than through a function
// per field: the check reads every field of every good group, and a call per
// field cost more than the rest of the check.
struct FieldRule {
  GroupKind kind;
  const char* path;  // the field as tavik-dump names it
  size_t offset;     // of the field in WeatherRecord
  FieldStorage storage;
  int32_t min;
  int32_t max;
  int32_t risePerMinute = kAnyChange;
  int32_t fallPerMinute = kAnyChange;

  int32_t value(const WeatherRecord& w) const {
    const auto* at = reinterpret_cast<const unsigned char*>(&w) + offset;
    switch (storage) {
      case FieldStorage::U8:
        return *at;
      case FieldStorage::U16: {
        uint16_t v = 0;
        std::memcpy(&v, at, sizeof v);
        return v;
      }
      case FieldStorage::I32:
        break;
    }
    int32_t v = 0;
    std::memcpy(&v, at, sizeof v);
    return v;
  }
};

// Every rule of one group kind, in the record's order.
std::span<const FieldRule> fieldRules(GroupKind kind);

}  // namespace tavik
