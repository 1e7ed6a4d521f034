// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/history_range.h"

#include <algorithm>
#include <cmath>

#include "common/clock.h"
#include "products/weather_log_reader.h"

namespace tavik {

namespace {

constexpr long long kDay = 86400;
constexpr long long kShortest = 600;
constexpr long long kLongest = 50 * 366 * kDay;

// The same moment `months` calendar months earlier (negative) or later; a
// day beyond the month's end becomes its last day.
long long addMonths(long long seconds, int months) {
  LocalDateTime t = timeOfSeconds(seconds);
  const int index = t.year * 12 + (t.month - 1) + months;
  t.year = index / 12;
  t.month = index % 12 + 1;
  t.day = std::min(t.day, daysInMonth(t.year, t.month));
  return secondsOf(t);
}

long long startOf(RangeKind kind, long long end) {
  switch (kind) {
    case RangeKind::Week:
      return end - 7 * kDay;
    case RangeKind::Month:
      return addMonths(end, -1);
    case RangeKind::Year:
      return addMonths(end, -12);
    default:
      return end - kDay;
  }
}

}  // namespace

void HistoryRange::show(RangeKind kind, long long end, long long first, long long last) {
  kind_ = kind;
  if (kind == RangeKind::All) {
    from_ = first;
    to_ = std::max(last, first + kShortest);
    return;
  }
  if (kind == RangeKind::Free) kind_ = RangeKind::Day;
  to_ = end;
  from_ = startOf(kind_, end);
}

void HistoryRange::step(int direction) {
  switch (kind_) {
    case RangeKind::Month:
    case RangeKind::Year: {
      const int months = kind_ == RangeKind::Month ? 1 : 12;
      to_ = addMonths(to_, direction * months);
      from_ = addMonths(to_, -months);
      break;
    }
    default: {
      const long long length = to_ - from_;
      from_ += direction * length;
      to_ += direction * length;
    }
  }
}

void HistoryRange::previous() { step(-1); }
void HistoryRange::next() { step(1); }

void HistoryRange::jumpTo(int year, int month, int day) {
  if (kind_ == RangeKind::All || kind_ == RangeKind::Free) kind_ = RangeKind::Day;
  to_ = secondsOf(LocalDateTime{year, month, day}) + kDay;
  from_ = startOf(kind_, to_);
}

void HistoryRange::zoom(double factor, double at) {
  const double length = static_cast<double>(to_ - from_);
  const double wanted = std::clamp(length * factor, double(kShortest), double(kLongest));
  const double pivot = static_cast<double>(from_) + length * std::clamp(at, 0.0, 1.0);
  from_ = std::llround(pivot - (pivot - static_cast<double>(from_)) * wanted / length);
  to_ = from_ + std::llround(wanted);
  kind_ = RangeKind::Free;
}

void HistoryRange::pan(long long seconds) {
  from_ += seconds;
  to_ += seconds;
  if (kind_ == RangeKind::All) kind_ = RangeKind::Free;
}

}  // namespace tavik
