// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/noaa_report.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <optional>

namespace tavik {
namespace {

constexpr double kDegreeDayBase = 18.3;
constexpr const char* kRule =
    "------------------------------------------------------------------------------------\n";

constexpr std::array<const char*, 16> kPoints = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                                 "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
constexpr std::array<const char*, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::string format(const char* pattern, ...) {
  char buf[256];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(buf, sizeof buf, pattern, args);
  va_end(args);
  return buf;
}

double meanOf(const LogSummary& s, LogColumn c) { return s.meanHundredths(c) / 100.0; }
double lowOf(const LogSummary& s, LogColumn c) { return s.stats(c).min / 10.0; }
double highOf(const LogSummary& s, LogColumn c) { return s.stats(c).max / 10.0; }

std::string hhmm(long long seconds) {
  const LocalDateTime t = timeOfSeconds(seconds);
  return format("%02d:%02d", t.hour, t.minute);
}

// The figures of a run of days: a month of the monthly report's last line,
// a month of the yearly report, or the whole year.
struct Totals {
  int days = 0;
  double meanSum = 0, highSum = 0, lowSum = 0, windSum = 0;
  double heat = 0, cool = 0, rain = 0;
  std::optional<double> high, low, highWind;
  int highDay = 0, lowDay = 0, highWindDay = 0;
  std::array<int, 16> points{};
  std::array<int, 4> counts{};  // high >= 30, high <= 0, low <= 0, low <= -18

  void add(const ClimateDay& d, int dayNumber) {
    const LogSummary& s = d.summary;
    const double mean = meanOf(s, LogColumn::TempO);
    const double hi = highOf(s, LogColumn::TempO), lo = lowOf(s, LogColumn::TempO);
    const double gust = highOf(s, LogColumn::WindS);
    ++days;
    meanSum += mean;
    highSum += hi;
    lowSum += lo;
    windSum += meanOf(s, LogColumn::WindS);
    heat += std::max(0.0, kDegreeDayBase - mean);
    cool += std::max(0.0, mean - kDegreeDayBase);
    rain += d.rainMm;
    if (!high || hi > *high) high = hi, highDay = dayNumber;
    if (!low || lo < *low) low = lo, lowDay = dayNumber;
    if (!highWind || gust > *highWind) highWind = gust, highWindDay = dayNumber;
    for (size_t k = 0; k < points.size(); ++k) points[k] += s.windPoints[k];
    counts[0] += hi >= 30.0;
    counts[1] += hi <= 0.0;
    counts[2] += lo <= 0.0;
    counts[3] += lo <= -18.0;
  }
  const char* dominant() const {
    return kPoints[static_cast<size_t>(std::max_element(points.begin(), points.end()) -
                                       points.begin())];
  }
};

std::vector<const ClimateDay*> daysOf(const std::vector<ClimateDay>& days, int year, int month) {
  std::vector<const ClimateDay*> out;
  for (const ClimateDay& d : days) {
    if (d.summary.date.year == year && (month == 0 || d.summary.date.month == month) &&
        d.summary.rows > 0) {
      out.push_back(&d);
    }
  }
  return out;
}

std::string heading(const std::string& title, const std::string& station) {
  return std::string(22, ' ') + title + "\n\nNAME: " + station +
         "\n\nTEMPERATURE (C), RAIN (mm), WIND SPEED (m/s)\n\n";
}

std::string dayLine(const ClimateDay& d) {
  const LogSummary& s = d.summary;
  const double mean = meanOf(s, LogColumn::TempO);
  const ColumnStats& t = s.stats(LogColumn::TempO);
  const ColumnStats& w = s.stats(LogColumn::WindS);
  return format("%3d %6.1f %6.1f %6s %6.1f %6s %6.1f %6.1f %6.1f %6.1f %6.1f %6s %5s\n", s.date.day,
                mean, t.max / 10.0, hhmm(t.maxAt).c_str(), t.min / 10.0, hhmm(t.minAt).c_str(),
                std::max(0.0, kDegreeDayBase - mean), std::max(0.0, mean - kDegreeDayBase),
                d.rainMm, meanOf(s, LogColumn::WindS), w.max / 10.0, hhmm(w.maxAt).c_str(),
                kPoints[s.prevailingPoint()]);
}

std::string countLines(const Totals& t) {
  return format("Max >=  30.0: %3d\nMax <=   0.0: %3d\nMin <=   0.0: %3d\nMin <= -18.0: %3d\n",
                t.counts[0], t.counts[1], t.counts[2], t.counts[3]);
}

}  // namespace

std::string noaaMonthFileName(int year, int month) {
  return format("NOAA-%04d-%02d.txt", year, month);
}
std::string noaaYearFileName(int year) { return format("NOAA-%04d.txt", year); }

std::string noaaMonthReport(const std::vector<ClimateDay>& days, int year, int month,
                            const std::string& station) {
  std::string out = heading(format("MONTHLY CLIMATOLOGICAL SUMMARY for %s %04d",
                                   kMonths[static_cast<size_t>((month + 11) % 12)], year),
                            station);
  out +=
      "                                           HEAT   COOL          AVG\n"
      "      MEAN                                 DEG    DEG           WIND                DOM\n"
      "DAY   TEMP   HIGH   TIME    LOW   TIME    DAYS   DAYS   RAIN  SPEED   HIGH   TIME   DIR\n";
  out += kRule;
  const std::vector<const ClimateDay*> present = daysOf(days, year, month);
  Totals t;
  size_t next = 0;
  for (int day = 1; day <= daysInMonth(year, month); ++day) {
    if (next < present.size() && present[next]->summary.date.day == day) {
      out += dayLine(*present[next]);
      t.add(*present[next++], day);
    } else {
      out += format("%3d\n", day);
    }
  }
  out += kRule;
  if (t.days > 0) {
    out += format("    %6.1f %6.1f %6d %6.1f %6d %6.1f %6.1f %6.1f %6.1f %6.1f %6d %5s\n\n",
                  t.meanSum / t.days, *t.high, t.highDay, *t.low, t.lowDay, t.heat, t.cool, t.rain,
                  t.windSum / t.days, *t.highWind, t.highWindDay, t.dominant());
    out += countLines(t);
  }
  return out;
}

std::string noaaYearReport(const std::vector<ClimateDay>& days, int year,
                           const std::string& station) {
  std::string out = heading(format("ANNUAL CLIMATOLOGICAL SUMMARY for %04d", year), station);
  out +=
      "          MEAN   MEAN                              HEAT   COOL          AVG\n"
      "          MAX    MIN   MEAN   HIGH DAY    LOW DAY  DEG D  DEG D   RAIN  SPEED   HIGH DAY  "
      "DOM\n"
      "YEAR MO\n";
  out += kRule;
  Totals wholeYear;
  const std::vector<const ClimateDay*> present = daysOf(days, year, 0);
  for (int month = 1; month <= 12; ++month) {
    Totals t;
    for (const ClimateDay* d : present) {
      if (d->summary.date.month != month) continue;
      t.add(*d, d->summary.date.day);
      wholeYear.add(*d, month);
    }
    if (t.days == 0) {
      out += format("%04d %02d\n", year, month);
      continue;
    }
    out += format(
        "%04d %02d %6.1f %6.1f %6.1f %6.1f %3d %6.1f %3d %6.1f %6.1f %6.1f %6.1f %6.1f %3d %4s\n",
        year, month, t.highSum / t.days, t.lowSum / t.days, t.meanSum / t.days, *t.high, t.highDay,
        *t.low, t.lowDay, t.heat, t.cool, t.rain, t.windSum / t.days, *t.highWind, t.highWindDay,
        t.dominant());
  }
  out += kRule;
  if (wholeYear.days > 0) {
    out += format(
        "        %6.1f %6.1f %6.1f %6.1f %3d %6.1f %3d %6.1f %6.1f %6.1f %6.1f %6.1f %3d %4s\n\n",
        wholeYear.highSum / wholeYear.days, wholeYear.lowSum / wholeYear.days,
        wholeYear.meanSum / wholeYear.days, *wholeYear.high, wholeYear.highDay, *wholeYear.low,
        wholeYear.lowDay, wholeYear.heat, wholeYear.cool, wholeYear.rain,
        wholeYear.windSum / wholeYear.days, *wholeYear.highWind, wholeYear.highWindDay,
        wholeYear.dominant());
    out += countLines(wholeYear);
  }
  return out;
}

}  // namespace tavik
