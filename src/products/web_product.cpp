// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_product.h"

#include <filesystem>
#include <system_error>

#include "archive/archive_history.h"
#include "common/text_file.h"
#include "products/noaa_days.h"
#include "products/noaa_report.h"
#include "products/utc_time.h"
#include "products/weather_log_reader.h"
#include "products/web_charts.h"
#include "products/web_page.h"

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
                                                  std::string& error) {
  const std::optional<int64_t> first = history.firstTime(), last = history.lastTime();
  if (!first || !last) return {};
  const std::filesystem::path folder = ctx.settings.WebOrdner;
  const std::string& station = ctx.settings.WebTitel;
  const int firstMonth = monthIndexOf(*first), lastMonth = monthIndexOf(*last);
  int budget = kReportsPerPage;
  std::vector<std::string> names;
  // A finished month is written once per opening of the archive; the last
  // two may still gain rows.
  for (int m = lastMonth; m >= firstMonth; --m) {
    const int year = m / 12, month = m % 12 + 1;
    const bool open = m >= lastMonth - 1;
    if (!open && writtenMonths_.count(m) == 0 && budget-- <= 0) continue;
    if (open || writtenMonths_.count(m) == 0) {
      const std::vector<ClimateDay> days = climateDaysOf(noaaDaysOf(history, year, month));
      if (!writeWhole(folder / noaaMonthFileName(year, month),
                      noaaMonthReport(days, year, month, station), error))
        continue;
      writtenMonths_.insert(m);
    }
    names.push_back(noaaMonthFileName(year, month));
  }
  for (int year = lastMonth / 12; year >= firstMonth / 12; --year) {
    const bool open = year == lastMonth / 12;
    if (!open && writtenYears_.count(year) == 0 && budget-- <= 0) continue;
    if (open || writtenYears_.count(year) == 0) {
      const std::vector<ClimateDay> days = climateDaysOf(noaaDaysOf(history, year, 0));
      if (!writeWhole(folder / noaaYearFileName(year), noaaYearReport(days, year, station), error))
        continue;
      writtenYears_.insert(year);
    }
    names.push_back(noaaYearFileName(year));
  }
  return names;
}

void WebProduct::write(const ProductContext& ctx, const WebStatus& status) {
  const LocalDateTime now = ctx.clock.now();
  const std::filesystem::path folder = ctx.settings.WebOrdner;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string error;
  const ArchiveHistory* history = archive(ctx, error);
  std::vector<std::string> reports;
  std::vector<ChartPeriod> periods;
  if (history != nullptr) {
    reports = writeReports(ctx, *history, error);
    periods = buildChartPeriods(*history, now, ctx.regional);
  }
  const CurrentJsonInput current{
      ctx.weather,      ctx.state,    ctx.settings.WebTitel,      now,
      status.lastGroup, status.stale, localUtcOffsetMinutes(now), todayExtremes(ctx, now)};
  const WebPageInput page{current, periods, reports, ctx.settings.WebIntervall, ctx.regional};
  writeWhole(folder / kCurrentJsonFile, currentJson(current), error);
  writeWhole(folder / kWebPageFile, webPage(page), error);
  if (!error.empty()) {
    ctx.notifier.notify("Fehler beim Erstellen der Webseite: " + error, "Webseite");
  }
}

}  // namespace tavik
