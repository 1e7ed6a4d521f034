// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/daily_table.h"

#include <cmath>

#include "explorer/archive_view.h"
#include "products/utc_time.h"

namespace tavik {

namespace {

std::string valueText(const std::optional<double>& v, LogColumn column,
                      const RegionalSettings& rs) {
  if (!v) return "–";
  return layoutOf(column).decimals == 1 ? fixedDecimalText(*v, 1, rs.decimalSeparator)
                                        : std::to_string(std::llround(*v));
}

std::string timeText(const std::optional<double>& v, int64_t utc, const RegionalSettings& rs) {
  return v ? formatDateTime("hh:nn", localOfUtc(utc), rs) : std::string();
}

}  // namespace

std::vector<ArchiveQuantity> dailyTableQuantities(ArchiveQuantity column) {
  std::vector<ArchiveQuantity> quantities{column};
  for (const ArchiveQuantity q : {ArchiveQuantity::WindSpeed, ArchiveQuantity::RainRate})
    if (q != column) quantities.push_back(q);
  return quantities;
}

std::string dayCellText(const DaySummary& day, DayCell cell, LogColumn column,
                        const RegionalSettings& rs) {
  const QuantityAggregate& a = day.of(archiveQuantityOf(column).value_or(ArchiveQuantity::TempOut));
  switch (cell) {
    case DayCell::Day:
      return formatShortDate(day.date.year, day.date.month, day.date.day, rs);
    case DayCell::Minimum:
      return valueText(a.min, column, rs);
    case DayCell::MinimumTime:
      return timeText(a.min, a.minTime, rs);
    case DayCell::Maximum:
      return valueText(a.max, column, rs);
    case DayCell::MaximumTime:
      return timeText(a.max, a.maxTime, rs);
    case DayCell::Mean: {
      const std::optional<double> mean = a.mean();
      return mean ? fixedDecimalText(std::round(*mean * 100) / 100, 2, rs.decimalSeparator)
                  : std::string("–");
    }
    case DayCell::WindMax:
      return valueText(day.of(ArchiveQuantity::WindSpeed).max, LogColumn::WindS, rs);
    case DayCell::RainMax:
      return valueText(day.of(ArchiveQuantity::RainRate).max, LogColumn::Regen, rs);
  }
  return {};
}

}  // namespace tavik
