// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/archive_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <system_error>
#include <variant>

#include "explorer/daily_table.h"
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

// Days before and after every day an archive can hold.
constexpr ArchiveDate kEarliest{0, 1, 1};
constexpr ArchiveDate kLatest{9999, 12, 31};

long long startOf(const ArchiveDate& d) { return secondsOf(LocalDateTime{d.year, d.month, d.day}); }

std::vector<ArchiveQuantity> quantitiesOf(const std::bitset<kArchiveQuantityCount>& set) {
  std::vector<ArchiveQuantity> quantities;
  for (size_t q = 0; q < set.size(); ++q)
    if (set[q]) quantities.push_back(static_cast<ArchiveQuantity>(q));
  return quantities;
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
  follow();
}

std::optional<long long> ArchiveView::first() const {
  follow();
  return first_;
}

std::optional<long long> ArchiveView::last() const {
  follow();
  return last_;
}

// Takes in what was written since the last look: rows at the end make the
// kept summaries read anew from their last day on; rows anywhere else (an
// import of older days) make them read whole when next needed.
void ArchiveView::follow() const {
  const int64_t version = archive_->dataVersion();
  if (version >= 0 && version == dataVersion_) return;
  dataVersion_ = version;
  first_.reset();
  last_.reset();
  if (const std::optional<int64_t> t = archive_->firstTime()) first_ = localSeconds(*t);
  if (const std::optional<int64_t> t = archive_->lastTime()) last_ = localSeconds(*t);
  if (!kept_) return;
  int64_t rowsBefore = 0;
  for (size_t i = 0; i + 1 < kept_->size(); ++i) rowsBefore += (*kept_)[i].rows;
  if (kept_->empty() || archive_->rowsBefore(kept_->back().date) != rowsBefore) {
    kept_.reset();
    keptQuantities_.reset();
    return;
  }
  const std::vector<DaySummary> tail =
      archive_->days(kept_->back().date, kLatest, quantitiesOf(keptQuantities_));
  auto renewed = std::make_shared<std::vector<DaySummary>>();
  renewed->reserve(kept_->size() - 1 + tail.size());
  renewed->insert(renewed->end(), kept_->begin(), kept_->end() - 1);
  renewed->insert(renewed->end(), tail.begin(), tail.end());
  kept_ = std::move(renewed);
}

// Adds the summaries of `quantities` not kept yet to the kept ones.
void ArchiveView::keep(const std::vector<ArchiveQuantity>& quantities) const {
  std::bitset<kArchiveQuantityCount> missing;
  for (const ArchiveQuantity q : quantities) missing.set(static_cast<size_t>(q));
  missing &= ~keptQuantities_;
  if (kept_ && missing.none()) return;
  if (kept_) {
    // Rows written meanwhile are taken in by the next follow(), which
    // reads the changed days with every kept quantity.
    auto more = std::make_shared<std::vector<DaySummary>>(*kept_);
    archive_->addAggregates(*more, quantitiesOf(missing));
    kept_ = std::move(more);
  } else {
    kept_ = std::make_shared<const std::vector<DaySummary>>(
        archive_->days(kEarliest, kLatest, quantitiesOf(missing)));
  }
  keptQuantities_ |= missing;
}

void ArchiveView::keepDays(LogColumn column) const {
  follow();
  if (const std::optional<ArchiveQuantity> q = archiveQuantityOf(column))
    keep(dailyTableQuantities(*q));
}

DaySpan ArchiveView::days(const std::vector<ArchiveQuantity>& quantities, const ArchiveDate& first,
                          const ArchiveDate& last) const {
  follow();
  if (startOf(last) - startOf(first) < kLongestRead * 86400LL) {
    auto read =
        std::make_shared<const std::vector<DaySummary>>(archive_->days(first, last, quantities));
    return {read, 0, read->size()};
  }
  keep(quantities);
  const auto byDate = [](const DaySummary& d, const ArchiveDate& date) { return d.date < date; };
  const auto begin = std::lower_bound(kept_->begin(), kept_->end(), first, byDate);
  const auto end =
      std::upper_bound(begin, kept_->end(), last,
                       [](const ArchiveDate& date, const DaySummary& d) { return date < d.date; });
  return {kept_, static_cast<size_t>(begin - kept_->begin()),
          static_cast<size_t>(end - kept_->begin())};
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
    const DaySpan span = days({*q}, dateOf(from), dateOf(to));
    spans.reserve(span.size());
    for (size_t i = 0; i < span.size(); ++i) {
      const QuantityAggregate& a = span[i].of(*q);
      if (!a.min || !a.max) continue;
      const long long start = startOf(span[i].date);
      spans.push_back({start, start + 86400, *a.min, *a.max});
    }
  }
  return bandSeries(spans, column, from, to, width);
}

DaySpan ArchiveView::tableDays(LogColumn column, long long from, long long to) const {
  const std::optional<ArchiveQuantity> q = archiveQuantityOf(column);
  if (!q) return {};
  return days(dailyTableQuantities(*q), dateOf(from), dateOf(std::max(from, to - 1)));
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
