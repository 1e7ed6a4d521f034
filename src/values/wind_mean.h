// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>

namespace tavik {

// The mean wind of the last ten minutes, from the wind groups: the scalar
// mean of the speeds and the direction of the mean wind vector, so that
// winds around north average to north and not to south.
class WindMean {
 public:
  static constexpr long long kSpanSeconds = 600;

  struct Mean {
    int speedTenths = 0;  // tenths of m/s
    int dirDegrees = 0;   // 1..360 (north 360); 0 only for calm
  };

  // One wind group at a second of a steady clock.
  void add(long long second, int speedTenths, int dirDegrees);
  // The mean of the ten minutes before `second`; nothing until a wind group
  // at least ten minutes old is known, or when the last group is older than
  // the span.
  std::optional<Mean> mean(long long second) const;

 private:
  struct Sample {
    long long second;
    int speed;
    int dir;
  };
  std::deque<Sample> samples_;
};

}  // namespace tavik
