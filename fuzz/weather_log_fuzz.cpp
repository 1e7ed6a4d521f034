// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a Wetterlog file read back, with a point or a comma as
// the decimal separator (the first byte chooses). A text that is not a
// Wetterlog adds nothing; every row read names a real moment; sorting keeps
// the rows in order and once each, however often the file was read.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "common/clock.h"
#include "fuzz_input.h"
#include "products/weather_log_reader.h"

using namespace tavik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  RegionalSettings rs = RegionalSettings::german();
  rs.decimalSeparator = (data[0] & 1) != 0 ? '.' : ',';
  const std::string_view text = fuzz::asText(data + 1, size - 1);

  WeatherLog log;
  if (!parseWeatherLog(text, rs, "fuzz.txt", log)) {
    fuzz::check(log.rows.empty() && log.unread.empty(), "a refused text adds nothing");
    return 0;
  }
  for (const WeatherLogRow& row : log.rows) {
    const LocalDateTime t = row.time();
    fuzz::check(t.month >= 1 && t.month <= 12, "a row's month is a month");
    fuzz::check(t.day >= 1 && t.day <= daysInMonth(t.year, t.month), "a row's day is in its month");
    fuzz::check(t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 &&
                    t.second < 60,
                "a row's time is a time of day");
    fuzz::check(secondsOf(t) == row.seconds, "a row's moment reads back");
  }
  for (const UnreadRow& unread : log.unread) {
    fuzz::check(unread.line >= 1 && !unread.why.empty(), "an unread row says where and why");
  }

  WeatherLog once = log;
  sortWeatherLog(once);
  fuzz::check(std::is_sorted(once.rows.begin(), once.rows.end()), "sorted rows are in order");
  fuzz::check(std::adjacent_find(once.rows.begin(), once.rows.end()) == once.rows.end(),
              "sorted rows are there once");
  WeatherLog twice = log;
  parseWeatherLog(text, rs, "fuzz.txt", twice);
  sortWeatherLog(twice);
  fuzz::check(twice.rows == once.rows, "a file read twice gives its rows once");
  return 0;
}
