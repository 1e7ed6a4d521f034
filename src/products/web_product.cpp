// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_product.h"

#include <filesystem>
#include <system_error>

#include "common/text_file.h"
#include "products/noaa_report.h"
#include "products/weather_log.h"
#include "products/weather_log_tree.h"
#include "products/web_page.h"

namespace tavik {
namespace {

bool writeWhole(const std::filesystem::path& path, const std::string& bytes, std::string& error) {
  FileReplacement file;
  if (file.open(path) && file.writeRaw(bytes) && file.commit()) return true;
  error = path.string() + ": " + file.error();
  return false;
}

std::vector<ClimateDay> allDays(const WebHistory& h) {
  std::vector<ClimateDay> days = h.finishedDays();
  if (std::optional<ClimateDay> current = h.currentDay()) days.push_back(*current);
  return days;
}

}  // namespace

void WebProduct::loadHistory(const ProductContext& ctx) {
  history_ = WebHistory();
  writtenMonths_.clear();
  writtenYears_.clear();
  loadedFrom_ = ctx.settings.LogOrdner;
  loaded_ = true;
  WeatherLog log;
  if (addWeatherLogs(loadedFrom_, ctx.regional, log)) return;  // no Wetterlog yet
  sortWeatherLog(log);
  history_.addRows(log);
}

void WebProduct::takeSample(const ProductContext& ctx) {
  if (!ctx.state.allSeen()) return;
  if (!loaded_ || loadedFrom_ != ctx.settings.LogOrdner) loadHistory(ctx);
  // The row as the Wetterlog file would hold it, read back like one.
  const std::string text =
      std::string(kWeatherLogHeader) + "\n" +
      utf8ToCp1252(formatWeatherLogRow(ctx.weather, ctx.clock.now(), ctx.regional)) + "\n";
  WeatherLog sample;
  if (parseWeatherLog(text, ctx.regional, "", sample) && sample.rows.size() == 1) {
    history_.addRow(sample.rows.front());
  }
}

std::vector<std::string> WebProduct::writeReports(const ProductContext& ctx, std::string& error) {
  const std::vector<ClimateDay> days = allDays(history_);
  const std::filesystem::path folder = ctx.settings.WebOrdner;
  std::vector<std::string> names;
  std::set<int> months, years;
  for (const ClimateDay& d : days) {
    months.insert(d.summary.date.year * 12 + d.summary.date.month - 1);
    years.insert(d.summary.date.year);
  }
  const int lastMonth = months.empty() ? 0 : *months.rbegin();
  for (auto it = months.rbegin(); it != months.rend(); ++it) {
    const int year = *it / 12, month = *it % 12 + 1;
    names.push_back(noaaMonthFileName(year, month));
    // A finished month is written once per reading of the history; the last
    // two may still gain rows.
    if (writtenMonths_.count(*it) && *it < lastMonth - 1) continue;
    if (writeWhole(folder / names.back(), noaaMonthReport(days, year, month, ctx.settings.WebTitel),
                   error)) {
      writtenMonths_.insert(*it);
    }
  }
  for (auto it = years.rbegin(); it != years.rend(); ++it) {
    names.push_back(noaaYearFileName(*it));
    if (writtenYears_.count(*it) && *it < lastMonth / 12) continue;
    if (writeWhole(folder / names.back(), noaaYearReport(days, *it, ctx.settings.WebTitel),
                   error)) {
      writtenYears_.insert(*it);
    }
  }
  return names;
}

void WebProduct::write(const ProductContext& ctx, const WebStatus& status) {
  takeSample(ctx);
  if (!loaded_ || loadedFrom_ != ctx.settings.LogOrdner) loadHistory(ctx);
  const LocalDateTime now = ctx.clock.now();
  const std::filesystem::path folder = ctx.settings.WebOrdner;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string error;
  const std::vector<std::string> reports = writeReports(ctx, error);
  const CurrentJsonInput current{ctx.weather,
                                 ctx.state,
                                 ctx.settings.WebTitel,
                                 now,
                                 status.lastGroup,
                                 status.stale,
                                 localUtcOffsetMinutes(now),
                                 history_.extremesOf({now.year, now.month, now.day})};
  const std::vector<ChartPeriod> periods = buildChartPeriods(history_, now, ctx.regional);
  const WebPageInput page{current, periods, reports, ctx.settings.WebIntervall, ctx.regional};
  writeWhole(folder / kCurrentJsonFile, currentJson(current), error);
  writeWhole(folder / kWebPageFile, webPage(page), error);
  if (!error.empty()) {
    ctx.notifier.notify("Fehler beim Erstellen der Webseite: " + error, "Webseite");
  }
}

}  // namespace tavik
