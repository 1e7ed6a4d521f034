// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_charts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace tavik {
namespace {

// The quantities drawn as lines, in the order of Bucket::sums.
constexpr std::array<LogColumn, 6> kLineColumns = {LogColumn::TempO, LogColumn::TaupO,
                                                   LogColumn::Chill, LogColumn::FeuchtO,
                                                   LogColumn::BaroS, LogColumn::WindS};

struct Bucket {
  std::array<double, kLineColumns.size()> sums{};
  int count = 0;
  std::optional<double> gust;
  double rainMm = 0;
};

struct Span {
  long long start;
  long long width;
  int count;
};

std::vector<Bucket> collect(const std::deque<WeatherLogRow>& rows, const Span& span) {
  std::vector<Bucket> out(static_cast<size_t>(span.count));
  const long long end = span.start + span.width * span.count;
  auto first = std::lower_bound(rows.begin(), rows.end(), span.start,
                                [](const WeatherLogRow& r, long long s) { return r.seconds < s; });
  for (auto it = first; it != rows.end() && it->seconds < end; ++it) {
    Bucket& b = out[static_cast<size_t>((it->seconds - span.start) / span.width)];
    for (size_t k = 0; k < kLineColumns.size(); ++k) b.sums[k] += it->value(kLineColumns[k]);
    ++b.count;
    const double speed = it->value(LogColumn::WindS);
    b.gust = std::max(b.gust.value_or(speed), speed);
    const auto next = std::next(it);
    b.rainMm += rowRainMm(*it, next == rows.end() ? 0 : next->seconds);
  }
  return out;
}

ChartValues means(const std::vector<Bucket>& buckets, size_t k) {
  ChartValues v;
  v.reserve(buckets.size());
  for (const Bucket& b : buckets) {
    v.push_back(b.count ? std::optional<double>(b.sums[k] / b.count) : std::nullopt);
  }
  return v;
}

std::vector<Chart> lineCharts(const std::array<ChartValues, 6>& m, const ChartValues& gust) {
  return {
      {"Temperatur",
       "°C",
       {{"Außen", "l1", m[0]}, {"Taupunkt", "l2", m[1]}, {"Windchill", "l3", m[2]}}},
      {"Luftfeuchtigkeit außen", "%", {{"Außen", "l1", m[3]}}},
      {"Luftdruck (Meereshöhe)", "hPa", {{"Luftdruck", "l1", m[4]}}},
      {"Wind", "m/s", {{"Mittel", "l1", m[5]}, {"Böen", "l2", gust}}},
  };
}

Chart rainChart(const std::string& per, ChartValues rain) {
  return {"Regen " + per, "mm", {{"Regen", "bar", std::move(rain)}}, true};
}

// Gaps up to an hour and ten minutes are joined: a log written every hour
// still draws lines.
int joinGapOf(long long bucketSeconds) {
  return static_cast<int>(std::max<long long>(1, 4200 / bucketSeconds));
}

ChartPeriod recentPeriod(const WebHistory& h, long long now, const std::string& id,
                         const std::string& title, const Span& lines, const Span& rain,
                         const std::string& per, const RegionalSettings& rs) {
  const std::vector<Bucket> b = collect(h.recentRows(), lines);
  std::array<ChartValues, 6> m;
  for (size_t k = 0; k < m.size(); ++k) m[k] = means(b, k);
  ChartValues gust;
  for (const Bucket& x : b) gust.push_back(x.gust);
  ChartPeriod p{id, title, formatDateTime("dd.mm. hh:nn", timeOfSeconds(lines.start), rs),
                formatDateTime("dd.mm. hh:nn", timeOfSeconds(now), rs), lineCharts(m, gust)};
  for (Chart& c : p.charts) c.joinGap = joinGapOf(lines.width);
  ChartValues rainBars;
  for (const Bucket& x : collect(h.recentRows(), rain)) rainBars.push_back(x.rainMm);
  p.charts.push_back(rainChart(per, std::move(rainBars)));
  return p;
}

// Daily means over the last 365 days and the rain of the last twelve
// calendar months.
ChartPeriod yearPeriod(const WebHistory& h, const LocalDateTime& now, const RegionalSettings& rs) {
  const long long today = daysFromCivil(now.year, now.month, now.day);
  const long long firstDay = today - 364;
  std::array<ChartValues, 6> m;
  for (ChartValues& v : m) v.assign(365, std::nullopt);
  ChartValues gust(365);
  ChartValues rain(12, 0.0);
  const int firstMonth = now.year * 12 + now.month - 1 - 11;
  auto add = [&](const ClimateDay& d) {
    const LogDate& date = d.summary.date;
    const int month = date.year * 12 + date.month - 1 - firstMonth;
    if (month >= 0 && month < 12) *rain[static_cast<size_t>(month)] += d.rainMm;
    const long long i = daysFromCivil(date.year, date.month, date.day) - firstDay;
    if (i < 0 || i >= 365 || d.summary.rows == 0) return;
    for (size_t k = 0; k < kLineColumns.size(); ++k) {
      m[k][static_cast<size_t>(i)] = d.summary.meanHundredths(kLineColumns[k]) / 100.0;
    }
    gust[static_cast<size_t>(i)] = d.summary.stats(LogColumn::WindS).max / 10.0;
  };
  const std::vector<ClimateDay>& days = h.finishedDays();
  auto it = std::lower_bound(days.begin(), days.end(), firstMonth, [](const ClimateDay& d, int fm) {
    return d.summary.date.year * 12 + d.summary.date.month - 1 < fm;
  });
  for (; it != days.end(); ++it) add(*it);
  if (const std::optional<ClimateDay> current = h.currentDay()) add(*current);
  int y = 0, mo = 0, d = 0;
  civilFromDays(firstDay, y, mo, d);
  ChartPeriod p{"jahr", "12 Monate", formatDateTime("mmm yyyy", LocalDateTime{y, mo, d}, rs),
                formatDateTime("mmm yyyy", now, rs), lineCharts(m, gust)};
  p.charts.push_back(rainChart("pro Monat", std::move(rain)));
  return p;
}

std::string number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

struct Range {
  double lo;
  double hi;
};

Range rangeOf(const Chart& c) {
  double lo = c.bars ? 0 : INFINITY, hi = c.bars ? 1 : -INFINITY;
  for (const ChartLine& l : c.lines) {
    for (const std::optional<double>& v : l.values) {
      if (!v) continue;
      lo = std::min(lo, *v);
      hi = std::max(hi, *v);
    }
  }
  if (!(lo <= hi)) return {0, 1};
  if (hi - lo < 1) return {lo - 0.5, lo + 0.5};
  return {lo, hi};
}

constexpr double kLeft = 56, kRight = 592, kTop = 10, kBottom = 186;

std::string linePath(const ChartValues& values, const Range& r, int joinGap) {
  std::string d;
  std::optional<size_t> last;
  const double step = values.size() > 1 ? (kRight - kLeft) / (values.size() - 1) : 0;
  for (size_t i = 0; i < values.size(); ++i) {
    if (!values[i]) continue;
    const double y = kBottom - (*values[i] - r.lo) / (r.hi - r.lo) * (kBottom - kTop);
    const bool join = last && i - *last <= static_cast<size_t>(joinGap);
    d += (join ? "L" : "M") + number(kLeft + step * i) + " " + number(y);
    last = i;
  }
  return d;
}

std::string barRects(const ChartValues& values, const Range& r) {
  std::string out;
  const double width = (kRight - kLeft) / std::max<size_t>(values.size(), 1);
  for (size_t i = 0; i < values.size(); ++i) {
    if (!values[i] || *values[i] <= 0) continue;
    const double h = *values[i] / (r.hi - r.lo) * (kBottom - kTop);
    out += "<rect class=\"bar\" x=\"" + number(kLeft + width * i + width * 0.1) + "\" y=\"" +
           number(kBottom - h) + "\" width=\"" + number(width * 0.8) + "\" height=\"" + number(h) +
           "\"/>";
  }
  return out;
}

std::string label(double x, double y, const std::string& anchor, const std::string& text) {
  return "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" + anchor + "\">" +
         text + "</text>";
}

}  // namespace

std::vector<ChartPeriod> buildChartPeriods(const WebHistory& history, const LocalDateTime& now,
                                           const RegionalSettings& rs) {
  const long long t = secondsOf(now) + 1;
  auto span = [t](long long width, int count) { return Span{t - width * count, width, count}; };
  return {
      recentPeriod(history, t, "tag", "24 Stunden", span(600, 144), span(3600, 24), "pro Stunde",
                   rs),
      recentPeriod(history, t, "woche", "7 Tage", span(3600, 168), span(86400, 7), "pro Tag", rs),
      recentPeriod(history, t, "monat", "30 Tage", span(14400, 180), span(86400, 30), "pro Tag",
                   rs),
      yearPeriod(history, now, rs),
  };
}

std::string chartSvg(const Chart& chart, const std::string& firstLabel,
                     const std::string& lastLabel, const RegionalSettings& rs) {
  const Range r = rangeOf(chart);
  std::string out = "<svg viewBox=\"0 0 600 212\" role=\"img\" aria-label=\"" + chart.title +
                    "\"><rect class=\"frame\" x=\"" + number(kLeft) + "\" y=\"" + number(kTop) +
                    "\" width=\"" + number(kRight - kLeft) + "\" height=\"" +
                    number(kBottom - kTop) + "\"/>";
  out += label(kLeft - 4, kTop + 12, "end", tenthsText(std::lround(r.hi * 10), rs));
  out += label(kLeft - 4, kBottom, "end", tenthsText(std::lround(r.lo * 10), rs));
  out += label(kLeft, 206, "start", firstLabel) + label(kRight, 206, "end", lastLabel);
  for (const ChartLine& l : chart.lines) {
    out += chart.bars ? barRects(l.values, r)
                      : "<path class=\"" + l.cssClass + "\" d=\"" +
                            linePath(l.values, r, chart.joinGap) + "\"/>";
  }
  return out + "</svg>";
}

}  // namespace tavik
