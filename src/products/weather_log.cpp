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

// Where a row goes: LogOrdner, the month and week folders below it (empty
// when there are none) and the file name.
struct LogPlace {
  std::string folder;
  std::string below;
  std::string name;
};

// Appends the row whole, creating the log's folders below LogOrdner (a link
// in the place of one is not followed) and, for a new file, its header line.
std::string logFilePath(const LogPlace& place) {
  return joinPath(joinPath(place.folder, place.below), place.name);
}

bool appendRow(const LogPlace& place, const std::string& row) {
  if (!createFoldersBelow(place.folder, place.below)) return false;
  return appendWholeLines(logFilePath(place), {std::string(kWeatherLogHeader)}, {row});
}

// Nothing for a LogUpdate value that names no period.
std::optional<LogPlace> logPlace(const Settings& settings, const LocalDateTime& today,
                                 const RegionalSettings& rs) {
  std::optional<std::string> name = fileName(settings, today, rs);
  if (!name) return std::nullopt;
  LogPlace place{settings.LogOrdner, "", *name};
  if (settings.LogMonatsordner) place.below = formatDateTime("mmmm yyyy", today, rs);
  if (settings.LogWochenordner) {
    const std::string week = "Woche " + std::to_string(logWeekNumber(today.month, today.day));
    place.below = place.below.empty() ? week : joinPath(place.below, week);
  }
  return place;
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
  const std::optional<LogPlace> place = logPlace(ctx.settings, now, ctx.regional);
  // A row that cannot be stored is reported like a file that cannot be
  // opened: the snapshot is lost either way, and the user should know.
  const bool written =
      place &&
      appendRow(*place, formatWeatherLogRow(ctx.weather, rowTime(ctx.weather, now), ctx.regional));
  if (!written) {
    ctx.notifier.notify(
        withNote(std::string(kFailure), place ? notRegularFileNote(logFilePath(*place)) : ""),
        "Wetterlog", MessageButtons::OkCancel);
  }
}

}  // namespace tavik
