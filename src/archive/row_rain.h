// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace tavik {

// What the rain of a row depends on: its time and interval, its rate and
// the console's counter.
struct RainSample {
  int64_t time = 0;
  int32_t interval = 60;
  std::optional<int32_t> rate;   // mm/h
  std::optional<int32_t> total;  // mm
};

// The rain in mm of `row`, given the rows just before and after it (either
// may be missing): the counter's rise since the row before when both carry
// the counter (a counter that went down was reset on the console and starts
// anew, which counts no rain), otherwise the rate over the time to the next
// row, at most the row's interval (also for the last row, which has no next).
// Empty when the row has neither.
std::optional<double> rowRain(const RainSample& row, const RainSample* before,
                              const RainSample* after);

}  // namespace tavik
