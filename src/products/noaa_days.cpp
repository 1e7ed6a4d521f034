// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/noaa_days.h"

#include <cmath>
#include <cstdio>

#include "common/clock.h"
#include "common/compass.h"
#include "products/utc_time.h"

namespace tavik {
namespace {

std::string hhmm(int64_t utc) {
  const LocalDateTime t = localOfUtc(utc);
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", t.hour % 100, t.minute % 100);
  return text;
}

// Local seconds of "HH:MM" on the day.
long long secondsAt(const NoaaDay& d, const std::string& time) {
  int hour = 0, minute = 0;
  std::sscanf(time.c_str(), "%d:%d", &hour, &minute);
  return secondsOf(LocalDateTime{d.year, d.month, d.day, hour, minute, 0, 0});
}

int32_t tenths(double v) { return static_cast<int32_t>(std::lround(v * 10)); }

}  // namespace

std::vector<NoaaDay> noaaDays(const std::vector<DaySummary>& days) {
  std::vector<NoaaDay> out;
  out.reserve(days.size());
  for (const DaySummary& d : days) {
    NoaaDay n;
    n.year = d.date.year;
    n.month = d.date.month;
    n.day = d.date.day;
    n.count = static_cast<int>(d.rows);
    const QuantityAggregate& temp = d.of(ArchiveQuantity::TempOut);
    n.meanTemp = temp.mean();
    n.maxTemp = temp.max;
    n.minTemp = temp.min;
    if (temp.max) n.maxTempTime = hhmm(temp.maxTime);
    if (temp.min) n.minTempTime = hhmm(temp.minTime);
    if (d.rows > 0) n.rainMm = d.rain;
    const QuantityAggregate& speed = d.of(ArchiveQuantity::WindSpeed);
    const QuantityAggregate& gust =
        d.of(ArchiveQuantity::Gust).max ? d.of(ArchiveQuantity::Gust) : speed;
    n.meanWind = speed.mean();
    n.maxWind = gust.max;
    if (gust.max) n.maxWindTime = hhmm(gust.maxTime);
    n.prevailingDir = d.prevailingDir;
    out.push_back(std::move(n));
  }
  return out;
}

std::vector<NoaaDay> noaaDaysOf(const ArchiveHistory& archive, int year, int month) {
  const ArchiveDate first{year, month == 0 ? 1 : month, 1};
  const ArchiveDate last{year, month == 0 ? 12 : month, month == 0 ? 31 : daysInMonth(year, month)};
  return noaaDays(archive.days(first, last));
}

std::vector<ClimateDay> climateDaysOf(const std::vector<NoaaDay>& days) {
  std::vector<ClimateDay> out;
  for (const NoaaDay& d : days) {
    ClimateDay c;
    LogSummary& s = c.summary;
    s.date = {d.year, d.month, d.day};
    if (d.count > 0 && d.meanTemp && d.maxTemp && d.minTemp) {
      s.rows = d.count;
      s.days = 1;
      ColumnStats& t = s.columns[static_cast<size_t>(LogColumn::TempO)];
      t.min = tenths(*d.minTemp);
      t.max = tenths(*d.maxTemp);
      t.minAt = secondsAt(d, d.minTempTime);
      t.maxAt = secondsAt(d, d.maxTempTime);
      t.sum = std::llround(*d.meanTemp * 10 * d.count);
      ColumnStats& w = s.columns[static_cast<size_t>(LogColumn::WindS)];
      w.max = tenths(d.maxWind.value_or(0));
      w.maxAt = secondsAt(d, d.maxWindTime);
      w.sum = std::llround(d.meanWind.value_or(0) * 10 * d.count);
      if (d.prevailingDir) s.windPoints[compassPoint(*d.prevailingDir)] = 1;
    }
    c.rainMm = d.rainMm.value_or(0);
    out.push_back(c);
  }
  return out;
}

}  // namespace tavik
