// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/daily_table.h"

namespace tavik {

namespace {

std::string storedText(int32_t stored, LogColumn column, const RegionalSettings& rs) {
  return layoutOf(column).decimals == 1 ? fixedDecimalText(stored / 10.0, 1, rs.decimalSeparator)
                                        : std::to_string(stored);
}

std::string timeText(long long seconds, const RegionalSettings& rs) {
  return formatDateTime("hh:nn", timeOfSeconds(seconds), rs);
}

}  // namespace

std::vector<DailyTableRow> dailyTable(std::span<const LogSummary> days, LogColumn column,
                                      const RegionalSettings& rs) {
  std::vector<DailyTableRow> table;
  for (const LogSummary& s : days) {
    const ColumnStats& c = s.stats(column);
    table.push_back({formatShortDate(s.date.year, s.date.month, s.date.day, rs),
                     storedText(c.min, column, rs), timeText(c.minAt, rs),
                     storedText(c.max, column, rs), timeText(c.maxAt, rs),
                     fixedDecimalText(s.meanHundredths(column) / 100.0, 2, rs.decimalSeparator),
                     storedText(s.stats(LogColumn::WindS).max, LogColumn::WindS, rs),
                     storedText(s.stats(LogColumn::Regen).max, LogColumn::Regen, rs)});
  }
  return table;
}

}  // namespace tavik
