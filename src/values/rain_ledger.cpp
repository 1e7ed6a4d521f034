// SPDX-License-Identifier: GPL-3.0-or-later
#include "values/rain_ledger.h"

#include <algorithm>

namespace tavik {

namespace {

// The rain between two readings of the counter: their difference, or after a
// reset of the console's total everything counted since.
int rainBetween(int before, int after) { return after >= before ? after - before : after; }

}  // namespace

void RainLedger::add(long long utcSecond, int counter) {
  if (!changes_.empty() && utcSecond < newest_) return;
  if (changes_.empty() || changes_.back().counter != counter) {
    changes_.push_back({utcSecond, counter});
  }
  newest_ = utcSecond;
  forgetBefore(utcSecond - kKeptSeconds);
}

void RainLedger::seed(std::vector<RainSample> samples) {
  std::stable_sort(samples.begin(), samples.end(), [](const RainSample& a, const RainSample& b) {
    return a.utcSecond < b.utcSecond;
  });
  const std::vector<RainSample> later = std::move(changes_);
  const long long newest = newest_;
  changes_.clear();
  newest_ = 0;
  for (const RainSample& s : samples) {
    if (!later.empty() && s.utcSecond >= later.front().utcSecond) break;
    add(s.utcSecond, s.counter);
  }
  for (const RainSample& s : later) add(s.utcSecond, s.counter);
  if (!later.empty()) newest_ = newest;
}

// The counter at the span's start is the last change at or before it; every
// change after it adds its rain.
std::optional<RainSum> RainLedger::since(long long fromUtcSecond) const {
  if (changes_.empty() || newest_ < fromUtcSecond) return std::nullopt;
  auto after = std::upper_bound(changes_.begin(), changes_.end(), fromUtcSecond,
                                [](long long t, const RainSample& s) { return t < s.utcSecond; });
  RainSum sum;
  sum.whole = after != changes_.begin();
  auto base = sum.whole ? std::prev(after) : changes_.begin();
  sum.fromUtcSecond = sum.whole ? fromUtcSecond : base->utcSecond;
  for (auto it = std::next(base); it != changes_.end(); ++it) {
    sum.amount += rainBetween(std::prev(it)->counter, it->counter);
  }
  return sum;
}

// Keeps the last change at or before `utcSecond`: it is the counter there.
void RainLedger::forgetBefore(long long utcSecond) {
  auto after = std::upper_bound(changes_.begin(), changes_.end(), utcSecond,
                                [](long long t, const RainSample& s) { return t < s.utcSecond; });
  if (after - changes_.begin() > 1) changes_.erase(changes_.begin(), std::prev(after));
}

}  // namespace tavik
