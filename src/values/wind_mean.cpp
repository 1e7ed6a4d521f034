// SPDX-License-Identifier: GPL-3.0-or-later
#include "values/wind_mean.h"

#include <cmath>
#include <numbers>

namespace tavik {

void WindMean::add(long long second, int speedTenths, int dirDegrees) {
  if (!samples_.empty() && second < samples_.back().second) samples_.clear();
  samples_.push_back({second, speedTenths, dirDegrees});
  // One sample older than the span stays: it tells that the span is whole.
  while (samples_.size() > 1 && samples_[1].second <= second - kSpanSeconds) samples_.pop_front();
}

std::optional<WindMean::Mean> WindMean::mean(long long second) const {
  if (samples_.empty() || samples_.front().second > second - kSpanSeconds ||
      samples_.back().second <= second - kSpanSeconds) {
    return std::nullopt;
  }
  double speedSum = 0, east = 0, north = 0;
  int count = 0;
  for (const Sample& s : samples_) {
    if (s.second <= second - kSpanSeconds) continue;
    const double radians = s.dir * std::numbers::pi / 180.0;
    speedSum += s.speed;
    east += s.speed * std::sin(radians);
    north += s.speed * std::cos(radians);
    ++count;
  }
  Mean m;
  m.speedTenths = static_cast<int>(std::lround(speedSum / count));
  if (m.speedTenths == 0 || (east == 0 && north == 0)) return m;
  long long dir = std::lround(std::atan2(east, north) * 180.0 / std::numbers::pi);
  if (dir <= 0) dir += 360;
  m.dirDegrees = static_cast<int>(dir);
  return m;
}

}  // namespace tavik
