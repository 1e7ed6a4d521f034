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

void lower(std::optional<TimedValue>& v, double x, long long at) {
  if (!v || x < v->value) v = TimedValue{x, timeOfSeconds(at)};
}
void higher(std::optional<TimedValue>& v, double x, long long at) {
  if (!v || x > v->value) v = TimedValue{x, timeOfSeconds(at)};
}

double scaleOf(LogColumn c) { return layoutOf(c).decimals == 1 ? 10.0 : 1.0; }

void widen(DayExtreme& e, const LogSummary& s, LogColumn c) {
  const ColumnStats& st = s.stats(c);
  lower(e.min, st.min / scaleOf(c), st.minAt);
  higher(e.max, st.max / scaleOf(c), st.maxAt);
}

// The highs and lows of the days from `first` to `last`; absent without a
// day with rows in between.
SpanExtremes extremesOver(const std::vector<ClimateDay>& days, const LogDate& first,
                          const LogDate& last) {
  SpanExtremes out;
  for (const ClimateDay& d : days) {
    const LogSummary& s = d.summary;
    if (s.rows == 0 || s.date < first || last < s.date) continue;
    widen(out.temperature, s, LogColumn::TempO);
    widen(out.humidity, s, LogColumn::FeuchtO);
    widen(out.pressure, s, LogColumn::BaroS);
    const ColumnStats& w = s.stats(LogColumn::WindS);
    higher(out.gust, w.max / scaleOf(LogColumn::WindS), w.maxAt);
    out.rainMm = out.rainMm.value_or(0) + d.rainMm;
  }
  return out;
}

LogDate dateOfDays(long long days) {
  LogDate d;
  civilFromDays(days, d.year, d.month, d.day);
  return d;
}

WebPageData pageData(const std::vector<ClimateDay>& days, const LocalDateTime& now) {
  const long long today = daysFromCivil(now.year, now.month, now.day);
  const LogDate t = dateOfDays(today);
  WebPageData data;
  data.today = extremesOver(days, t, t);
  data.yesterday = extremesOver(days, dateOfDays(today - 1), dateOfDays(today - 1));
  data.week = extremesOver(days, dateOfDays(today - 6), t);
  data.month = extremesOver(days, {now.year, now.month, 1}, t);
  data.year = extremesOver(days, {now.year, 1, 1}, t);
  data.records = extremesOver(days, {0, 1, 1}, t);
  return data;
}

NoaaStation noaaStation(const Settings& s, const WebPlace& place) {
  return {s.WebTitel, place.heightM, place.latitude, place.longitude};
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

std::vector<std::string> WebProduct::writeReports(const ProductContext& ctx,
                                                  const std::vector<ClimateDay>& days,
                                                  const NoaaStation& station, std::string& error) {
  const std::vector<NoaaDay> noaaDays = noaaDaysOf(days);
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
    if (writeWhole(folder / names.back(), noaaMonthReport(noaaDays, year, month, station), error)) {
      writtenMonths_.insert(*it);
    }
  }
  for (auto it = years.rbegin(); it != years.rend(); ++it) {
    names.push_back(noaaYearFileName(*it));
    if (writtenYears_.count(*it) && *it < lastMonth / 12) continue;
    if (writeWhole(folder / names.back(), noaaYearReport(noaaDays, *it, station), error)) {
      writtenYears_.insert(*it);
    }
  }
  return names;
}

void WebProduct::write(const ProductContext& ctx, const WebStatus& status, const WebPlace& place) {
  takeSample(ctx);
  if (!loaded_ || loadedFrom_ != ctx.settings.LogOrdner) loadHistory(ctx);
  const LocalDateTime now = ctx.clock.now();
  const std::filesystem::path folder = ctx.settings.WebOrdner;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string error;
  const std::vector<ClimateDay> days = allDays(history_);
  WebPageData data = pageData(days, now);
  data.place = place;
  data.reports = writeReports(ctx, days, noaaStation(ctx.settings, place), error);
  data.periods = buildChartPeriods(history_, now);
  const CurrentJsonInput current{ctx.weather,
                                 ctx.state,
                                 ctx.settings.WebTitel,
                                 now,
                                 status.lastGroup,
                                 status.stale,
                                 localUtcOffsetMinutes(now),
                                 history_.extremesOf({now.year, now.month, now.day})};
  const WebPageInput page{current, data, ctx.settings.WebIntervall, ctx.regional};
  writeWhole(folder / kCurrentJsonFile, currentJson(current), error);
  writeWhole(folder / kWebPageFile, webPage(page), error);
  if (!error.empty()) {
    ctx.notifier.notify("Fehler beim Erstellen der Webseite: " + error, "Webseite");
  }
}

}  // namespace tavik
