// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/takeover.h"

#include <limits>
#include <string>

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

constexpr int kMaxDecimals = 4;

// "12,5" or "0,0833" as milliseconds (rounded to the nearest); nothing for any
// other text.
std::optional<long long> decimalMinutesMs(const std::string& text) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos || comma == 0) return std::nullopt;
  const std::string whole = text.substr(0, comma);
  const std::string decimals = text.substr(comma + 1);
  if (decimals.empty() || decimals.size() > static_cast<size_t>(kMaxDecimals)) return std::nullopt;
  const auto digitsOnly = [](const std::string& s) {
    return s.find_first_not_of("0123456789") == std::string::npos;
  };
  if (!digitsOnly(whole) || !digitsOnly(decimals)) return std::nullopt;
  const std::optional<int> minutes = parseIntegerText(whole);
  if (!minutes) return std::nullopt;
  long long fraction = std::stoll(decimals);
  for (size_t i = decimals.size(); i < static_cast<size_t>(kMaxDecimals); ++i) fraction *= 10;
  // 10^4 parts of a minute of 60000 ms: 6 ms each.
  return static_cast<long long>(*minutes) * kMsPerMinute + fraction * 6;
}

// A whole number of minutes or decimal minutes, in milliseconds.
std::optional<long long> minutesFieldMs(const std::string& text) {
  if (const std::optional<int> minutes = parseIntegerText(text)) {
    return static_cast<long long>(*minutes) * kMsPerMinute;
  }
  return decimalMinutesMs(text);
}

// Keeps the settings' period when the field still shows it.
std::optional<int32_t> periodOf(const std::string& text, int32_t current, Notifier& notifier) {
  if (text == periodMinutesText(current)) return current;
  return periodOfMinutesField(text, notifier);
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
  // The entry shown at opening still chosen: a zone written by hand that
  // differs from its entry stays as it is.
  if (fields.timeZone == settings.ZeitzoneIndex) return;
  settings.ZeitzoneIndex = static_cast<uint8_t>(fields.timeZone);
  settings.Zeitzone = parseIntegerText(kTimeZoneEntries[static_cast<size_t>(fields.timeZone)])
                          .value_or(settings.Zeitzone);
}

std::optional<int32_t> periodOfMinutesField(const std::string& text, Notifier& notifier) {
  const std::optional<long long> ms = minutesFieldMs(text);
  if (!ms) {
    notifier.notify(notAnIntegerMessage(text), kFieldMessageCaption, MessageButtons::Ok);
    return std::nullopt;
  }
  if (*ms < 0 || *ms > static_cast<long long>(kMaxPeriodMinutes) * kMsPerMinute) {
    notifier.notify("'" + text + "' liegt nicht zwischen 0 und " +
                        std::to_string(kMaxPeriodMinutes) + " Minuten",
                    kFieldMessageCaption, MessageButtons::Ok);
    return std::nullopt;
  }
  return static_cast<int32_t>(*ms);
}

std::optional<uint16_t> intervalMinutesField(const std::string& text, Notifier& notifier) {
  const std::optional<int> minutes = parseIntegerText(text);
  if (!minutes) {
    notifier.notify(notAnIntegerMessage(text), kFieldMessageCaption, MessageButtons::Ok);
    return std::nullopt;
  }
  constexpr int kMax = std::numeric_limits<uint16_t>::max();
  if (*minutes < 0 || *minutes > kMax) {
    notifier.notify(
        "'" + text + "' liegt nicht zwischen 0 und " + std::to_string(kMax) + " Minuten",
        kFieldMessageCaption, MessageButtons::Ok);
    return std::nullopt;
  }
  return static_cast<uint16_t>(*minutes);
}

std::string periodMinutesText(int32_t periodMs) {
  if (periodMs <= 0) return "0";
  std::string text = std::to_string(periodMs / kMsPerMinute);
  // Ten-thousandths of a minute, rounded to the nearest.
  const int parts = (periodMs % kMsPerMinute + 3) / 6;
  if (parts == 0) return text;
  if (parts == 10000) return std::to_string(periodMs / kMsPerMinute + 1);
  std::string decimals = std::to_string(parts);
  decimals.insert(0, static_cast<size_t>(kMaxDecimals) - decimals.size(), '0');
  decimals.erase(decimals.find_last_not_of('0') + 1);
  return text + "," + decimals;
}

TimerRunning takeOverWinGT(WinGTFields& fields, Settings& settings, Notifier& notifier) {
  settings.WinGTImport = fields.importFolder;
  settings.WinGTRead = fields.readFolder;
  TimerRunning running;
  running.importtimer = runsFor(fields.importMinutes);
  running.readtimer = runsFor(fields.readMinutes);
  const std::optional<int32_t> importPeriod =
      periodOf(fields.importMinutes, settings.ImportInterval, notifier);
  if (!importPeriod) return running;
  settings.ImportInterval = *importPeriod;
  const std::optional<int32_t> readPeriod =
      periodOf(fields.readMinutes, settings.ReadInterval, notifier);
  if (!readPeriod) return running;
  settings.ReadInterval = *readPeriod;
  return running;
}

TimerRunning takeOverWeatherLog(WeatherLogFields& fields, Settings& settings, Notifier& notifier) {
  TimerRunning running;
  running.logtimer = runsFor(fields.minutes);
  const std::optional<int32_t> period = periodOf(fields.minutes, settings.LogInterval, notifier);
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
