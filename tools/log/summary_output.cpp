// SPDX-License-Identifier: GPL-3.0-or-later
#include "summary_output.h"

#include <algorithm>

namespace tavik {

namespace {

std::string twoDigitText(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// A whole number scaled by 10^decimals, written with that many decimals.
std::string scaledText(long long value, int decimals, char separator) {
  if (decimals == 0) return std::to_string(value);
  long long unit = 1;
  for (int i = 0; i < decimals; ++i) unit *= 10;
  const long long magnitude = value < 0 ? -value : value;
  std::string fraction = std::to_string(magnitude % unit);
  fraction.insert(0, static_cast<size_t>(decimals) - fraction.size(), '0');
  return (value < 0 ? "-" : "") + std::to_string(magnitude / unit) + separator + fraction;
}

std::string storedText(int32_t stored, LogColumn c, char separator) {
  return scaledText(stored, layoutOf(c).decimals, separator);
}

std::string meanText(const LogSummary& s, LogColumn c, char separator) {
  return scaledText(s.meanHundredths(c), 2, separator);
}

std::string periodKey(const LogSummary& s, SummaryPeriod period) {
  const std::string month = std::to_string(s.date.year) + "-" + twoDigitText(s.date.month);
  return period == SummaryPeriod::Day ? month + "-" + twoDigitText(s.date.day) : month;
}

std::string germanPeriod(const LogSummary& s, SummaryPeriod period) {
  const std::string month = twoDigitText(s.date.month) + "." + std::to_string(s.date.year);
  return period == SummaryPeriod::Day ? twoDigitText(s.date.day) + "." + month : month;
}

struct TableColumn {
  std::string group;  // the heading over one or more columns
  std::string heading;
  std::vector<std::string> cells;
};

std::vector<TableColumn> tableColumns(const std::vector<LogSummary>& summaries,
                                      SummaryPeriod period) {
  const bool months = period == SummaryPeriod::Month;
  std::vector<TableColumn> t = {{"", months ? "Monat" : "Tag", {}}};
  if (months) t.push_back({"", "Tage", {}});
  t.push_back({"", "Zeilen", {}});
  t.push_back({"", "ausgel.", {}});
  for (const LogColumnLayout& c : kLogColumns) {
    if (c.name == layoutOf(LogColumn::WindR).name) {
      t.push_back({"WindR", "vorh.", {}});
    } else {
      for (const char* h : {"min", "max", "Mittel"}) t.push_back({std::string(c.name), h, {}});
    }
  }
  for (const LogSummary& s : summaries) {
    size_t i = 0;
    t[i++].cells.push_back(germanPeriod(s, period));
    if (months) t[i++].cells.push_back(std::to_string(s.days));
    t[i++].cells.push_back(std::to_string(s.rows));
    t[i++].cells.push_back(std::to_string(s.skipped));
    for (size_t c = 0; c < kLogColumnCount; ++c) {
      const auto column = static_cast<LogColumn>(c);
      if (column == LogColumn::WindR) {
        t[i++].cells.push_back(std::string(compassName(s.prevailingPoint())));
        continue;
      }
      t[i++].cells.push_back(storedText(s.stats(column).min, column, ','));
      t[i++].cells.push_back(storedText(s.stats(column).max, column, ','));
      t[i++].cells.push_back(meanText(s, column, ','));
    }
  }
  return t;
}

std::string padded(const std::string& text, size_t width, bool left) {
  const std::string fill(width > text.size() ? width - text.size() : 0, ' ');
  return left ? text + fill : fill + text;
}

}  // namespace

std::string summaryJson(const LogSummary& s, SummaryPeriod period) {
  const bool months = period == SummaryPeriod::Month;
  std::string out =
      std::string("{\"") + (months ? "month" : "date") + "\":\"" + periodKey(s, period) + "\"";
  if (months) out += ",\"days\":" + std::to_string(s.days);
  out += ",\"rows\":" + std::to_string(s.rows);
  if (s.skipped > 0) out += ",\"skipped\":" + std::to_string(s.skipped);
  for (size_t c = 0; c < kLogColumnCount; ++c) {
    const auto column = static_cast<LogColumn>(c);
    out += ",\"" + std::string(kLogColumns[c].name) + "\":";
    if (column == LogColumn::WindR) {
      out += "\"" + std::string(compassName(s.prevailingPoint())) + "\"";
      continue;
    }
    out += "{\"min\":" + storedText(s.stats(column).min, column, '.') +
           ",\"max\":" + storedText(s.stats(column).max, column, '.') +
           ",\"mean\":" + meanText(s, column, '.') + "}";
  }
  return out + "}";
}

std::vector<std::string> summaryTable(const std::vector<LogSummary>& summaries,
                                      SummaryPeriod period) {
  std::vector<TableColumn> t = tableColumns(summaries, period);
  std::vector<size_t> widths;
  for (const TableColumn& c : t) {
    size_t w = c.heading.size();
    for (const std::string& cell : c.cells) w = std::max(w, cell.size());
    widths.push_back(w);
  }
  // A group's name stands right-aligned over its columns; a long name
  // widens the group's first column.
  std::vector<std::string> lines(2 + summaries.size());
  for (size_t i = 0; i < t.size();) {
    size_t end = i + 1;
    while (end < t.size() && !t[i].group.empty() && t[end].group == t[i].group) ++end;
    size_t span = 0;
    for (size_t k = i; k < end; ++k) span += widths[k] + (k > i ? 2 : 0);
    if (t[i].group.size() > span) widths[i] += t[i].group.size() - span;
    span = std::max(span, t[i].group.size());
    lines[0] += (i > 0 ? "  " : "") + padded(t[i].group, span, false);
    for (size_t k = i; k < end; ++k) {
      const bool left = k == 0;
      const std::string gap = k > 0 ? "  " : "";
      lines[1] += gap + padded(t[k].heading, widths[k], left);
      for (size_t r = 0; r < summaries.size(); ++r)
        lines[2 + r] += gap + padded(t[k].cells[r], widths[k], left);
    }
    i = end;
  }
  return lines;
}

}  // namespace tavik
