// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/clock.h"

namespace tavik {

// A station time stamp (the console sends no year) completed with the year of
// `now`, the PC's current moment. When the fields do not form a valid date
// and time (a field out of range, or all zero before the first clock group),
// the result is `now` itself, date and time alike.
LocalDateTime stampToDateTime(int day, int month, int hour, int minute, const LocalDateTime& now);

// The same with the seconds of the station clock.
LocalDateTime stampToDateTime(int day, int month, int hour, int minute, int second,
                              const LocalDateTime& now);

}  // namespace tavik
