// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string_view>

namespace tavik {

// A moment of local wall time, broken down as the program uses it.
struct LocalDateTime {
  int year = 2000;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
  int millisecond = 0;

  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Source of the current local wall time. The program uses SystemClock; tests
// use a clock they set and advance themselves.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime now() const = 0;
};

class SystemClock final : public Clock {
 public:
  LocalDateTime now() const override;
};

// A clock that stands still until a test moves it.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(LocalDateTime start = {}) : now_(start) {}
  LocalDateTime now() const override { return now_; }
  void set(const LocalDateTime& t) { now_ = t; }
  // Moves the clock on by whole seconds, carrying into minutes, hours, days,
  // months and years by the Gregorian calendar.
  void advanceSeconds(long long seconds);

 private:
  LocalDateTime now_;
};

// Calendar helpers on LocalDateTime (proleptic Gregorian calendar).
bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isValidDate(int year, int month, int day);

// A local wall time "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" (a blank may
// stand for the "T"); nothing for any other text or a moment the calendar
// does not have.
std::optional<LocalDateTime> parseClockStart(std::string_view text);

// Days since 1970-01-01 of a date, and back.
long long daysFromCivil(int year, int month, int day);
void civilFromDays(long long days, int& year, int& month, int& day);
// The moment `seconds` later (or earlier, when negative).
LocalDateTime addSeconds(const LocalDateTime& t, long long seconds);

}  // namespace tavik
