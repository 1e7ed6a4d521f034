// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "common/clock.h"
#include "station/decoders.h"
#include "station/plausibility_check.h"

namespace tavik {

// Tells the log about groups the plausibility check refused, at most once a
// minute so that a noisy line cannot flood it: the first refusal is written at
// once, the ones that follow within the minute are summed up with the next
// refusal after it.
class RefusalReport {
 public:
  RefusalReport(std::ostream& log, const Clock& clock) : log_(log), clock_(clock) {}

  void refused(GroupKind kind, const PlausibilityCheck::Judgement& judgement);

 private:
  std::ostream& log_;
  const Clock& clock_;
  std::optional<int64_t> lastReport_;  // seconds on the clock
  uint32_t unreported_ = 0;
};

}  // namespace tavik
