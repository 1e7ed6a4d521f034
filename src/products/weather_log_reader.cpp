// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_reader.h"

#include <algorithm>
#include <charconv>

#include "common/text_file.h"
#include "station/word_tables.h"

namespace tavik {

namespace {

constexpr bool headerMatchesColumns() {
  constexpr auto names = headerNames();
  if (names[0] != "Datum" || names[1] != "Uhrzeit") return false;
  for (size_t c = 0; c < kLogColumnCount; ++c) {
    const size_t at = 2 + c + (c >= kColumnsBeforeWords ? 2 : 0);
    if (names[at] != kLogColumns[c].name) return false;
  }
  return names[2 + kColumnsBeforeWords] == "Trend" && names[3 + kColumnsBeforeWords] == "Vorher";
}
static_assert(headerMatchesColumns(), "the Wetterlog header and its column table disagree");

// A row: date, time, the numeric columns with up to two words between them.
constexpr size_t kMinFields = 2 + kLogColumnCount;
constexpr size_t kMaxFields = kMinFields + 2;

// The blank-separated fields of a line; one more than a row can have tells
// that there are too many.
struct Fields {
  std::array<std::string_view, kMaxFields + 1> at;
  size_t count = 0;
};

Fields splitFields(std::string_view line) {
  Fields f;
  size_t i = 0;
  while (f.count < f.at.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) break;
    size_t end = i;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    f.at[f.count++] = line.substr(i, end - i);
    i = end;
  }
  return f;
}

bool isHeader(const Fields& f) {
  static constexpr auto kNames = headerNames();
  return f.count == kNames.size() && std::equal(kNames.begin(), kNames.end(), f.at.begin());
}

// Three unsigned numbers of at most four digits separated by `separator`.
std::optional<std::array<int, 3>> threeNumbers(std::string_view text, char separator) {
  std::array<int, 3> parts{};
  const char* p = text.data();
  const char* end = text.data() + text.size();
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) {
      if (p == end || *p != separator) return std::nullopt;
      ++p;
    }
    if (p == end || *p < '0' || *p > '9') return std::nullopt;
    const auto [next, ec] = std::from_chars(p, end, parts[i]);
    if (ec != std::errc() || next - p > 4) return std::nullopt;
    p = next;
  }
  if (p != end) return std::nullopt;
  return parts;
}

// Reads dates in the short date format: day, month and year in the format's
// order; a two-digit year is one of 2000..2099.
class DateReader {
 public:
  explicit DateReader(const RegionalSettings& rs) : separator_(rs.dateSeparator) {
    const std::string& format = rs.shortDateFormat;
    order_ = {{{format.find('d'), 'd'}, {format.find('m'), 'm'}, {format.find('y'), 'y'}}};
    std::sort(order_.begin(), order_.end());
  }

  std::optional<LogDate> operator()(std::string_view text) const {
    const auto parts = threeNumbers(text, separator_);
    if (!parts) return std::nullopt;
    LogDate d;
    for (size_t i = 0; i < 3; ++i) {
      const int v = (*parts)[i];
      switch (order_[i].second) {
        case 'd':
          d.day = v;
          break;
        case 'm':
          d.month = v;
          break;
        default:
          d.year = v < 100 ? 2000 + v : v;
      }
    }
    if (!isValidDate(d.year, d.month, d.day)) return std::nullopt;
    return d;
  }

 private:
  char separator_;
  std::array<std::pair<size_t, char>, 3> order_;
};

std::optional<int> secondOfDay(std::string_view text, char separator) {
  const auto p = threeNumbers(text, separator);
  if (!p || (*p)[0] > 23 || (*p)[1] > 59 || (*p)[2] > 59) return std::nullopt;
  return ((*p)[0] * 60 + (*p)[1]) * 60 + (*p)[2];
}

// A number as the column writes it: whole, or with exactly `decimals` digits
// after a point; the value without the point.
std::optional<int32_t> storedNumber(std::string_view text, int decimals) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const size_t point = decimals == 0 ? text.size() : text.size() - 1 - decimals;
  if (text.size() < static_cast<size_t>(decimals) + 1 + (decimals ? 1 : 0) ||
      (decimals != 0 && text[point] != '.')) {
    return std::nullopt;
  }
  int64_t value = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == point) continue;
    if (text[i] < '0' || text[i] > '9' || value > 100'000'000) return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return static_cast<int32_t>(negative ? -value : value);
}

// The word tables as the file holds them, in Windows-1252.
template <size_t N>
std::array<std::string, N> fileWords(const std::array<std::string, N>& words) {
  std::array<std::string, N> bytes;
  for (size_t i = 0; i < N; ++i) bytes[i] = utf8ToCp1252(words[i]);
  return bytes;
}

template <size_t N>
uint8_t codeOf(const std::array<std::string, N>& words, std::string_view word) {
  static const std::array<std::string, N> kBytes = fileWords(words);
  for (size_t i = 0; i < N; ++i) {
    if (!kBytes[i].empty() && kBytes[i] == word) return static_cast<uint8_t>(i);
  }
  return 0;
}

// A field quoted in a reason, as UTF-8.
std::string quoted(std::string_view field) { return "„" + cp1252ToUtf8(field) + "“"; }

// Fills the trend and forecast codes from the words between BaroS and
// Regen; an empty text when they are fine, otherwise why not.
std::string readWords(const Fields& f, WeatherLogRow& row) {
  const size_t words = f.count - kMinFields;
  const size_t first = 2 + kColumnsBeforeWords;
  if (words == 2) {
    row.trend = codeOf(TrendTexts, f.at[first]);
    row.forecast = codeOf(ForecastTexts, f.at[first + 1]);
    if (row.trend == 0) return "unbekannter Trend " + quoted(f.at[first]);
    if (row.forecast == 0) return "unbekannte Vorhersage " + quoted(f.at[first + 1]);
  } else if (words == 1) {
    row.trend = codeOf(TrendTexts, f.at[first]);
    if (row.trend == 0) row.forecast = codeOf(ForecastTexts, f.at[first]);
    if (row.trend == 0 && row.forecast == 0) return "unbekanntes Wort " + quoted(f.at[first]);
  }
  return {};
}

// Reads a row into `row`; an empty text when it could, otherwise why not.
std::string readRow(const Fields& f, const DateReader& readDate, char timeSeparator,
                    WeatherLogRow& row, std::optional<LogDate>& date) {
  date = readDate(f.at[0]);  // known even when the rest is not
  if (f.count < kMinFields || f.count > kMaxFields) {
    return f.count > kMaxFields ? "zu viele Felder" : "zu wenige Felder";
  }
  if (!date) return "ungültiges Datum " + quoted(f.at[0]);
  const std::optional<int> second = secondOfDay(f.at[1], timeSeparator);
  if (!second) return "ungültige Uhrzeit " + quoted(f.at[1]);
  row.seconds = daysFromCivil(date->year, date->month, date->day) * 86400 + *second;
  const size_t words = f.count - kMinFields;
  for (size_t c = 0; c < kLogColumnCount; ++c) {
    const std::string_view text = f.at[2 + c + (c >= kColumnsBeforeWords ? words : 0)];
    const std::optional<int32_t> value = storedNumber(text, kLogColumns[c].decimals);
    if (!value) {
      return std::string(kLogColumns[c].name) + " " + quoted(text) + " ist keine " +
             (kLogColumns[c].decimals == 0 ? "ganze Zahl" : "Zahl mit einer Nachkommastelle");
    }
    row.stored[c] = *value;
  }
  return readWords(f, row);
}

}  // namespace

double WeatherLogRow::value(LogColumn c) const {
  const int32_t v = storedValue(c);
  return layoutOf(c).decimals == 1 ? v / 10.0 : v;
}

LocalDateTime WeatherLogRow::time() const { return timeOfSeconds(seconds); }

LogDate WeatherLogRow::date() const {
  LogDate d;
  civilFromDays(seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400, d.year, d.month, d.day);
  return d;
}

bool parseWeatherLog(std::string_view text, const RegionalSettings& rs, const std::string& file,
                     WeatherLog& log) {
  const DateReader readDate(rs);
  const size_t rowsBefore = log.rows.size(), unreadBefore = log.unread.size();
  bool headerSeen = false;
  int lineNumber = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    ++lineNumber;
    const Fields f = splitFields(line);
    if (f.count == 0) continue;
    if (isHeader(f)) {
      headerSeen = true;
      continue;
    }
    if (!headerSeen) break;
    WeatherLogRow row;
    std::optional<LogDate> date;
    std::string why = readRow(f, readDate, rs.timeSeparator, row, date);
    if (why.empty()) {
      log.rows.push_back(row);
    } else {
      log.unread.push_back({file, lineNumber, std::move(why), date});
    }
  }
  if (headerSeen) return true;
  log.rows.resize(rowsBefore);
  log.unread.resize(unreadBefore, UnreadRow{});
  return false;
}

void sortWeatherLog(WeatherLog& log) {
  std::sort(log.rows.begin(), log.rows.end());
  log.rows.erase(std::unique(log.rows.begin(), log.rows.end()), log.rows.end());
}

long long secondsOf(const LocalDateTime& t) {
  return ((daysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
}

LocalDateTime timeOfSeconds(long long seconds) { return addSeconds(LocalDateTime{1970}, seconds); }

}  // namespace tavik
