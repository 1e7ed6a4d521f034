// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavik {

// The stretch of time the explorer shows: a day, a week, a month or a year
// ending at a moment, or all rows; wheel and mouse make it a free stretch.
// Times are seconds since 1 January 1970 of local time.
enum class RangeKind { Day, Week, Month, Year, All, Free };

class HistoryRange {
 public:
  // The stretch of `kind` that ends at `end`; All spans [first, last].
  void show(RangeKind kind, long long end, long long first, long long last);
  // One stretch of the same kind earlier or later (a free stretch moves by
  // its own length).
  void previous();
  void next();
  // The stretch of the present kind that ends with the given day (a free
  // stretch or All becomes that day).
  void jumpTo(int year, int month, int day);
  // Narrows (factor < 1) or widens the stretch around the point `at`
  // (0 = its start, 1 = its end); at least ten minutes, at most 50 years.
  void zoom(double factor, double at);
  void pan(long long seconds);

  RangeKind kind() const { return kind_; }
  long long from() const { return from_; }
  long long to() const { return to_; }

 private:
  void step(int direction);
  RangeKind kind_ = RangeKind::Day;
  long long from_ = 0;
  long long to_ = 86400;
};

}  // namespace tavik
