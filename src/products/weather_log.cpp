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
#include "station/word_tables.h"

namespace tavik {

namespace {

constexpr std::string_view kHeader =
    "   Datum    Uhrzeit  FeuchtO  FeuchtI  TempI  TempO  TaupI  TaupO  BaroL   BaroS  Trend      "
    "     Vorher      Regen  WindS  WindR  Chill";

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

std::string row(const ProductContext& ctx, const LocalDateTime& now) {
  const WeatherRecord& w = ctx.weather;
  const LocalDateTime t = stampToDateTime(w.Clock.Day, w.Clock.Month, w.Clock.Hour, w.Clock.Minute,
                                          w.Clock.Second, now);
  return formatShortDate(t.year, t.month, t.day, ctx.regional) +
         padLeft(formatLongTime(t.hour, t.minute, t.second, ctx.regional), 11) +
         integerField(w.HumOut.Current, 9) + integerField(w.HumIn.Current, 9) +
         tenthsField(w.TempIn.Current, 7) + tenthsField(w.TempOut.Current, 7) + "  " +
         integerField(w.DewIn.Current, 5) + integerField(w.DewOut.Current, 7) +
         integerField(w.Baro.Local, 7) + tenthsField(w.Baro.SeaLevel, 8) + "  " +
         padRight(trendText(w.Baro.Trend), 14) + "  " +
         padRight(forecastText(w.Baro.Forecast), 10) + integerField(w.Rain.Rate, 7) +
         tenthsField(w.Wind.Speed, 7) + integerField(w.Wind.Dir, 7) +
         integerField(w.Chill.Current, 7);
}

// Appends the row whole, creating the log's folders and, for a new file, its
// header line.
bool appendRow(const std::filesystem::path& path, const std::string& row) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  return appendWholeLines(path, {std::string(kHeader)}, {row});
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

}  // namespace

void writeWeatherLog(const ProductContext& ctx) {
  const LocalDateTime now = ctx.clock.now();
  const std::optional<std::string> path = logPath(ctx.settings, now, ctx.regional);
  // A row that cannot be stored is reported like a file that cannot be
  // opened: the snapshot is lost either way, and the user should know.
  const bool written = path && appendRow(*path, row(ctx, now));
  if (!written) ctx.notifier.notify(std::string(kFailure), "Wetterlog", MessageButtons::OkCancel);
}

}  // namespace tavik
