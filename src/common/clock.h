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
  // How far a local time of this clock is ahead of UTC, in minutes; nothing
  // where the system has no time zone. The system's zone unless a clock is
  // told otherwise.
  virtual std::optional<int> utcOffsetMinutes(const LocalDateTime& local) const;
  // The offset at the clock's present moment.
  std::optional<int> utcOffsetMinutes() const { return utcOffsetMinutes(now()); }
  // The offset of a local time, or `zoneHours` whole hours (the zone the
  // user set) where the system has no time zone.
  int zoneOffsetMinutes(const LocalDateTime& local, int zoneHours) const {
    return utcOffsetMinutes(local).value_or(zoneHours * 60);
  }
  // Milliseconds on a clock that no step of the wall clock moves, as the
  // timers count; its start is of no meaning.
  virtual long long steadyMilliseconds() const;
  // How many times as fast as real time the clock runs: the timers of a
  // program run as fast, so that their periods agree with the clock. 1 but
  // for an accelerated clock (see core/scaled_clock.h).
  virtual int speedUp() const { return 1; }
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
  // Steps the wall time; the steady clock stays where it is.
  void set(const LocalDateTime& t) { now_ = t; }
  // Moves the clock on by whole seconds, carrying into minutes, hours, days,
  // months and years by the Gregorian calendar; the steady clock moves along.
  void advanceSeconds(long long seconds);
  long long steadyMilliseconds() const override { return steadyMs_; }
  // Every local time of the clock is this many minutes ahead of UTC (a test
  // steps it as a daylight-saving change would); the system's zone until set.
  void setUtcOffsetMinutes(int minutes) { offset_ = minutes; }
  std::optional<int> utcOffsetMinutes(const LocalDateTime& local) const override;

 private:
  LocalDateTime now_;
  std::optional<int> offset_;
  long long steadyMs_ = 0;
};

// The offset of the system's time zone at a local time (the earlier one where
// a local time occurs twice); nothing when neither TZ nor /etc/localtime names
// a zone.
std::optional<int> systemUtcOffsetMinutes(const LocalDateTime& local);
// Seconds since 1970-01-01 00:00 UTC of a local time `offsetMinutes` ahead of UTC.
long long utcSeconds(const LocalDateTime& local, int offsetMinutes);

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
