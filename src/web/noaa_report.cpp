// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/noaa_report.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "common/clock.h"
#include "common/regional.h"

namespace tavik {
namespace {

constexpr double kDegreeDayBase = 18.3;

constexpr std::array<const char*, 16> kPoints = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                                 "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
constexpr std::array<const char*, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// A table column: up to three heading lines, right-aligned like the values.
struct Column {
  int width;
  const char* head[3];
};

using Table = std::vector<Column>;
using Cells = std::vector<std::string>;

// The monthly table: day, temperatures with their times, degree days, rain
// and wind.
const Table kMonthTable = {
    {3, {"", "", "DAY"}},          {7, {"", "MEAN", "TEMP"}},    {7, {"", "", "HIGH"}},
    {7, {"", "", "TIME"}},         {7, {"", "", "LOW"}},         {7, {"", "", "TIME"}},
    {7, {"HEAT", "DEG", "DAYS"}},  {7, {"COOL", "DEG", "DAYS"}}, {7, {"", "", "RAIN"}},
    {7, {"AVG", "WIND", "SPEED"}}, {7, {"", "", "HIGH"}},        {7, {"", "", "TIME"}},
    {7, {"", "DOM", "DIR"}},
};

const Table kYearTemperatureTable = {
    {7, {"", "", "YR MO"}},       {7, {"", "MEAN", "MAX"}},      {7, {"", "MEAN", "MIN"}},
    {7, {"", "", "MEAN"}},        {7, {"DEP.", "FROM", "NORM"}}, {7, {"HEAT", "DEG", "DAYS"}},
    {7, {"COOL", "DEG", "DAYS"}}, {7, {"", "", "HI"}},           {5, {"", "", "DAY"}},
    {7, {"", "", "LOW"}},         {5, {"", "", "DAY"}},          {6, {"MAX", ">=", "30.0"}},
    {6, {"MAX", "<=", "0.0"}},    {6, {"MIN", "<=", "0.0"}},     {6, {"MIN", "<=", "-18.0"}},
};

const Table kYearRainTable = {
    {7, {"", "", "YR MO"}},       {7, {"", "", "TOTAL"}},        {7, {"DEP.", "FROM", "NORM"}},
    {7, {"MAX", "OBS.", "DAY"}},  {5, {"", "", "DAY"}},          {6, {"DAYS", "OVER", "0.3"}},
    {6, {"DAYS", "OVER", "3.0"}}, {6, {"DAYS", "OVER", "30.0"}},
};

const Table kYearWindTable = {
    {7, {"", "", "YR MO"}}, {7, {"", "", "AVG"}},    {7, {"", "", "HIGH"}},
    {5, {"", "", "DAY"}},   {7, {"", "DOM", "DIR"}},
};

std::string rightAligned(const std::string& text, int width) {
  // Widths count characters; every text of a cell is ASCII.
  const size_t w = static_cast<size_t>(width);
  return text.size() >= w ? text : std::string(w - text.size(), ' ') + text;
}

std::string trimmed(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

// One line of a table: every cell right-aligned in its column, missing
// trailing cells left out.
std::string line(const Table& table, const Cells& cells) {
  std::string out;
  for (size_t i = 0; i < table.size(); ++i) {
    out += rightAligned(i < cells.size() ? cells[i] : "", table[i].width);
  }
  return trimmed(out) + "\n";
}

std::string rule(const Table& table) {
  int width = 0;
  for (const Column& c : table) width += c.width;
  return std::string(static_cast<size_t>(width), '-') + "\n";
}

std::string heading(const Table& table) {
  std::string out;
  for (int row = 0; row < 3; ++row) {
    Cells cells;
    for (const Column& c : table) cells.emplace_back(c.head[row]);
    const std::string text = line(table, cells);
    if (text != "\n") out += text;
  }
  return out + rule(table);
}

// One decimal, rounded half away from zero from the unrounded value; a value
// that rounds to zero is "0.0", never "-0.0". Empty when absent.
std::string tenths(const std::optional<double>& v) {
  if (!v || !std::isfinite(*v)) return "";
  const long long t = std::llround(*v * 10);
  const long long a = t < 0 ? -t : t;
  return (t < 0 ? "-" : "") + std::to_string(a / 10) + "." + std::to_string(a % 10);
}

std::string count(int n) { return std::to_string(n); }

std::string compass(const std::optional<int>& degrees) {
  if (!degrees) return "";
  const int d = ((*degrees % 360) + 360) % 360;
  return kPoints[static_cast<size_t>((d * 20 + 225) / 450 % 16)];  // 22.5° a point
}

std::optional<double> heatDegrees(const NoaaDay& d) {
  if (!d.meanTemp) return std::nullopt;
  return std::max(0.0, kDegreeDayBase - *d.meanTemp);
}
std::optional<double> coolDegrees(const NoaaDay& d) {
  if (!d.meanTemp) return std::nullopt;
  return std::max(0.0, *d.meanTemp - kDegreeDayBase);
}

// A mean over the values that are present.
struct Mean {
  double sum = 0;
  int n = 0;
  void add(const std::optional<double>& v) {
    if (v) sum += *v, ++n;
  }
  std::optional<double> value() const { return n ? std::optional<double>(sum / n) : std::nullopt; }
};

// The extreme of a run of days and the number (day or month) it fell on;
// the first wins a tie.
struct Extreme {
  std::optional<double> value;
  int at = 0;
  void add(const std::optional<double>& v, int number, bool highest) {
    if (!v) return;
    if (!value || (highest ? *v > *value : *v < *value)) value = v, at = number;
  }
  std::string atText() const { return value ? count(at) : ""; }
};

// The figures of a run of days: a month, or the whole year.
struct Totals {
  int days = 0;
  Mean mean, high, low, wind;
  double heat = 0, cool = 0;
  std::optional<double> rain;
  Extreme highest, lowest, gust, wettest;
  double dirX = 0, dirY = 0;
  int dirs = 0;
  std::array<int, 4> temperatureCounts{};  // high >= 30, high <= 0, low <= 0, low <= -18
  std::array<int, 3> rainCounts{};         // >= 0.3, >= 3, >= 30 mm

  void add(const NoaaDay& d, int number) {
    ++days;
    mean.add(d.meanTemp);
    high.add(d.maxTemp);
    low.add(d.minTemp);
    wind.add(d.meanWind);
    heat += heatDegrees(d).value_or(0);
    cool += coolDegrees(d).value_or(0);
    if (d.rainMm) {
      rain = rain.value_or(0) + *d.rainMm;
      rainCounts[0] += *d.rainMm >= 0.3;
      rainCounts[1] += *d.rainMm >= 3.0;
      rainCounts[2] += *d.rainMm >= 30.0;
    }
    highest.add(d.maxTemp, number, true);
    lowest.add(d.minTemp, number, false);
    gust.add(d.maxWind, number, true);
    wettest.add(d.rainMm, number, true);
    if (d.prevailingDir) {
      const double a = *d.prevailingDir * M_PI / 180;
      dirX += std::sin(a), dirY += std::cos(a), ++dirs;
    }
    if (d.maxTemp) {
      temperatureCounts[0] += *d.maxTemp >= 30.0;
      temperatureCounts[1] += *d.maxTemp <= 0.0;
    }
    if (d.minTemp) {
      temperatureCounts[2] += *d.minTemp <= 0.0;
      temperatureCounts[3] += *d.minTemp <= -18.0;
    }
  }
  // The mean of the days' prevailing directions as vectors; none when they
  // cancel out.
  std::optional<int> dominant() const {
    if (dirs == 0 || std::hypot(dirX, dirY) < 1e-9) return std::nullopt;
    return static_cast<int>(std::lround(std::atan2(dirX, dirY) * 180 / M_PI + 360)) % 360;
  }
};

// The days with rows of a month (0: of the whole year), by date.
std::vector<const NoaaDay*> daysOf(const std::vector<NoaaDay>& days, int year, int month) {
  std::vector<const NoaaDay*> out;
  for (const NoaaDay& d : days) {
    if (d.year == year && (month == 0 || d.month == month) && d.count > 0) out.push_back(&d);
  }
  std::stable_sort(out.begin(), out.end(), [](const NoaaDay* a, const NoaaDay* b) {
    return a->month != b->month ? a->month < b->month : a->day < b->day;
  });
  return out;
}

// "52-30.00 N": degrees and minutes with two decimals.
std::string angle(const std::optional<double>& v, int degreeDigits, const char* positive,
                  const char* negative) {
  if (!v || !std::isfinite(*v)) return "";
  const long long hundredths = std::llround(std::fabs(*v) * 6000);  // of a minute
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld-%05.2f %s", degreeDigits, hundredths / 6000,
                static_cast<double>(hundredths % 6000) / 100, *v < 0 ? negative : positive);
  return buf;
}

std::string stationLines(const std::string& title, const NoaaStation& s) {
  std::string elevation;
  if (s.elevationM && std::isfinite(*s.elevationM)) {
    elevation = std::to_string(std::llround(*s.elevationM)) + " meters";
  }
  // A line break in the name would shift every line below it.
  std::string name = s.name;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return std::string(19, ' ') + title + "\n\n\nNAME: " + name + "\nELEV: " + elevation +
         "    LAT: " + angle(s.latitude, 2, "N", "S") +
         "    LONG: " + angle(s.longitude, 3, "E", "W") + "\n\n\n";
}

std::string monthDayLine(const NoaaDay& d) {
  return line(kMonthTable, {twoDigits(d.day), tenths(d.meanTemp), tenths(d.maxTemp), d.maxTempTime,
                            tenths(d.minTemp), d.minTempTime, tenths(heatDegrees(d)),
                            tenths(coolDegrees(d)), tenths(d.rainMm), tenths(d.meanWind),
                            tenths(d.maxWind), d.maxWindTime, compass(d.prevailingDir)});
}

std::string countLines(const Totals& t) {
  const std::array<const char*, 4> labels = {
      "Max >=  30.0:", "Max <=   0.0:", "Min <=   0.0:", "Min <= -18.0:"};
  std::string out;
  for (size_t i = 0; i < labels.size(); ++i) {
    out += std::string(labels[i]) + rightAligned(count(t.temperatureCounts[i]), 4) + "\n";
  }
  return out;
}

std::string yearMonth(int year, int month) { return std::to_string(year) + " " + twoDigits(month); }

}  // namespace

std::string noaaMonthFileName(int year, int month) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "NOAA-%04d-%02d.txt", year, month);
  return buf;
}

std::string noaaYearFileName(int year) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "NOAA-%04d.txt", year);
  return buf;
}

std::string noaaMonthReport(const std::vector<NoaaDay>& days, int year, int month,
                            const NoaaStation& station) {
  const std::string title = "MONTHLY CLIMATOLOGICAL SUMMARY for " +
                            std::string(kMonths[static_cast<size_t>((month + 11) % 12)]) + " " +
                            std::to_string(year);
  std::string out = stationLines(title, station);
  out += std::string(19, ' ') + "TEMPERATURE (C), RAIN (mm), WIND SPEED (m/s)\n\n";
  out += heading(kMonthTable);
  const std::vector<const NoaaDay*> present = daysOf(days, year, month);
  Totals t;
  size_t next = 0;
  for (int day = 1; day <= daysInMonth(year, month); ++day) {
    while (next < present.size() && present[next]->day < day) ++next;  // a day given twice
    if (next < present.size() && present[next]->day == day) {
      out += monthDayLine(*present[next]);
      t.add(*present[next++], day);
    } else {
      out += line(kMonthTable, {twoDigits(day)});
    }
  }
  out += rule(kMonthTable);
  if (t.days > 0) {
    out +=
        line(kMonthTable, {"", tenths(t.mean.value()), tenths(t.highest.value), t.highest.atText(),
                           tenths(t.lowest.value), t.lowest.atText(), tenths(t.heat),
                           tenths(t.cool), tenths(t.rain), tenths(t.wind.value()),
                           tenths(t.gust.value), t.gust.atText(), compass(t.dominant())});
    out += "\n" + countLines(t);
  }
  return out;
}

std::string noaaYearReport(const std::vector<NoaaDay>& days, int year, const NoaaStation& station) {
  std::string out =
      stationLines("ANNUAL CLIMATOLOGICAL SUMMARY for " + std::to_string(year), station);
  const std::vector<const NoaaDay*> present = daysOf(days, year, 0);
  std::array<Totals, 12> months;
  Totals whole;
  for (const NoaaDay* d : present) {
    if (d->month < 1 || d->month > 12) continue;
    months[static_cast<size_t>(d->month - 1)].add(*d, d->day);
    whole.add(*d, d->month);
  }

  out += std::string(19, ' ') + "TEMPERATURE (C), HEAT BASE 18.3, COOL BASE 18.3\n\n";
  out += heading(kYearTemperatureTable);
  auto temperatureRow = [](const std::string& first, const Totals& t) {
    const auto& c = t.temperatureCounts;
    return line(kYearTemperatureTable,
                {first, tenths(t.high.value()), tenths(t.low.value()), tenths(t.mean.value()), "",
                 tenths(t.heat), tenths(t.cool), tenths(t.highest.value), t.highest.atText(),
                 tenths(t.lowest.value), t.lowest.atText(), count(c[0]), count(c[1]), count(c[2]),
                 count(c[3])});
  };
  for (int m = 1; m <= 12; ++m) {
    const Totals& t = months[static_cast<size_t>(m - 1)];
    out += t.days ? temperatureRow(yearMonth(year, m), t)
                  : line(kYearTemperatureTable, {yearMonth(year, m)});
  }
  out += rule(kYearTemperatureTable);
  if (whole.days) out += temperatureRow("", whole);

  out += "\n\n" + std::string(19, ' ') + "PRECIPITATION (mm)\n\n";
  out += heading(kYearRainTable);
  auto rainRow = [](const std::string& first, const Totals& t) {
    const auto& c = t.rainCounts;
    return line(kYearRainTable, {first, tenths(t.rain), "", tenths(t.wettest.value),
                                 t.wettest.atText(), count(c[0]), count(c[1]), count(c[2])});
  };
  for (int m = 1; m <= 12; ++m) {
    const Totals& t = months[static_cast<size_t>(m - 1)];
    out += t.days ? rainRow(yearMonth(year, m), t) : line(kYearRainTable, {yearMonth(year, m)});
  }
  out += rule(kYearRainTable);
  if (whole.days) out += rainRow("", whole);

  out += "\n\n" + std::string(19, ' ') + "WIND SPEED (m/s)\n\n";
  out += heading(kYearWindTable);
  auto windRow = [](const std::string& first, const Totals& t) {
    return line(kYearWindTable, {first, tenths(t.wind.value()), tenths(t.gust.value),
                                 t.gust.atText(), compass(t.dominant())});
  };
  for (int m = 1; m <= 12; ++m) {
    const Totals& t = months[static_cast<size_t>(m - 1)];
    out += t.days ? windRow(yearMonth(year, m), t) : line(kYearWindTable, {yearMonth(year, m)});
  }
  out += rule(kYearWindTable);
  if (whole.days) out += windRow("", whole);
  return out;
}

}  // namespace tavik
