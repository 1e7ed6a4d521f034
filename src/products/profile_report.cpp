// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/profile_report.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/text_file.h"
#include "common/version.h"
#include "products/column_format.h"
#include "products/mailbox_header.h"
#include "products/product_path.h"
#include "products/rain_gauge.h"
#include "products/station_stamp.h"
#include "settings/comma_text.h"
#include "station/word_tables.h"

namespace tavik {

namespace {

constexpr std::string_view kReadFileName = "Wetter.txt";

using Lines = std::vector<std::string>;

// Formats moments in the short date and long time of the regional settings.
class DateTexts {
 public:
  explicit DateTexts(const ProductContext& ctx) : rs_(ctx.regional), now_(ctx.clock.now()) {}

  const LocalDateTime& now() const { return now_; }
  std::string date(const LocalDateTime& t) const {
    return formatShortDate(t.year, t.month, t.day, rs_);
  }
  std::string time(const LocalDateTime& t) const {
    return formatLongTime(t.hour, t.minute, t.second, rs_);
  }
  // " am <date> um <time>" of a station time stamp.
  template <class Stamp>
  std::string amUm(const Stamp& s) const {
    const LocalDateTime t = stampToDateTime(s.Day, s.Month, s.Hour, s.Minute, now_);
    return " am " + date(t) + " um " + time(t);
  }

 private:
  const RegionalSettings& rs_;
  LocalDateTime now_;
};

// One space, the label text padded to 26 characters, ": ".
std::string label(std::string_view text) { return " " + padRight(text, 26) + ": "; }

void addTemperatureLines(Lines& lines, std::string_view name, const TemperatureBlock& block,
                         const DateTexts& dates) {
  lines.push_back(label(name) + tenthsField(block.Current, 3) + " Grad  C");
  lines.push_back(label(std::string(name) + " Minimum") + tenthsField(block.Lo.Value, 3) +
                  " Grad C" + dates.amUm(block.Lo));
  lines.push_back(label(std::string(name) + " Maximum") + tenthsField(block.Hi.Value, 3) +
                  " Grad C" + dates.amUm(block.Hi));
}

// A rain value as stored, or, for the converted gauge, divided by its factor
// with the stored count repeated in parentheses.
std::string rainValue(uint16_t stored, bool normalGauge, const std::string& unit,
                      const std::string& per) {
  if (normalGauge) return integerField(stored) + unit;
  return oneDecimalField(stored / kConvertedGaugeFactor, 3) + unit + " (" + integerField(stored) +
         " mm /5,5225" + per + ")";
}

// "seit 0 Uhr" is the rain since local midnight that the minute tick keeps,
// not the console's previous day.
void addRainLines(Lines& lines, const RainBlock& rain, uint16_t sinceMidnight, bool normalGauge) {
  lines.push_back(label("Regenrate") +
                  (rain.RateOutOfRange ? "Out of Range / Fehler"
                                       : rainValue(rain.Rate, normalGauge, " mm/h", " per hour")));
  lines.push_back(label("Regenmenge seit 0 Uhr") +
                  rainValue(sinceMidnight, normalGauge, " mm", ""));
  lines.push_back(label("Regenmenge TOTAL") + rainValue(rain.Total, normalGauge, " mm", ""));
}

void addValueLines(Lines& lines, const ProductContext& ctx, const DateTexts& dates) {
  const WeatherRecord& w = ctx.weather;
  addTemperatureLines(lines, "Aussentemperatur", w.TempOut, dates);
  addTemperatureLines(lines, "Innentemperatur", w.TempIn, dates);
  lines.push_back(label("Fuehlbare Temperatur") + integerField(w.Chill.Current) + " Grad  C");
  lines.push_back(label("Aussenfeuchte") + integerField(w.HumOut.Current) + "%");
  lines.push_back(label("Innenfeuchte") + integerField(w.HumIn.Current) + "%");
  lines.push_back(label("Aussentaupunkt-Temperatur") + integerField(w.DewOut.Current) + " Grad  C");
  lines.push_back(label("Innentaupunkt-Temperatur") + integerField(w.DewIn.Current) + " Grad  C");
  lines.push_back(label("Luftdruck QNH") + tenthsField(w.Baro.SeaLevel, 4) + " mb (sealevel)");
  lines.push_back(label("Luftdruck QFE") + integerField(w.Baro.Local) + " mb (local)");
  lines.push_back(label("Luftdruck-Tendenz") + trendText(w.Baro.Trend));
  addRainLines(lines, w.Rain, ctx.state.rainSinceMidnight, ctx.settings.NormalRegen);
  lines.push_back(label("Windgeschwindigkeit") + tenthsField(w.Wind.Speed, 2) + " m/s");
  lines.push_back(label("Windrichtung") + integerField(w.Wind.Dir) + " Grad  ");
  lines.push_back(label("Windböe") + tenthsField(w.Wind.GustSpeed, 2) + " m/s aus " +
                  integerField(w.Wind.GustDir) + " Grad" + dates.amUm(w.Wind.GustTime));
  lines.push_back(label("Windgeschwindigkeit (avg)") + tenthsField(w.Wind.AvgSpeed, 2) +
                  " m/s (gemittelt)");
  lines.push_back(label("Windrichtung (avg)") + integerField(w.Wind.AvgDir) +
                  " Grad   (gemittelt)");
  lines.push_back(label("Vorhersage") + forecastText(w.Baro.Forecast));
}

void addCommaTextLines(Lines& lines, const std::string& commaText) {
  for (std::string& line : readCommaText(commaText)) lines.push_back(std::move(line));
}

// The whole page of profile n, line by line.
Lines reportLines(int n, const ProductContext& ctx) {
  const ProfileEntry& profile = ctx.profiles[n];
  const DateTexts dates(ctx);
  const std::string rule(78, '-');
  Lines lines;
  if (n >= 2) {
    lines.push_back(
        mailboxHeaderLine(profile.Empfaenger, profile.Absender, dates.now(), ctx.regional));
  }
  lines.push_back(profile.Betreff);
  lines.emplace_back();
  addCommaTextLines(lines, profile.VOR);
  lines.emplace_back();
  lines.emplace_back();
  const WeatherRecord& w = ctx.weather;
  const LocalDateTime stamp =
      stampToDateTime(w.Clock.Day, w.Clock.Month, w.Clock.Hour, w.Clock.Minute, dates.now());
  lines.push_back("Aktuelle Wetterwerte vom " + dates.date(stamp) + " um " + dates.time(stamp) +
                  " UTC");
  lines.push_back(rule);
  addValueLines(lines, ctx, dates);
  lines.push_back(rule);
  lines.push_back("Huger WM918/Tavik");
  lines.emplace_back();
  addCommaTextLines(lines, profile.NACH);
  lines.emplace_back();
  lines.push_back("[Tavik Output " + std::string(programVersion) +
                  " - Wetterdaten direkt von der Station]");
  if (ctx.settings.EOFKennung) lines.push_back("***END");
  return lines;
}

void notify(const ProductContext& ctx, const std::string& text, const std::string& caption) {
  ctx.notifier.notify(text, caption, MessageButtons::OkCancel);
}

}  // namespace

// The Read file of the previous report makes way for the new one. A regular
// file stays until the new one is renamed over it, so that a reader always
// finds a whole page; a symbolic link is removed, not followed; a folder of
// that name is not removed: it counts as a file that cannot be deleted.
void ProfileReports::deletePreviousReadFile(const ProductContext& ctx) const {
  if (lastReadName_.empty()) return;
  const std::filesystem::path path = lastReadFilePath(ctx.settings);
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(path, ec);
  if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) return;
  if (std::filesystem::is_directory(status) || !std::filesystem::remove(path, ec)) {
    notify(ctx, "Fehler beim Löschen der (veralteten) Read-Datei.", "Read");
  }
}

// Opens the file of profile n, after the steps the Read file needs first.
// False (with the creation message shown) when it cannot be created.
bool ProfileReports::openReport(int n, const ProductContext& ctx, FileReplacement& file) {
  if (n == 1) {
    deletePreviousReadFile(ctx);
    const std::string path = joinPath(ctx.settings.WinGTRead, kReadFileName);
    const bool opened = file.open(path);
    lastReadName_ = "/" + std::string(kReadFileName);
    if (!opened) {
      notify(ctx, withNote("Fehler beim Erstellen der Read-Datei", notRegularFileNote(path)),
             "Read");
    }
    return opened;
  }
  const std::string& name = ctx.profiles[n].name;
  const std::string path = joinPath(ctx.settings.WinGTImport, name + ".txt");
  const bool opened = isPlainFileName(name) && file.open(path);
  if (!opened) {
    notify(ctx,
           withNote("Fehler beim  Erstellen der Datei für Profil " + name,
                    isPlainFileName(name) ? notRegularFileNote(path) : ""),
           "Import");
  }
  return opened;
}

void ProfileReports::writeProfileReport(int n, const ProductContext& ctx) {
  if (n < 1 || n > kMaxProfiles) return;
  FileReplacement file;
  bool written = openReport(n, ctx, file);
  if (written) {
    for (const std::string& line : reportLines(n, ctx)) {
      if (!file.writeLine(line)) {
        written = false;
        break;
      }
    }
    written = written && file.commit();
  }
  if (!written) {
    notify(ctx, "Fehler beim Einfügen von Daten in die Datei für Profil " + ctx.profiles[n].name,
           "Import");
  }
}

std::string ProfileReports::lastReadFilePath(const Settings& settings) const {
  if (lastReadName_.empty()) return {};
  return joinPath(settings.WinGTRead, std::string_view(lastReadName_).substr(1));
}

}  // namespace tavik
