// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/station_stamp.h"

namespace tavik {

LocalDateTime stampToDateTime(int day, int month, int hour, int minute, const LocalDateTime& now) {
  return stampToDateTime(day, month, hour, minute, 0, now);
}

LocalDateTime stampToDateTime(int day, int month, int hour, int minute, int second,
                              const LocalDateTime& now) {
  const bool validTime =
      hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
  if (!validTime || !isValidDate(now.year, month, day)) return now;
  return LocalDateTime{now.year, month, day, hour, minute, second, 0};
}

}  // namespace tavik
