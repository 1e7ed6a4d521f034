#include "explorer/weather_log_reader.h"

#include <algorithm>
#include <charconv>

#include "common/number_text.h"
#include "common/text_file.h"

namespace tavik {

namespace {

constexpr std::array<std::string_view, 16> kColumns = {
    "Datum", "Uhrzeit", "FeuchtO", "FeuchtI", "TempI", "TempO", "TaupI", "TaupO",
    "BaroL", "BaroS",   "Trend",   "Vorher",  "Regen", "WindS", "WindR", "Chill"};

// A row: date, time, eight numbers, the trend and forecast words (none, one
// or both present), four numbers.
constexpr size_t kLeadingFields = 10;
constexpr size_t kTrailingNumbers = 4;
constexpr size_t kMinFields = kLeadingFields + kTrailingNumbers;
constexpr size_t kMaxFields = kMinFields + 2;

// Where each quantity stands: from the row's start, or from its end when
// negative (after the words, whose count varies).
constexpr std::array<int, kLogQuantityCount> kFieldOf = {2, 3, 4, 5, 6, 7, 9, -4, -3};

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> result;
  size_t i = 0;
  while (true) {
    i = line.find_first_not_of(" \t", i);
    if (i == std::string_view::npos) return result;
    const size_t end = std::min(line.find_first_of(" \t", i), line.size());
    result.push_back(line.substr(i, end - i));
    i = end;
  }
}

bool isHeader(const std::vector<std::string_view>& f) {
  return std::equal(f.begin(), f.end(), kColumns.begin(), kColumns.end());
}

// Three unsigned numbers separated by `separator`.
std::optional<std::array<int, 3>> threeNumbers(std::string_view text, char separator) {
  std::array<int, 3> parts{};
  const char* p = text.data();
  const char* end = text.data() + text.size();
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) {
      if (p == end || *p != separator) return std::nullopt;
      ++p;
    }
    const auto [next, ec] = std::from_chars(p, end, parts[i]);
    if (ec != std::errc() || next - p > 4) return std::nullopt;
    p = next;
  }
  if (p != end) return std::nullopt;
  return parts;
}

// A date in the short date format: day, month and year in the format's
// order; a two-digit year is one of 2000..2099.
std::optional<LocalDateTime> parseDate(std::string_view text, const RegionalSettings& rs) {
  const auto parts = threeNumbers(text, rs.dateSeparator);
  if (!parts) return std::nullopt;
  const std::string& format = rs.shortDateFormat;
  std::array<std::pair<size_t, char>, 3> order = {
      {{format.find('d'), 'd'}, {format.find('m'), 'm'}, {format.find('y'), 'y'}}};
  std::sort(order.begin(), order.end());
  LocalDateTime t;
  for (size_t i = 0; i < 3; ++i) {
    const int v = (*parts)[i];
    switch (order[i].second) {
      case 'd':
        t.day = v;
        break;
      case 'm':
        t.month = v;
        break;
      default:
        t.year = v < 100 ? 2000 + v : v;
    }
  }
  if (!isValidDate(t.year, t.month, t.day)) return std::nullopt;
  return t;
}

bool parseTime(std::string_view text, const RegionalSettings& rs, LocalDateTime& t) {
  const auto parts = threeNumbers(text, rs.timeSeparator);
  if (!parts || (*parts)[0] > 23 || (*parts)[1] > 59 || (*parts)[2] > 59) return false;
  t.hour = (*parts)[0];
  t.minute = (*parts)[1];
  t.second = (*parts)[2];
  return true;
}

std::optional<WeatherLogRow> parseRow(const std::vector<std::string_view>& f,
                                      const RegionalSettings& rs) {
  if (f.size() < kMinFields || f.size() > kMaxFields) return std::nullopt;
  WeatherLogRow row;
  const std::optional<LocalDateTime> date = parseDate(f[0], rs);
  if (!date) return std::nullopt;
  row.time = *date;
  if (!parseTime(f[1], rs, row.time)) return std::nullopt;
  for (size_t q = 0; q < kLogQuantityCount; ++q) {
    const int at = kFieldOf[q];
    const size_t index = at >= 0 ? static_cast<size_t>(at) : f.size() - static_cast<size_t>(-at);
    const std::optional<double> value = parseDecimalText(f[index], '.');
    if (!value) return std::nullopt;
    row.values[q] = *value;
  }
  return row;
}

}  // namespace

QuantityLabel quantityLabel(LogQuantity quantity) {
  static constexpr std::array<QuantityLabel, kLogQuantityCount> kLabels = {{
      {"Luftfeuchtigkeit aussen", "%"},
      {"Luftfeuchtigkeit innen", "%"},
      {"Temperatur innen", "°C"},
      {"Temperatur aussen", "°C"},
      {"Taupunkt innen", "°C"},
      {"Taupunkt aussen", "°C"},
      {"Luftdruck (Meereshöhe)", "hPa"},
      {"Regen", "mm/h"},
      {"Windgeschwindigkeit", "m/s"},
  }};
  return kLabels[static_cast<size_t>(quantity)];
}

std::optional<WeatherLog> parseWeatherLog(std::string_view text, const RegionalSettings& rs) {
  WeatherLog log;
  bool headerSeen = false;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    ++lineNumber;
    const std::vector<std::string_view> f = fields(line);
    if (f.empty()) continue;
    if (isHeader(f)) {
      headerSeen = true;
      continue;
    }
    if (!headerSeen) return std::nullopt;
    if (std::optional<WeatherLogRow> row = parseRow(f, rs)) {
      log.rows.push_back(*row);
    } else {
      log.unreadLines.push_back(lineNumber);
    }
  }
  if (!headerSeen) return std::nullopt;
  return log;
}

Outcome<WeatherLog> readWeatherLog(const std::filesystem::path& path, const RegionalSettings& rs) {
  const std::string name = path.filename().string();
  std::string text;
  if (!readTextFile(path, text)) {
    return Outcome<WeatherLog>::failure("Die Datei „" + name + "“ kann nicht gelesen werden.");
  }
  std::optional<WeatherLog> log = parseWeatherLog(text, rs);
  if (!log) {
    return Outcome<WeatherLog>::failure(
        "Die Datei „" + name +
        "“ ist keine Wetterlog-Datei: ihr fehlt die Kopfzeile des Wetterlogs.");
  }
  return Outcome<WeatherLog>::success(std::move(*log));
}

long long secondsOf(const LocalDateTime& t) {
  return ((daysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
}

LocalDateTime timeOfSeconds(long long seconds) { return addSeconds(LocalDateTime{1970}, seconds); }

std::vector<SeriesPoint> logSeries(const WeatherLog& log, LogQuantity quantity) {
  std::vector<SeriesPoint> points;
  points.reserve(log.rows.size());
  for (const WeatherLogRow& row : log.rows)
    points.push_back({secondsOf(row.time), row.value(quantity)});
  // The station's clock can step back; the plot runs left to right in time.
  std::stable_sort(points.begin(), points.end(), [](const SeriesPoint& a, const SeriesPoint& b) {
    return a.seconds < b.seconds;
  });
  return points;
}

}  // namespace tavik
