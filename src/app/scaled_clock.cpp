#include "app/scaled_clock.h"

namespace tavik {

ScaledClock::ScaledClock(int factor)
    : factor_(factor), start_(SystemClock().now()), startTick_(std::chrono::steady_clock::now()) {}

LocalDateTime ScaledClock::now() const {
  const auto elapsed = std::chrono::steady_clock::now() - startTick_;
  const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  const long long scaledMs = ms * factor_ + start_.millisecond;
  LocalDateTime t = addSeconds(start_, scaledMs / 1000);
  t.millisecond = static_cast<int>(scaledMs % 1000);
  return t;
}

}  // namespace tavik
