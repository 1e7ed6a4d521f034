// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_charts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>

#include "products/utc_time.h"
#include "products/weather_log_reader.h"

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

// Local seconds (secondsOf) of a UTC moment, as the chart's ticks count.
long long localSecondsOf(int64_t utc) { return secondsOf(localOfUtc(utc)); }

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

// The least scale height of each quantity: a steady value draws a flat line
// instead of magnified noise.
std::vector<Chart> lineCharts(const std::array<ChartValues, 6>& m, const ChartValues& gust) {
  return {
      {"Temperatur",
       "°C",
       {{"Außen", "l1", m[0]}, {"Taupunkt", "l2", m[1]}, {"Windchill", "l3", m[2]}},
       false,
       1,
       2},
      {"Luftfeuchtigkeit außen", "%", {{"Außen", "l1", m[3]}}, false, 1, 10},
      {"Luftdruck (Meereshöhe)", "hPa", {{"Luftdruck", "l1", m[4]}}, false, 1, 5},
      {"Wind", "m/s", {{"Mittel", "l1", m[5]}, {"Böen", "l2", gust}}, false, 1, 2},
  };
}

Chart rainChart(const std::string& per, ChartValues rain) {
  return {"Regen " + per, "mm", {{"Regen", "bar", std::move(rain)}}, true, 1, 1};
}

// Gaps up to an hour and ten minutes are joined: a log written every hour
// still draws lines.
int joinGapOf(int64_t bucketSeconds) {
  return static_cast<int>(std::max<int64_t>(1, 4200 / bucketSeconds));
}

ChartPeriod recentPeriod(const ArchiveHistory& archive, int64_t now, const std::string& id,
                         const std::string& title, const Span& lines, const Span& rain,
                         const std::string& per) {
  const std::vector<Bucket> b =
      lines.width < 3600 ? fromRows(archive, lines) : fromHours(archive, lines);
  std::array<ChartValues, 6> m;
  for (size_t k = 0; k < m.size(); ++k) m[k] = means(b, k);
  ChartValues gust;
  for (const Bucket& x : b) gust.push_back(x.gust);
  ChartPeriod p{id, title, localSecondsOf(lines.start), localSecondsOf(now), lineCharts(m, gust)};
  for (Chart& c : p.charts) c.joinGap = joinGapOf(lines.width);
  p.charts.push_back(rainChart(per, rainOf(archive, rain)));
  return p;
}

// Daily means and the rain per month of the last twelve calendar months,
// the current one drawn to its end, so that each month takes its own twelfth
// of the width and the days still to come stay empty.
ChartPeriod yearPeriod(const ArchiveHistory& archive, const LocalDateTime& now) {
  const int firstMonth = now.year * 12 + now.month - 1 - 11;
  const long long firstDay = daysFromCivil(firstMonth / 12, firstMonth % 12 + 1, 1);
  const long long endDay =
      daysFromCivil(now.month == 12 ? now.year + 1 : now.year, now.month % 12 + 1, 1);
  const size_t dayCount = static_cast<size_t>(endDay - firstDay);
  std::array<ChartValues, 6> m;
  for (ChartValues& v : m) v.assign(dayCount, std::nullopt);
  ChartValues gust(dayCount);
  ChartValues rain(12, 0.0);
  const ArchiveDate from{firstMonth / 12, firstMonth % 12 + 1, 1};
  for (const DaySummary& d : archive.days(from, {now.year, now.month, now.day})) {
    const int month = d.date.year * 12 + d.date.month - 1 - firstMonth;
    if (month >= 0 && month < 12) *rain[static_cast<size_t>(month)] += d.rain;
    const long long i = daysFromCivil(d.date.year, d.date.month, d.date.day) - firstDay;
    if (i < 0 || i >= static_cast<long long>(dayCount) || d.rows == 0) continue;
    for (size_t k = 0; k < kLineQuantities.size(); ++k) {
      m[k][static_cast<size_t>(i)] = d.of(kLineQuantities[k]).mean();
    }
    const QuantityAggregate& g = d.of(ArchiveQuantity::Gust);
    gust[static_cast<size_t>(i)] = g.max ? g.max : d.of(ArchiveQuantity::WindSpeed).max;
  }
  ChartPeriod p{"jahr", "12 Monate", firstDay * 86400, endDay * 86400, lineCharts(m, gust)};
  p.charts.push_back(rainChart("pro Monat", std::move(rain)));
  return p;
}

// The drawing's own units: the SVG scales them to the page's width, so a
// phone's 340 CSS px show 12 units of text as 12.75 px.
constexpr double kWidth = 320, kHeight = 184;
constexpr double kLeft = 2, kRight = 318, kTop = 20, kBottom = 150;
constexpr double kTickLabelY = 166;

std::string number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

struct Range {
  double lo;
  double hi;
};

// The values' range, widened about its middle to the chart's least span;
// bars always start at zero.
std::optional<Range> rangeOf(const Chart& c) {
  double lo = INFINITY, hi = -INFINITY;
  for (const ChartLine& l : c.lines) {
    for (const std::optional<double>& v : l.values) {
      if (!v || !std::isfinite(*v)) continue;
      lo = std::min(lo, *v);
      hi = std::max(hi, *v);
    }
  }
  if (!(lo <= hi)) return std::nullopt;
  if (c.bars) return Range{0, std::max(hi, c.minSpan)};
  if (hi - lo < c.minSpan) {
    const double mid = (lo + hi) / 2;
    return Range{mid - c.minSpan / 2, mid + c.minSpan / 2};
  }
  return Range{lo, hi};
}

double yOf(double v, const Range& r) {
  return kBottom - (v - r.lo) / (r.hi - r.lo) * (kBottom - kTop);
}

// Bucket i of n sits at the middle of its share of the span.
double xOf(size_t i, size_t n) {
  return kLeft + (static_cast<double>(i) + 0.5) / static_cast<double>(n) * (kRight - kLeft);
}

// A value without a neighbour to join stays visible as a dot (a zero-length
// stroke with round caps).
std::string linePath(const ChartValues& values, const Range& r, int joinGap) {
  std::string d;
  std::optional<size_t> last;
  bool alone = false;
  for (size_t i = 0; i < values.size(); ++i) {
    if (!values[i] || !std::isfinite(*values[i])) continue;
    const bool join = last && i - *last <= static_cast<size_t>(joinGap);
    if (!join && alone) d += "h0";
    d += (join ? "L" : "M") + number(xOf(i, values.size())) + " " + number(yOf(*values[i], r));
    alone = !join;
    last = i;
  }
  if (alone) d += "h0";
  return d;
}

std::string barRects(const ChartValues& values, const Range& r) {
  std::string out;
  const double width = (kRight - kLeft) / static_cast<double>(std::max<size_t>(values.size(), 1));
  for (size_t i = 0; i < values.size(); ++i) {
    if (!values[i] || !(*values[i] > 0)) continue;
    const double top = yOf(std::min(*values[i], r.hi), r);
    out += "<rect class=\"bar\" x=\"" + number(xOf(i, values.size()) - width * 0.4) + "\" y=\"" +
           number(top) + "\" width=\"" + number(width * 0.8) + "\" height=\"" +
           number(kBottom - top) + "\"/>";
  }
  return out;
}

std::string text(double x, double y, const char* anchor, const std::string& content,
                 const char* cssClass = nullptr) {
  return "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" + anchor + "\"" +
         (cssClass ? std::string(" class=\"") + cssClass + "\"" : "") + ">" + content + "</text>";
}

// Time marks along the bottom: light grid lines with a label, short ticks
// between them.
struct TimeMarks {
  std::string grid;
  std::string ticks;
  std::string labels;
};

constexpr std::array<const char*, 7> kWeekdays = {"Do", "Fr", "Sa", "So", "Mo", "Di", "Mi"};
constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                                     "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

constexpr long long kHourSeconds = 3600, kDaySeconds = 86400;

// Draws the marks of the stretch [start, end) on the chart's width.
struct MarkPen {
  MarkPen(long long from, long long to)
      : start(from), end(to), span(std::max<long long>(to - from, 1)) {}

  double xAt(long long t) const {
    return kLeft + static_cast<double>(t - start) / static_cast<double>(span) * (kRight - kLeft);
  }
  void grid(long long t) {
    marks.grid += "M" + number(xAt(t)) + " " + number(kTop) + "V" + number(kBottom);
  }
  void tick(long long t) { marks.ticks += "M" + number(xAt(t)) + " " + number(kBottom) + "v4"; }
  // A label keeps inside the drawing near either edge.
  void label(double x, const std::string& content) {
    const char* anchor = x < kLeft + 16 ? "start" : x > kRight - 16 ? "end" : "middle";
    marks.labels += text(x < kLeft + 16    ? kLeft
                         : x > kRight - 16 ? kRight
                                           : x,
                         kTickLabelY, anchor, content);
  }
  // Every multiple of `step` inside the stretch.
  void each(long long step, const std::function<void(long long)>& f) const {
    for (long long t = (start + step - 1) / step * step; t < end; t += step) f(t);
  }

  long long start, end, span;
  TimeMarks marks;
};

// Up to a day and a half: hour ticks, a grid line every three hours, a
// label every six (the date at midnight).
void hourMarks(MarkPen& pen) {
  pen.each(kHourSeconds, [&](long long t) { pen.tick(t); });
  pen.each(3 * kHourSeconds, [&](long long t) { pen.grid(t); });
  pen.each(6 * kHourSeconds, [&](long long t) {
    const LocalDateTime lt = timeOfSeconds(t);
    pen.label(pen.xAt(t), lt.hour == 0 ? twoDigits(lt.day) + "." + twoDigits(lt.month) + "."
                                       : twoDigits(lt.hour) + ":00");
  });
}

// Up to ten days: a tick every six hours, a grid line at midnight, and the
// weekday in the middle of its day, where it fits.
void dayMarks(MarkPen& pen) {
  pen.each(6 * kHourSeconds, [&](long long t) { pen.tick(t); });
  pen.each(kDaySeconds, [&](long long t) { pen.grid(t); });
  for (long long t = pen.start / kDaySeconds * kDaySeconds; t < pen.end; t += kDaySeconds) {
    const double a = pen.xAt(std::max(t, pen.start));
    const double b = pen.xAt(std::min(t + kDaySeconds, pen.end));
    if (b - a < 24) continue;
    const LocalDateTime lt = timeOfSeconds(t);
    pen.label((a + b) / 2, std::string(kWeekdays[static_cast<size_t>((t / kDaySeconds) % 7)]) +
                               " " + std::to_string(lt.day) + ".");
  }
}

// Up to two months: day ticks, a grid line and the date on Mondays.
void weekMarks(MarkPen& pen) {
  constexpr long long week = 7 * kDaySeconds;
  pen.each(kDaySeconds, [&](long long t) { pen.tick(t); });
  // Monday midnights: 1970-01-05 was a Monday.
  const long long monday = 4 * kDaySeconds;
  for (long long t = ((pen.start - monday + week - 1) / week) * week + monday; t < pen.end;
       t += week) {
    if (t < pen.start) continue;
    pen.grid(t);
    const LocalDateTime lt = timeOfSeconds(t);
    pen.label(pen.xAt(t), std::to_string(lt.day) + "." + std::to_string(lt.month) + ".");
  }
}

// Longer: a grid line at each first of the month, the month's name in the
// middle of its stretch, where it fits.
void monthMarks(MarkPen& pen) {
  const LocalDateTime first = timeOfSeconds(pen.start);
  int year = first.year, month = first.month;
  for (;;) {
    const long long t = secondsOf(LocalDateTime{year, month, 1});
    const int nextYear = month == 12 ? year + 1 : year, nextMonth = month == 12 ? 1 : month + 1;
    const long long next = secondsOf(LocalDateTime{nextYear, nextMonth, 1});
    if (t >= pen.end) break;
    if (t >= pen.start) pen.grid(t);
    const double a = pen.xAt(std::max(t, pen.start)), b = pen.xAt(std::min(next, pen.end));
    if (b - a >= 20) pen.label((a + b) / 2, kMonthNames[static_cast<size_t>(month - 1)]);
    year = nextYear, month = nextMonth;
  }
}

TimeMarks timeMarks(long long start, long long end) {
  MarkPen pen(start, end);
  if (pen.span <= 36 * kHourSeconds) {
    hourMarks(pen);
  } else if (pen.span <= 10 * kDaySeconds) {
    dayMarks(pen);
  } else if (pen.span <= 62 * kDaySeconds) {
    weekMarks(pen);
  } else {
    monthMarks(pen);
  }
  return pen.marks;
}

}  // namespace

std::vector<ChartPeriod> buildChartPeriods(const ArchiveHistory& archive,
                                           const LocalDateTime& now) {
  const int64_t t = utcOfLocal(now) + 1;
  auto span = [t](int64_t width, int count) { return Span{t - width * count, width, count}; };
  return {
      recentPeriod(archive, t, "tag", "24 Stunden", span(600, 144), span(3600, 24), "pro Stunde"),
      recentPeriod(archive, t, "woche", "7 Tage", span(3600, 168), span(86400, 7), "pro Tag"),
      recentPeriod(archive, t, "monat", "30 Tage", span(14400, 180), span(86400, 30), "pro Tag"),
      yearPeriod(archive, now),
  };
}

std::string chartSvg(const Chart& chart, const ChartPeriod& period, const RegionalSettings& rs) {
  const std::optional<Range> r = rangeOf(chart);
  std::string out = "<svg viewBox=\"0 0 " + std::to_string(static_cast<int>(kWidth)) + " " +
                    std::to_string(static_cast<int>(kHeight)) + "\" role=\"img\" aria-label=\"" +
                    chart.title + "\">";
  std::string rows;  // the scale's quarters
  for (int q = 1; q < 4; ++q) {
    rows +=
        "M" + number(kLeft) + " " + number(kTop + (kBottom - kTop) * q / 4) + "H" + number(kRight);
  }
  const TimeMarks marks = timeMarks(period.start, period.end);
  out += "<path class=\"rule\" d=\"" + rows + marks.grid + "\"/>";
  out += "<rect class=\"frame\" x=\"" + number(kLeft) + "\" y=\"" + number(kTop) + "\" width=\"" +
         number(kRight - kLeft) + "\" height=\"" + number(kBottom - kTop) + "\"/>";
  out += "<path class=\"tick\" d=\"" + marks.ticks + "\"/>" + marks.labels;
  if (!r) {
    return out +
           text((kLeft + kRight) / 2, (kTop + kBottom) / 2 + 4, "middle", "Noch keine Daten") +
           "</svg>";
  }
  for (const ChartLine& l : chart.lines) {
    out += chart.bars ? barRects(l.values, *r)
                      : "<path class=\"" + l.cssClass + "\" d=\"" +
                            linePath(l.values, *r, chart.joinGap) + "\"/>";
  }
  const std::string unit = "\u00a0" + chart.unit;
  out += text(kLeft, kTop - 5, "start", tenthsText(std::llround(r->hi * 10), rs) + unit, "max");
  if (!chart.bars) {  // bars stand on zero
    out += text(kLeft + 3, kBottom - 4, "start", tenthsText(std::llround(r->lo * 10), rs) + unit,
                "min");
  }
  return out + "</svg>";
}

}  // namespace tavik
