// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/row_rain.h"

#include <algorithm>

namespace tavik {

std::optional<double> rowRain(const RainSample& row, const RainSample* before,
                              const RainSample* after) {
  if (row.total && before && before->total) {
    const int32_t rise = *row.total - *before->total;
    return rise >= 0 ? rise : 0.0;
  }
  if (!row.rate) return std::nullopt;
  int64_t seconds = std::max<int32_t>(row.interval, 0);
  if (after) seconds = std::clamp<int64_t>(after->time - row.time, 0, seconds);
  return *row.rate * static_cast<double>(seconds) / 3600.0;
}

}  // namespace tavik
