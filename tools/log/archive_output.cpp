// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive_output.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>

#include "archive/archive_fields.h"

namespace tavik {

namespace {

// A number with `decimals` decimals and `separator`; never "-0,0".
std::string numberText(double v, int decimals, char separator = '.') {
  const double scale = std::pow(10.0, decimals);
  double rounded = std::round(v * scale) / scale;
  if (rounded == 0) rounded = 0;  // drops the sign of -0
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
  std::string s = text;
  if (separator != '.')
    for (char& c : s)
      if (c == '.') c = separator;
  return s;
}

int decimalsOf(const ArchiveField& f) { return f.scale < 1 ? 1 : 0; }

std::string timeText(int64_t seconds, bool utc) {
  const time_t t = static_cast<time_t>(seconds);
  tm parts{};
  if (utc)
    gmtime_r(&t, &parts);
  else
    localtime_r(&t, &parts);
  char text[32];
  std::strftime(text, sizeof text, utc ? "%Y-%m-%dT%H:%M:%SZ" : "%Y-%m-%dT%H:%M:%S", &parts);
  return text;
}

// The console's clock is kept as wall-clock seconds, read as they are.
std::string wallText(int64_t seconds) { return timeText(seconds, true).substr(0, 19); }

std::string pad(const std::string& text, size_t width) {
  // Widths count characters; the headings hold no letters beyond ASCII.
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

void addUp(DaySummary& into, const DaySummary& d) {
  into.rows += d.rows;
  into.rain += d.rain;
  into.windRun += d.windRun;
  into.windX += d.windX;
  into.windY += d.windY;
  for (size_t q = 0; q < into.quantities.size(); ++q) {
    QuantityAggregate& a = into.quantities[q];
    const QuantityAggregate& b = d.quantities[q];
    if (b.count == 0) continue;
    if (!a.min || *b.min < *a.min) {
      a.min = b.min;
      a.minTime = b.minTime;
    }
    if (!a.max || *b.max > *a.max) {
      a.max = b.max;
      a.maxTime = b.maxTime;
    }
    a.sum += b.sum;
    a.count += b.count;
  }
}

void settleDirection(DaySummary& d) {
  d.prevailingDir.reset();
  if (std::hypot(d.windX, d.windY) > 1e-9) {
    const int dir =
        static_cast<int>(std::lround(std::atan2(d.windX, d.windY) * 180.0 / std::numbers::pi));
    d.prevailingDir = (dir + 360) % 360;
  }
}

std::string twoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

struct TableColumn {
  ArchiveQuantity quantity;
  const char* heading;
};
constexpr TableColumn kTableColumns[] = {
    {ArchiveQuantity::TempOut, "TempO"},   {ArchiveQuantity::HumOut, "FeuchtO"},
    {ArchiveQuantity::DewOut, "TaupO"},    {ArchiveQuantity::BaroSea, "BaroS"},
    {ArchiveQuantity::WindSpeed, "WindS"}, {ArchiveQuantity::Gust, "Boe"},
};

}  // namespace

std::vector<ArchiveSpan> daysOf(const std::vector<DaySummary>& days) {
  std::vector<ArchiveSpan> spans;
  for (const DaySummary& d : days) spans.push_back({d.date, 1, d});
  return spans;
}

std::vector<ArchiveSpan> monthsOf(const std::vector<DaySummary>& days) {
  std::vector<ArchiveSpan> spans;
  for (const DaySummary& d : days) {
    const ArchiveDate first{d.date.year, d.date.month, 1};
    if (spans.empty() || spans.back().date != first) {
      ArchiveSpan s;
      s.date = first;
      s.total.date = first;
      s.total.firstTime = d.firstTime;
      spans.push_back(s);
    }
    ArchiveSpan& s = spans.back();
    ++s.days;
    addUp(s.total, d);
    s.total.lastTime = d.lastTime;
  }
  for (ArchiveSpan& s : spans) settleDirection(s.total);
  return spans;
}

std::string spanJson(const ArchiveSpan& s, bool month) {
  const std::string ym = std::to_string(s.date.year) + "-" + twoDigits(s.date.month);
  std::string json = month ? "{\"month\":\"" + ym + "\",\"days\":" + std::to_string(s.days)
                           : "{\"date\":\"" + dayText(s.date) + "\"";
  json += ",\"rows\":" + std::to_string(s.total.rows);
  for (int q = 0; q < kArchiveQuantityCount; ++q) {
    const ArchiveField& f = fieldOf(static_cast<ArchiveQuantity>(q));
    const QuantityAggregate& a = s.total.quantities[static_cast<size_t>(q)];
    json += ",\"" + std::string(f.column) + "\":";
    if (a.count == 0) {
      json += "null";
      continue;
    }
    const int d = decimalsOf(f);
    json += "{\"min\":" + numberText(*a.min, d) + ",\"min_time\":\"" + timeText(a.minTime, false) +
            "\",\"max\":" + numberText(*a.max, d) + ",\"max_time\":\"" +
            timeText(a.maxTime, false) + "\",\"mean\":" + numberText(*a.mean(), d + 1) + "}";
  }
  json += ",\"rain\":" + numberText(s.total.rain, 1) +
          ",\"wind_run\":" + numberText(s.total.windRun, 1) + ",\"wind_dir\":" +
          (s.total.prevailingDir ? std::to_string(*s.total.prevailingDir) : "null") + "}";
  return json;
}

std::vector<std::string> spanTable(const std::vector<ArchiveSpan>& spans, bool month) {
  constexpr size_t kWidth = 8;
  std::string top = month ? "  Monat  Tage Zeilen" : "     Datum Zeilen";
  std::string second(top.size(), ' ');
  for (const TableColumn& c : kTableColumns) {
    top += pad(c.heading, 2 * kWidth) + std::string(kWidth, ' ');
    second += pad("min", kWidth) + pad("max", kWidth) + pad("Mittel", kWidth);
  }
  top += pad("Regen", kWidth) + pad("Windweg", 9) + pad("WindR", kWidth);
  second += pad("mm", kWidth) + pad("km", 9) + pad("Grad", kWidth);
  std::vector<std::string> lines = {top, second};
  for (const ArchiveSpan& s : spans) {
    std::string line =
        month ? twoDigits(s.date.month) + "." + std::to_string(s.date.year) +
                    pad(std::to_string(s.days), 6) + pad(std::to_string(s.total.rows), 7)
              : twoDigits(s.date.day) + "." + twoDigits(s.date.month) + "." +
                    std::to_string(s.date.year) + pad(std::to_string(s.total.rows), 7);
    for (const TableColumn& c : kTableColumns) {
      const QuantityAggregate& a = s.total.of(c.quantity);
      const int d = decimalsOf(fieldOf(c.quantity));
      if (a.count == 0) {
        line += pad("–", kWidth + 2) + pad("–", kWidth + 2) + pad("–", kWidth + 2);
        continue;
      }
      line += pad(numberText(*a.min, d, ','), kWidth) + pad(numberText(*a.max, d, ','), kWidth) +
              pad(numberText(*a.mean(), d + 1, ','), kWidth);
    }
    line += pad(numberText(s.total.rain, 1, ','), kWidth) +
            pad(numberText(s.total.windRun, 1, ','), 9) +
            (s.total.prevailingDir ? pad(std::to_string(*s.total.prevailingDir), kWidth)
                                   : pad("–", kWidth + 2));
    lines.push_back(line);
  }
  return lines;
}

std::string rowJson(const ArchiveRow& row) {
  std::string json =
      "{\"time\":\"" + timeText(row.time, true) + "\",\"local\":\"" + timeText(row.time, false) +
      "\",\"interval\":" + std::to_string(row.interval) +
      ",\"console_time\":" + (row.consoleTime ? "\"" + wallText(*row.consoleTime) + "\"" : "null");
  for (const ArchiveField& f : kArchiveFields) {
    const std::optional<int32_t>& v = row.*f.member;
    json += ",\"" + std::string(f.column) +
            "\":" + (v ? numberText(*v * f.scale, decimalsOf(f)) : "null");
  }
  json += ",\"battery_low\":" +
          std::string(row.batteryLow ? (*row.batteryLow ? "true" : "false") : "null");
  json += ",\"rain\":" + (row.rain ? numberText(*row.rain, 2) : "null") + "}";
  return json;
}

std::string rowTableHeading() {
  std::string line = "Zeit (lokal)       ";
  for (const ArchiveField& f : kArchiveFields) line += " " + std::string(f.column);
  return line + " battery_low rain";
}

std::string rowTableLine(const ArchiveRow& row) {
  std::string line = timeText(row.time, false);
  line[10] = ' ';
  for (const ArchiveField& f : kArchiveFields) {
    const std::optional<int32_t>& v = row.*f.member;
    line += pad(v ? numberText(*v * f.scale, decimalsOf(f), ',') : "–",
                std::string(f.column).size() + (v ? 1 : 3));
  }
  line +=
      pad(row.batteryLow ? (*row.batteryLow ? "ja" : "nein") : "–", 12 + (row.batteryLow ? 0 : 2));
  line += pad(row.rain ? numberText(*row.rain, 2, ',') : "–", 5 + (row.rain ? 0 : 2));
  return line;
}

}  // namespace tavik
