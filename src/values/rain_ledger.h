// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace tavik {

// The console's rain counter at one moment: seconds since 1970-01-01 00:00
// UTC and the counter's value in the console's unit.
struct RainSample {
  long long utcSecond = 0;
  int counter = 0;
};

// The rain of a span: the amount in the counter's unit and the moment it
// counts from, which is later than the span's start while the ledger has not
// yet seen the whole span.
struct RainSum {
  int amount = 0;
  long long fromUtcSecond = 0;
  bool whole = false;  // the ledger covers the whole span
};

// The rain counter's course, from accepted rain groups (and the archive's
// samples at start), so that the rain of any recent span is a difference of
// the counter. The counter only grows; a fall means the console's total was
// reset, and the count after it is rain since the reset.
class RainLedger {
 public:
  // How far back the ledger keeps the counter: a day of 25 hours (the
  // day-light saving change in autumn) and the last 24 hours both fit.
  static constexpr long long kKeptSeconds = 26 * 3600;

  // One accepted rain group. A sample older than the newest is ignored.
  void add(long long utcSecond, int counter);
  // Samples from before the start (the archive's), oldest first or not; they
  // are taken as if they had arrived before the first group.
  void seed(std::vector<RainSample> samples);

  // The rain from `fromUtcSecond` to the newest sample; nothing before the
  // first sample or when the newest sample is older than the span's start.
  std::optional<RainSum> since(long long fromUtcSecond) const;
  bool empty() const { return changes_.empty(); }

 private:
  void forgetBefore(long long utcSecond);

  // The first sample and every sample whose counter differs from the one
  // before it: the counter stands still between them.
  std::vector<RainSample> changes_;
  long long newest_ = 0;
};

}  // namespace tavik
