// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/noaa_days.h"

#include <cmath>
#include <cstdio>

#include "common/clock.h"
#include "products/utc_time.h"

namespace tavik {
namespace {

std::string hhmm(int64_t utc) {
  const LocalDateTime t = localOfUtc(utc);
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", t.hour % 100, t.minute % 100);
  return text;
}

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

}  // namespace tavik
