// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_history.h"

#include "archive/archive_history.h"
#include "products/utc_time.h"

namespace tavik {

namespace {

using Q = HistoryQuantity;

size_t indexOf(Q q) { return static_cast<size_t>(q); }

// The archive's quantity of each chart quantity.
constexpr std::array<ArchiveQuantity, kHistoryQuantities> kArchiveQuantityOf{
    ArchiveQuantity::HumIn,   ArchiveQuantity::HumOut,   ArchiveQuantity::TempIn,
    ArchiveQuantity::TempOut, ArchiveQuantity::BaroSea,  ArchiveQuantity::DewIn,
    ArchiveQuantity::DewOut,  ArchiveQuantity::RainRate, ArchiveQuantity::WindSpeed,
    ArchiveQuantity::Chill};

long long localMinuteOfUtc(int64_t utc) {
  const LocalDateTime t = localOfUtc(utc);
  return daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

int64_t utcOfLocalMinute(long long minute) {
  return utcOfLocal(addSeconds(LocalDateTime{1970, 1, 1}, minute * 60));
}

}  // namespace

long long minuteOf(const LocalDateTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

ChartHistory::ChartHistory(const Clock& clock) : clock_(clock) {}

ChartHistory::~ChartHistory() = default;

void ChartHistory::setArchive(const std::filesystem::path& path) {
  if (path == archivePath_) return;
  archivePath_ = path;
  archive_.reset();
  for (std::vector<HistoryPoint>& points : archived_) points.clear();
  lastArchivedMinute_.reset();
  readAt_ = -1;
}

void ChartHistory::record(const WeatherRecord& w, const StationState& s) {
  const long long now = minuteOf(clock_.now());
  const auto take = [&](Q q, bool seen, double value) {
    if (!seen) return;
    std::deque<HistoryPoint>& samples = live_[indexOf(q)];
    // The clock went back: what lies after now no longer fits the order.
    while (!samples.empty() && samples.back().minute > now) samples.pop_back();
    if (!samples.empty() && samples.back().minute == now) {
      samples.back().value = value;
    } else {
      samples.push_back({now, value});
    }
    while (samples.front().minute <= now - kKeptMinutes) samples.pop_front();
  };
  take(Q::HumIn, s.seen8F && !w.HumIn.OutOfRange, w.HumIn.Current);
  take(Q::HumOut, s.seen8F && !w.HumOut.OutOfRange, w.HumOut.Current);
  take(Q::TempIn, s.seen9F, w.TempIn.Current / 10.0);
  take(Q::TempOut, s.seen9F, w.TempOut.Current / 10.0);
  take(Q::SeaLevel, s.seenAF, w.Baro.SeaLevel / 10.0);
  take(Q::DewIn, s.seenAF && !w.DewIn.OutOfRange, w.DewIn.Current);
  take(Q::DewOut, s.seenAF && !w.DewOut.OutOfRange, w.DewOut.Current);
  take(Q::RainRate, s.seenBF && !w.Rain.RateOutOfRange, w.Rain.Rate);
  take(Q::Wind, s.seenCF, w.Wind.Speed / 10.0);
  take(Q::Chill, s.seenCF, w.Chill.Current);
}

// The rows of the span, each quantity's value at the local minute of its
// row; a failed read keeps what was read before and is tried again.
void ChartHistory::readArchive(long long now, long long minutes) {
  readAt_ = now;
  readSpan_ = minutes;
  if (archivePath_.empty()) return;
  if (!archive_) {
    std::error_code ec;
    if (!std::filesystem::exists(archivePath_, ec)) return;
    std::string error;
    archive_ = ArchiveHistory::open(archivePath_, error);
    if (!archive_) return;
  }
  std::array<std::vector<HistoryPoint>, kHistoryQuantities> read;
  std::optional<long long> last;
  const bool ok = archive_->rows(
      utcOfLocalMinute(now - minutes + 1), utcOfLocalMinute(now + 1), [&](const ArchiveRow& row) {
        const long long minute = localMinuteOfUtc(row.time);
        for (size_t i = 0; i < kHistoryQuantities; ++i) {
          if (const std::optional<double> v = quantityValue(row, kArchiveQuantityOf[i])) {
            read[i].push_back({minute, *v});
          }
        }
        last = minute;
        return true;
      });
  if (!ok) return;
  archived_ = std::move(read);
  lastArchivedMinute_ = last;
}

std::vector<HistoryPoint> ChartHistory::points(Q q, long long minutes) {
  const long long now = minuteOf(clock_.now());
  if (now != readAt_ || minutes != readSpan_) readArchive(now, minutes);
  std::vector<HistoryPoint> out;
  for (const HistoryPoint& p : archived_[indexOf(q)]) {
    if (p.minute > now - minutes && p.minute <= now) out.push_back(p);
  }
  // The record's samples after the archive's last row.
  for (const HistoryPoint& p : live_[indexOf(q)]) {
    if (lastArchivedMinute_ && p.minute <= *lastArchivedMinute_) continue;
    if (p.minute > now - minutes && p.minute <= now) out.push_back(p);
  }
  return out;
}

}  // namespace tavik
