// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_charts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "products/utc_time.h"

namespace tavik {
namespace {

// The quantities drawn as lines, in the order of Bucket::sums.
constexpr std::array<ArchiveQuantity, 6> kLineQuantities = {
    ArchiveQuantity::TempOut, ArchiveQuantity::DewOut,  ArchiveQuantity::Chill,
    ArchiveQuantity::HumOut,  ArchiveQuantity::BaroSea, ArchiveQuantity::WindSpeed};

struct Bucket {
  std::array<double, kLineQuantities.size()> sums{};
  std::array<int64_t, kLineQuantities.size()> counts{};
  std::optional<double> gust;
};

// Buckets of `width` seconds from `start` (UTC), `count` of them.
struct Span {
  int64_t start;
  int64_t width;
  int count;

  int64_t end() const { return start + width * count; }
  std::optional<size_t> indexOf(int64_t t) const {
    if (t < start || t >= end()) return std::nullopt;
    return static_cast<size_t>((t - start) / width);
  }
};

void addGust(Bucket& b, double gust) { b.gust = std::max(b.gust.value_or(gust), gust); }

// The buckets of a short span, from its rows.
std::vector<Bucket> fromRows(const ArchiveHistory& archive, const Span& span) {
  std::vector<Bucket> out(static_cast<size_t>(span.count));
  archive.rows(span.start, span.end(), [&](const ArchiveRow& row) {
    const std::optional<size_t> i = span.indexOf(row.time);
    if (!i) return true;
    Bucket& b = out[*i];
    for (size_t k = 0; k < kLineQuantities.size(); ++k) {
      if (const std::optional<double> v = quantityValue(row, kLineQuantities[k])) {
        b.sums[k] += *v;
        ++b.counts[k];
      }
    }
    const std::optional<double> gust = quantityValue(row, ArchiveQuantity::Gust);
    if (const std::optional<double> g =
            gust ? gust : quantityValue(row, ArchiveQuantity::WindSpeed))
      addGust(b, *g);
    return true;
  });
  return out;
}

// The buckets of a longer span, from the archive's hourly aggregates; an
// hour counts in the bucket its start falls in.
std::vector<Bucket> fromHours(const ArchiveHistory& archive, const Span& span) {
  std::vector<Bucket> out(static_cast<size_t>(span.count));
  for (size_t k = 0; k < kLineQuantities.size(); ++k) {
    for (const HourAggregate& h : archive.hourly(kLineQuantities[k], span.start, span.end())) {
      if (const std::optional<size_t> i = span.indexOf(h.hourStart)) {
        out[*i].sums[k] += h.value.sum;
        out[*i].counts[k] += h.value.count;
      }
    }
  }
  std::vector<HourAggregate> gusts = archive.hourly(ArchiveQuantity::Gust, span.start, span.end());
  if (gusts.empty()) gusts = archive.hourly(ArchiveQuantity::WindSpeed, span.start, span.end());
  for (const HourAggregate& h : gusts) {
    const std::optional<size_t> i = span.indexOf(h.hourStart);
    if (i && h.value.max) addGust(out[*i], *h.value.max);
  }
  return out;
}

ChartValues means(const std::vector<Bucket>& buckets, size_t k) {
  ChartValues v;
  v.reserve(buckets.size());
  for (const Bucket& b : buckets) {
    v.push_back(b.counts[k] ? std::optional<double>(b.sums[k] / static_cast<double>(b.counts[k]))
                            : std::nullopt);
  }
  return v;
}

// The rain of each bucket of `span`, as the archive counts it.
ChartValues rainOf(const ArchiveHistory& archive, const Span& span) {
  ChartValues rain;
  for (int i = 0; i < span.count; ++i) {
    const int64_t from = span.start + span.width * i;
    rain.push_back(archive.rainBetween(from, from + span.width));
  }
  return rain;
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
int joinGapOf(int64_t bucketSeconds) {
  return static_cast<int>(std::max<int64_t>(1, 4200 / bucketSeconds));
}

ChartPeriod recentPeriod(const ArchiveHistory& archive, int64_t now, const std::string& id,
                         const std::string& title, const Span& lines, const Span& rain,
                         const std::string& per, const RegionalSettings& rs) {
  const std::vector<Bucket> b =
      lines.width < 3600 ? fromRows(archive, lines) : fromHours(archive, lines);
  std::array<ChartValues, 6> m;
  for (size_t k = 0; k < m.size(); ++k) m[k] = means(b, k);
  ChartValues gust;
  for (const Bucket& x : b) gust.push_back(x.gust);
  ChartPeriod p{id, title, formatDateTime("dd.mm. hh:nn", localOfUtc(lines.start), rs),
                formatDateTime("dd.mm. hh:nn", localOfUtc(now), rs), lineCharts(m, gust)};
  for (Chart& c : p.charts) c.joinGap = joinGapOf(lines.width);
  p.charts.push_back(rainChart(per, rainOf(archive, rain)));
  return p;
}

// Daily means over the last 365 days and the rain of the last twelve
// calendar months, from the daily summaries.
ChartPeriod yearPeriod(const ArchiveHistory& archive, const LocalDateTime& now,
                       const RegionalSettings& rs) {
  const long long today = daysFromCivil(now.year, now.month, now.day);
  const long long firstDay = today - 364;
  std::array<ChartValues, 6> m;
  for (ChartValues& v : m) v.assign(365, std::nullopt);
  ChartValues gust(365);
  ChartValues rain(12, 0.0);
  const int firstMonth = now.year * 12 + now.month - 1 - 11;
  ArchiveDate from{firstMonth / 12, firstMonth % 12 + 1, 1};
  for (const DaySummary& d : archive.days(from, {now.year, now.month, now.day})) {
    const int month = d.date.year * 12 + d.date.month - 1 - firstMonth;
    if (month >= 0 && month < 12) *rain[static_cast<size_t>(month)] += d.rain;
    const long long i = daysFromCivil(d.date.year, d.date.month, d.date.day) - firstDay;
    if (i < 0 || i >= 365 || d.rows == 0) continue;
    for (size_t k = 0; k < kLineQuantities.size(); ++k) {
      m[k][static_cast<size_t>(i)] = d.of(kLineQuantities[k]).mean();
    }
    const QuantityAggregate& g = d.of(ArchiveQuantity::Gust);
    gust[static_cast<size_t>(i)] = g.max ? g.max : d.of(ArchiveQuantity::WindSpeed).max;
  }
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

std::vector<ChartPeriod> buildChartPeriods(const ArchiveHistory& archive, const LocalDateTime& now,
                                           const RegionalSettings& rs) {
  const int64_t t = utcOfLocal(now) + 1;
  auto span = [t](int64_t width, int count) { return Span{t - width * count, width, count}; };
  return {
      recentPeriod(archive, t, "tag", "24 Stunden", span(600, 144), span(3600, 24), "pro Stunde",
                   rs),
      recentPeriod(archive, t, "woche", "7 Tage", span(3600, 168), span(86400, 7), "pro Tag", rs),
      recentPeriod(archive, t, "monat", "30 Tage", span(14400, 180), span(86400, 30), "pro Tag",
                   rs),
      yearPeriod(archive, now, rs),
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
