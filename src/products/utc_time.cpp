// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/utc_time.h"

#include <ctime>

namespace tavik {

LocalDateTime localOfUtc(int64_t utc) {
  const std::time_t t = static_cast<std::time_t>(utc);
  std::tm local{};
  localtime_r(&t, &local);
  return {local.tm_year + 1900,
          local.tm_mon + 1,
          local.tm_mday,
          local.tm_hour,
          local.tm_min,
          local.tm_sec,
          0};
}

}  // namespace tavik
