// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/takeover.h"

#include <algorithm>

#include "common/number_text.h"

namespace tavik {

namespace {

// An empty minutes field counts as "0" and shows it from now on; the timer
// runs unless its text is exactly "0" ("00" runs, with a period that never
// fires).
bool runsFor(std::string& minutes) {
  if (minutes.empty()) minutes = "0";
  return minutes != "0";
}

}  // namespace

void takeOverGeneral(const GeneralFields& fields, Settings& settings) {
  settings.NormalRegen = fields.rainGauge == 0;
  settings.autoImport = fields.autoImport;
  settings.autoRead = fields.autoRead;
  settings.autoLog = fields.autoLog;
  settings.autoAPRS = fields.autoAPRS;
  settings.EOFKennung = fields.EOFKennung;
  if (fields.timeZone < 0 || fields.timeZone >= static_cast<int>(kTimeZoneEntries.size())) return;
  settings.ZeitzoneIndex = static_cast<uint8_t>(fields.timeZone);
  settings.Zeitzone = parseIntegerText(kTimeZoneEntries[static_cast<size_t>(fields.timeZone)])
                          .value_or(settings.Zeitzone);
}

std::string minutesText(int32_t periodMs) {
  return std::to_string(std::max(periodMs, 0) / kMsPerMinute);
}

std::optional<int32_t> periodOfMinutesField(const std::string& text, Notifier& notifier) {
  const std::optional<int> minutes = parseIntegerText(text);
  if (!minutes) {
    notifier.notify(notAnIntegerMessage(text), kFieldMessageCaption, MessageButtons::Ok);
    return std::nullopt;
  }
  if (*minutes < 0 || *minutes > kMaxPeriodMinutes) {
    notifier.notify("'" + text + "' liegt nicht zwischen 0 und " +
                        std::to_string(kMaxPeriodMinutes) + " Minuten",
                    kFieldMessageCaption, MessageButtons::Ok);
    return std::nullopt;
  }
  return *minutes * kMsPerMinute;
}

TimerRunning takeOverWinGT(WinGTFields& fields, Settings& settings, Notifier& notifier) {
  settings.WinGTImport = fields.importFolder;
  settings.WinGTRead = fields.readFolder;
  TimerRunning running;
  running.importtimer = runsFor(fields.importMinutes);
  running.readtimer = runsFor(fields.readMinutes);
  const std::optional<int32_t> importPeriod = periodOfMinutesField(fields.importMinutes, notifier);
  if (!importPeriod) return running;
  settings.ImportInterval = *importPeriod;
  const std::optional<int32_t> readPeriod = periodOfMinutesField(fields.readMinutes, notifier);
  if (!readPeriod) return running;
  settings.ReadInterval = *readPeriod;
  return running;
}

TimerRunning takeOverWeatherLog(WeatherLogFields& fields, Settings& settings, Notifier& notifier) {
  TimerRunning running;
  running.logtimer = runsFor(fields.minutes);
  const std::optional<int32_t> period = periodOfMinutesField(fields.minutes, notifier);
  if (!period) return running;
  settings.LogInterval = *period;
  if (fields.logUpdate >= 0) settings.LogUpdate = static_cast<uint8_t>(fields.logUpdate);
  settings.LogOrdner = fields.folder;
  settings.LogWochenordner = fields.weekFolder;
  settings.LogMonatsordner = fields.monthFolder;
  settings.LogUnterordner = fields.combine;
  settings.CatchPeak = fields.catchPeak;
  return running;
}

}  // namespace tavik
