// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_product.h"

#include <filesystem>
#include <system_error>

#include "archive/archive_history.h"
#include "common/text_file.h"
#include "products/utc_time.h"
#include "products/weather_log_reader.h"
#include "web/noaa_days.h"
#include "web/noaa_report.h"
#include "web/web_charts.h"
#include "web/web_page.h"

namespace tavik {
namespace {

bool writeWhole(const std::filesystem::path& path, const std::string& bytes, std::string& error) {
  FileReplacement file;
  if (file.open(path) && file.writeRaw(bytes) && file.commit()) return true;
  error = path.string() + ": " + file.error();
  return false;
}

DayExtreme extremeOf(const QuantityAggregate& a) {
  DayExtreme e;
  if (a.min) e.min = TimedValue{*a.min, localOfUtc(a.minTime)};
  if (a.max) e.max = TimedValue{*a.max, localOfUtc(a.maxTime)};
  return e;
}

int monthIndexOf(int64_t utc) {
  const LocalDateTime t = localOfUtc(utc);
  return t.year * 12 + t.month - 1;
}

void keepLower(std::optional<TimedValue>& v, const std::optional<TimedValue>& x) {
  if (x && (!v || x->value < v->value)) v = x;
}
void keepHigher(std::optional<TimedValue>& v, const std::optional<TimedValue>& x) {
  if (x && (!v || x->value > v->value)) v = x;
}

void widen(DayExtreme& e, const DayExtreme& x) {
  keepLower(e.min, x.min);
  keepHigher(e.max, x.max);
}

void widen(SpanExtremes& e, const SpanExtremes& x) {
  widen(e.temperature, x.temperature);
  widen(e.humidity, x.humidity);
  widen(e.pressure, x.pressure);
  keepHigher(e.gust, x.gust);
  if (x.rainMm) e.rainMm = e.rainMm.value_or(0) + *x.rainMm;
}

// One day's highs and lows; the highest wind is the day's highest gust, or
// its highest speed where the rows hold no gust (imported ones).
SpanExtremes extremesOf(const DaySummary& d) {
  SpanExtremes e;
  if (d.rows == 0) return e;
  e.temperature = extremeOf(d.of(ArchiveQuantity::TempOut));
  e.humidity = extremeOf(d.of(ArchiveQuantity::HumOut));
  e.pressure = extremeOf(d.of(ArchiveQuantity::BaroSea));
  const QuantityAggregate& gust = d.of(ArchiveQuantity::Gust).max
                                      ? d.of(ArchiveQuantity::Gust)
                                      : d.of(ArchiveQuantity::WindSpeed);
  if (gust.max) e.gust = TimedValue{*gust.max, localOfUtc(gust.maxTime)};
  e.rainMm = d.rain;
  return e;
}

// The highs and lows of the days from `first` to `last`; absent without a
// day with rows in between.
SpanExtremes extremesOver(const std::vector<DaySummary>& days, const ArchiveDate& first,
                          const ArchiveDate& last) {
  SpanExtremes out;
  for (const DaySummary& d : days) {
    if (first <= d.date && d.date <= last) widen(out, extremesOf(d));
  }
  return out;
}

// The same as extremesOver for a long span, from aggregates of the daily
// summaries instead of every day: the all-time records of an archive of
// many years cost a few look-ups through the index.
SpanExtremes recordsOver(const ArchiveHistory& history, const ArchiveDate& first,
                         const ArchiveDate& last) {
  SpanExtremes e;
  e.temperature = extremeOf(history.dailyExtremes(ArchiveQuantity::TempOut, first, last));
  e.humidity = extremeOf(history.dailyExtremes(ArchiveQuantity::HumOut, first, last));
  e.pressure = extremeOf(history.dailyExtremes(ArchiveQuantity::BaroSea, first, last));
  const QuantityAggregate gust =
      history.dailyExtremes(ArchiveQuantity::Gust, first, last, ArchiveQuantity::WindSpeed);
  if (gust.max) e.gust = TimedValue{*gust.max, localOfUtc(gust.maxTime)};
  e.rainMm = history.rainOfDays(first, last);
  return e;
}

ArchiveDate dateOfDays(long long days) {
  ArchiveDate d;
  civilFromDays(days, d.year, d.month, d.day);
  return d;
}

NoaaStation noaaStation(const Settings& s, const WebPlace& place) {
  return {s.WebTitel, place.heightM, place.latitude, place.longitude};
}

}  // namespace

WebProduct::WebProduct() = default;

WebProduct::~WebProduct() = default;

const ArchiveHistory* WebProduct::archive(const ProductContext& ctx, std::string& error) {
  if (ctx.settings.ArchivDatei != archivePath_) {
    archivePath_ = ctx.settings.ArchivDatei;
    archive_.reset();
    openError_.clear();
    writtenMonths_.clear();
    writtenYears_.clear();
    extremesMinute_.reset();
    recordsDay_.reset();
  }
  if (archive_ || archivePath_.empty()) return archive_.get();
  std::error_code ec;
  if (!std::filesystem::exists(archivePath_, ec)) return nullptr;  // not written yet
  std::string why;
  archive_ = ArchiveHistory::open(archivePath_, why);
  if (!archive_ && why != openError_) {
    openError_ = why;
    error = why;
  }
  return archive_.get();
}

WebPageData WebProduct::pageData(const ArchiveHistory& history, const LocalDateTime& now) {
  const long long today = daysFromCivil(now.year, now.month, now.day);
  const ArchiveDate t = dateOfDays(today), yesterday = dateOfDays(today - 1);
  const ArchiveDate weekStart = dateOfDays(today - 6), yearStart{now.year, 1, 1};
  const std::vector<DaySummary> days = history.days(std::min(weekStart, yearStart), t);
  if (recordsDay_ != today) {
    // The days before today do not change while today lasts: read them once.
    recordsDay_ = today;
    recordsBefore_ = {};
    if (const std::optional<int64_t> first = history.firstTime()) {
      const ArchiveDate from = localDateOf(*first);
      if (from <= yesterday) recordsBefore_ = recordsOver(history, from, yesterday);
    }
  }
  WebPageData data;
  data.today = extremesOver(days, t, t);
  data.yesterday = extremesOver(days, yesterday, yesterday);
  data.week = extremesOver(days, weekStart, t);
  data.month = extremesOver(days, {now.year, now.month, 1}, t);
  data.year = extremesOver(days, yearStart, t);
  data.records = recordsBefore_;
  widen(data.records, data.today);
  return data;
}

TodayExtremes WebProduct::todayExtremes(const ProductContext& ctx, const LocalDateTime& now) {
  const long long minute = secondsOf(now) / 60;
  std::string error;
  const ArchiveHistory* history = archive(ctx, error);
  if (extremesMinute_ == minute) return extremes_;
  extremesMinute_ = minute;
  extremes_ = {};
  if (history == nullptr) return extremes_;
  const ArchiveDate today{now.year, now.month, now.day};
  for (const DaySummary& d : history->days(today, today)) {
    extremes_ = {extremeOf(d.of(ArchiveQuantity::TempOut)),
                 extremeOf(d.of(ArchiveQuantity::HumOut)),
                 extremeOf(d.of(ArchiveQuantity::BaroSea))};
  }
  return extremes_;
}

std::vector<std::string> WebProduct::writeReports(const ProductContext& ctx,
                                                  const ArchiveHistory& history,
                                                  const NoaaStation& station, std::string& error) {
  const std::optional<int64_t> first = history.firstTime(), last = history.lastTime();
  if (!first || !last) return {};
  const std::filesystem::path folder = ctx.settings.WebOrdner;
  const int firstMonth = monthIndexOf(*first), lastMonth = monthIndexOf(*last);
  // The days the older reports of this page have read so far.
  int spent = 0;
  const auto affordable = [&spent](int days) {
    if (spent >= kReportDaysPerPage) return false;
    spent += days;
    return true;
  };
  std::vector<std::string> names;
  // A finished month is written once per opening of the archive; the last
  // two may still gain rows.
  for (int m = lastMonth; m >= firstMonth; --m) {
    const int year = m / 12, month = m % 12 + 1;
    const bool open = m >= lastMonth - 1;
    if (!open && writtenMonths_.count(m) == 0 && !affordable(daysInMonth(year, month))) continue;
    if (open || writtenMonths_.count(m) == 0) {
      const std::vector<NoaaDay> days = noaaDaysOf(history, year, month);
      if (!writeWhole(folder / noaaMonthFileName(year, month),
                      noaaMonthReport(days, year, month, station), error))
        continue;
      writtenMonths_.insert(m);
    }
    names.push_back(noaaMonthFileName(year, month));
  }
  for (int year = lastMonth / 12; year >= firstMonth / 12; --year) {
    const bool open = year == lastMonth / 12;
    if (!open && writtenYears_.count(year) == 0 && !affordable(365)) continue;
    if (open || writtenYears_.count(year) == 0) {
      const std::vector<NoaaDay> days = noaaDaysOf(history, year, 0);
      if (!writeWhole(folder / noaaYearFileName(year), noaaYearReport(days, year, station), error))
        continue;
      writtenYears_.insert(year);
    }
    names.push_back(noaaYearFileName(year));
  }
  return names;
}

void WebProduct::write(const ProductContext& ctx, const WebStatus& status, const WebPlace& place) {
  const LocalDateTime now = ctx.clock.now();
  const std::filesystem::path folder = ctx.settings.WebOrdner;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string error;
  const ArchiveHistory* history = archive(ctx, error);
  WebPageData data;
  if (history != nullptr) {
    data = pageData(*history, now);
    data.reports = writeReports(ctx, *history, noaaStation(ctx.settings, place), error);
    data.periods = buildChartPeriods(*history, now);
  }
  data.place = place;
  // current.json tells the same highs and lows of today as the page.
  const TodayExtremes today{data.today.temperature, data.today.humidity, data.today.pressure};
  const CurrentJsonInput current{ctx.weather,      ctx.state,    ctx.settings.WebTitel,      now,
                                 status.lastGroup, status.stale, localUtcOffsetMinutes(now), today};
  const WebPageInput page{current, data, ctx.settings.WebIntervall, ctx.regional};
  writeWhole(folder / kCurrentJsonFile, currentJson(current), error);
  writeWhole(folder / kWebPageFile, webPage(page), error);
  if (!error.empty()) {
    ctx.notifier.notify("Fehler beim Erstellen der Webseite: " + error, "Webseite");
  }
}

}  // namespace tavik
