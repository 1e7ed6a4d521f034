// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "common/text_file.h"
#include "products/column_format.h"
#include "products/log_week.h"
#include "products/product_path.h"
#include "products/station_stamp.h"
#include "products/weather_log_columns.h"
#include "station/word_tables.h"

namespace tavik {

namespace {

constexpr std::string_view kFailure =
    "Fehler beim erstellen oder beim Anhängen von Daten des Wetterlogs";

std::optional<std::string> fileName(const Settings& settings, const LocalDateTime& today,
                                    const RegionalSettings& rs) {
  switch (settings.LogUpdate) {
    case 0:
      return "t" + formatShortDate(today.year, today.month, today.day, rs) + ".txt";
    case 1:
      return "w" + std::to_string(logWeekNumber(today.month, today.day)) + "." +
             std::to_string(today.year) + ".txt";
    case 2:
      return formatDateTime("mmmm'.'yyyy", today, rs) + ".txt";
    default:
      return std::nullopt;
  }
}

// A numeric column's field as the layout gives it.
std::string field(LogColumn column, long long stored) {
  const LogColumnLayout& c = layoutOf(column);
  return c.decimals == 1 ? tenthsField(stored, c.width) : integerField(stored, c.width);
}

// Appends the row whole, creating the log's folders and, for a new file, its
// header line.
bool appendRow(const std::filesystem::path& path, const std::string& row) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  return appendWholeLines(path, {std::string(kWeatherLogHeader)}, {row});
}

// LogOrdner, the month folder, the week folder and the file name; nothing
// for a LogUpdate value that names no period.
std::optional<std::string> logPath(const Settings& settings, const LocalDateTime& today,
                                   const RegionalSettings& rs) {
  std::optional<std::string> name = fileName(settings, today, rs);
  if (!name) return std::nullopt;
  std::string folder = settings.LogOrdner;
  if (settings.LogMonatsordner) folder = joinPath(folder, formatDateTime("mmmm yyyy", today, rs));
  if (settings.LogWochenordner) {
    folder = joinPath(folder, "Woche " + std::to_string(logWeekNumber(today.month, today.day)));
  }
  return joinPath(folder, *name);
}

// The station's date and time when its clock group gave a valid one,
// otherwise the PC's.
LocalDateTime rowTime(const WeatherRecord& w, const LocalDateTime& now) {
  return stampToDateTime(w.Clock.Day, w.Clock.Month, w.Clock.Hour, w.Clock.Minute, w.Clock.Second,
                         now);
}

}  // namespace

std::string formatWeatherLogRow(const WeatherRecord& w, const LocalDateTime& t,
                                const RegionalSettings& rs) {
  using C = LogColumn;
  return formatShortDate(t.year, t.month, t.day, rs) +
         padLeft(formatLongTime(t.hour, t.minute, t.second, rs), kTimeWidth) +
         field(C::FeuchtO, w.HumOut.Current) + field(C::FeuchtI, w.HumIn.Current) +
         field(C::TempI, w.TempIn.Current) + field(C::TempO, w.TempOut.Current) + "  " +
         field(C::TaupI, w.DewIn.Current) + field(C::TaupO, w.DewOut.Current) +
         field(C::BaroL, w.Baro.Local) + field(C::BaroS, w.Baro.SeaLevel) + "  " +
         padRight(trendText(w.Baro.Trend), kTrendWidth) + "  " +
         padRight(forecastText(w.Baro.Forecast), kForecastWidth) + field(C::Regen, w.Rain.Rate) +
         field(C::WindS, w.Wind.Speed) + field(C::WindR, w.Wind.Dir) +
         field(C::Chill, w.Chill.Current);
}

void writeWeatherLog(const ProductContext& ctx) {
  const LocalDateTime now = ctx.clock.now();
  const std::optional<std::string> path = logPath(ctx.settings, now, ctx.regional);
  // A row that cannot be stored is reported like a file that cannot be
  // opened: the snapshot is lost either way, and the user should know.
  const bool written =
      path &&
      appendRow(*path, formatWeatherLogRow(ctx.weather, rowTime(ctx.weather, now), ctx.regional));
  if (!written) ctx.notifier.notify(std::string(kFailure), "Wetterlog", MessageButtons::OkCancel);
}

}  // namespace tavik
