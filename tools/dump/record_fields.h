// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "station/decoders.h"
#include "station/weather_record.h"

namespace tavik {

// One field of the record named by its path ("TempOut.Lo.Minute"); a flag
// holds 0 or 1.
struct RecordField {
  std::string path;
  int64_t value = 0;
  bool isFlag = false;

  friend bool operator==(const RecordField&, const RecordField&) = default;
  friend std::ostream& operator<<(std::ostream& out, const RecordField& f) {
    return out << f.path << '='
               << (f.isFlag ? (f.value ? "true" : "false") : std::to_string(f.value));
  }
};

// Every field that a good group of `kind` writes, in the record's order, with
// its value in `w` (and, for the wind group, gustMaxMinute and
// gustMaxMinuteDir from `s`).
std::vector<RecordField> groupFields(GroupKind kind, const WeatherRecord& w, const StationState& s);

}  // namespace tavik
