// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/archive_view.h"

#include <array>
#include <cmath>
#include <fstream>
#include <system_error>
#include <variant>

#include "products/utc_time.h"
#include "products/weather_log_import.h"
#include "products/weather_log_tree.h"

namespace tavik {

namespace {

long long localSeconds(int64_t utc) { return secondsOf(localOfUtc(utc)); }
int64_t utcOf(long long local) { return utcOfLocal(timeOfSeconds(local)); }

ArchiveDate dateOf(long long local) {
  const LocalDateTime t = timeOfSeconds(local);
  return {t.year, t.month, t.day};
}

std::string valueText(double v, LogColumn column, const RegionalSettings& rs) {
  return layoutOf(column).decimals == 1 ? fixedDecimalText(v, 1, rs.decimalSeparator)
                                        : std::to_string(std::llround(v));
}

std::string valueText(const std::optional<double>& v, LogColumn column,
                      const RegionalSettings& rs) {
  return v ? valueText(*v, column, rs) : std::string("–");
}

std::string timeText(const std::optional<double>& v, int64_t utc, const RegionalSettings& rs) {
  return v ? formatDateTime("hh:nn", localOfUtc(utc), rs) : std::string();
}

}  // namespace

std::optional<ArchiveQuantity> archiveQuantityOf(LogColumn column) {
  using A = ArchiveQuantity;
  static constexpr std::array<std::optional<A>, kLogColumnCount> kQuantities = {
      A::HumOut,    A::HumIn,   A::TempIn,   A::TempOut,   A::DewIn,     A::DewOut,
      A::BaroLocal, A::BaroSea, A::RainRate, A::WindSpeed, std::nullopt, A::Chill};
  return kQuantities[static_cast<size_t>(column)];
}

ArchiveView::ArchiveView(std::unique_ptr<ArchiveHistory> archive) : archive_(std::move(archive)) {
  if (const std::optional<int64_t> t = archive_->firstTime()) first_ = localSeconds(*t);
  if (const std::optional<int64_t> t = archive_->lastTime()) last_ = localSeconds(*t);
}

PlotSeries ArchiveView::series(LogColumn column, long long from, long long to, int width) const {
  const std::optional<ArchiveQuantity> q = archiveQuantityOf(column);
  if (!q) {
    PlotSeries none;
    none.column = column;
    return none;
  }
  if (to - from <= kLongestFromRows) {
    std::vector<SeriesPoint> points;
    archive_->rows(utcOf(from), utcOf(to) + 1, [&](const ArchiveRow& row) {
      if (const std::optional<double> v = quantityValue(row, *q)) {
        points.push_back({localSeconds(row.time), *v});
      }
      return true;
    });
    return plotSeries(points, column, from, to, width);
  }
  std::vector<SpanBand> spans;
  if (to - from <= kLongestHourly) {
    for (const HourAggregate& h : archive_->hourly(*q, utcOf(from), utcOf(to) + 1)) {
      if (!h.value.min || !h.value.max) continue;
      const long long start = localSeconds(h.hourStart);
      spans.push_back({start, start + 3600, *h.value.min, *h.value.max});
    }
  } else {
    for (const DaySummary& d : archive_->days(dateOf(from), dateOf(to), *q)) {
      const QuantityAggregate& a = d.of(*q);
      if (!a.min || !a.max) continue;
      const long long start = secondsOf(LocalDateTime{d.date.year, d.date.month, d.date.day});
      spans.push_back({start, start + 86400, *a.min, *a.max});
    }
  }
  return bandSeries(spans, column, from, to, width);
}

std::vector<DailyTableRow> ArchiveView::table(LogColumn column, long long from, long long to,
                                              const RegionalSettings& rs) const {
  std::vector<DailyTableRow> rows;
  const std::optional<ArchiveQuantity> q = archiveQuantityOf(column);
  if (!q) return rows;
  for (const DaySummary& d :
       archive_->days(dateOf(from), dateOf(std::max(from, to - 1)),
                      {*q, ArchiveQuantity::WindSpeed, ArchiveQuantity::RainRate})) {
    const QuantityAggregate& a = d.of(*q);
    const std::optional<double> mean = a.mean();
    rows.push_back({formatShortDate(d.date.year, d.date.month, d.date.day, rs),
                    valueText(a.min, column, rs), timeText(a.min, a.minTime, rs),
                    valueText(a.max, column, rs), timeText(a.max, a.maxTime, rs),
                    mean ? fixedDecimalText(std::round(*mean * 100) / 100, 2, rs.decimalSeparator)
                         : std::string("–"),
                    valueText(d.of(ArchiveQuantity::WindSpeed).max, LogColumn::WindS, rs),
                    valueText(d.of(ArchiveQuantity::RainRate).max, LogColumn::Regen, rs)});
  }
  return rows;
}

bool isArchiveFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  char head[16] = {};
  in.read(head, sizeof head);
  return in.gcount() == sizeof head &&
         std::string(head, sizeof head) == std::string("SQLite format 3\0", 16);
}

ArchiveOpening prepareArchive(const std::filesystem::path& path,
                              const std::filesystem::path& scratch, const RegionalSettings& rs,
                              const std::function<void(size_t done, size_t total)>& progress,
                              const std::atomic<bool>* cancel) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(path, ec) && isArchiveFile(path)) return {path, {}, {}};
  const auto listed = weatherLogFiles(path);
  if (const auto* error = std::get_if<std::string>(&listed)) return {{}, *error, {}};
  std::string error;
  const std::unique_ptr<ArchiveWriter> writer = ArchiveWriter::open(scratch, error);
  if (!writer) return {{}, error, {}};
  const WeatherLogImport import = importWeatherLogs(*writer, {path}, rs, progress, cancel);
  if (import.cancelled) return {};
  if (!import.error.empty()) return {{}, import.error, import.unread};
  if (import.files == 0) {
    if (!std::filesystem::is_directory(path, ec)) {
      WeatherLog log;
      const LogFileResult result = addWeatherLogFile(path, rs, log, error);
      return {{}, singleFileError(path, result, error), {}};
    }
    return {{}, noWetterlogInFolder(path), {}};
  }
  return {scratch, {}, import.unread};
}

}  // namespace tavik
