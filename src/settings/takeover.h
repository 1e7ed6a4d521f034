// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/notifier.h"
#include "settings/settings.h"

namespace tavik {

// What the main window takes into the settings when a settings dialog is
// closed with OK. Each dialog hands over its controls as a plain value
// struct; the rules run in a fixed order of steps. A minutes field that does
// not hold a usable number stops the rule at that field with a message: the
// settings taken before it keep their new values, the rest stay as they were.

// The entries of the time-zone list, local time minus UTC in hours.
inline constexpr std::array<const char*, 25> kTimeZoneEntries = {
    "+12", "+11", "+10", "+09", "+08", "+07", "+06", "+05", "+04", "+03", "+02", "+01", "0",
    "-01", "-02", "-03", "-04", "-05", "-06", "-07", "-08", "-09", "-10", "-11", "-12"};

// The most minutes a period field takes: minutes x 60000 ms must stay within
// a signed 32-bit period.
inline constexpr int32_t kMaxPeriodMinutes = 35791;
inline constexpr int32_t kMsPerMinute = 60000;

// Caption of the messages about a field that holds no usable number.
inline constexpr const char* kFieldMessageCaption = "Tavik";

// The general settings dialog ("Allgemein").
struct GeneralFields {
  int rainGauge = 0;  // "Regenmesser": 0 "Normal ", 1 "Umbau (235mm)"
  bool autoImport = false;
  bool autoRead = false;
  bool autoLog = false;
  bool autoAPRS = false;
  bool EOFKennung = false;
  int timeZone = -1;  // position in kTimeZoneEntries, -1 when none is chosen
};

// With no time-zone entry chosen, or the one of ZeitzoneIndex, ZeitzoneIndex
// and Zeitzone stay.
void takeOverGeneral(const GeneralFields& fields, Settings& settings);

// How a dialog's OK leaves the main window's timers: set running or stopped,
// or untouched. The periods themselves are the settings ImportInterval,
// ReadInterval and LogInterval.
struct TimerRunning {
  std::optional<bool> importtimer;
  std::optional<bool> readtimer;
  std::optional<bool> logtimer;

  friend bool operator==(const TimerRunning&, const TimerRunning&) = default;
};

// The WinGT settings dialog. An empty minutes field becomes "0", so the
// dialog shows "0" afterwards: the fields are updated in place.
struct WinGTFields {
  std::string importMinutes;  // "Alle ... Minuten eine WinGT-Importdatei erzeugen."
  std::string readMinutes;    // "Alle ... Minuten eine WinGT-Readdatei erzeugen."
  std::string importFolder;
  std::string readFolder;
};

// Folders; empty minutes to "0"; each timer runs unless its text is exactly
// "0" (active window or not); periods = minutes x 60000 ms, import first.
TimerRunning takeOverWinGT(WinGTFields& fields, Settings& settings, Notifier& notifier);

// The Wetterlog settings dialog; `minutes` is updated in place as above.
struct WeatherLogFields {
  std::string minutes;  // "Snapshot alle ... Minuten."
  int logUpdate = 0;    // "Neue Datei erstellen": 0 daily, 1 weekly, 2 monthly; -1 none
  std::string folder;
  bool weekFolder = false;   // "ein Ordner pro Woche"
  bool monthFolder = false;  // "ein Ordner pro Monat"
  bool combine = false;      // "Logdateien zusammenfasssen"
  bool catchPeak = false;    // "Spitzenwerte festhalten"
};

// Empty minutes to "0"; the log timer runs unless the text is exactly "0";
// its period; then LogUpdate (kept when none is chosen), LogOrdner and the
// four flags.
TimerRunning takeOverWeatherLog(WeatherLogFields& fields, Settings& settings, Notifier& notifier);

// A period field's minutes in milliseconds, or nothing (with a message) when
// the text is no number of minutes or lies outside 0..kMaxPeriodMinutes.
// Besides whole minutes it takes minutes with up to four decimals after a
// comma ("0,25" is 15000 ms), as periodMinutesText writes them.
std::optional<int32_t> periodOfMinutesField(const std::string& text, Notifier& notifier);

// A field of whole minutes for a 16-bit interval (0..65535), or nothing
// (with a message) when the text is no whole number or lies outside.
std::optional<uint16_t> intervalMinutesField(const std::string& text, Notifier& notifier);

// What a period field shows for a period: whole minutes as a whole number,
// any other period in minutes with up to four decimals after a comma
// ("0,25"); 0 for a period of 0 or below, which never fires. A field that
// still shows this text on OK keeps the period exactly as it was.
std::string periodMinutesText(int32_t periodMs);

}  // namespace tavik
