// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "archive/archive_history.h"
#include "common/clock.h"

namespace tavik {

// The local wall time of a UTC moment in the process's time zone, as the
// program shows the archive's times (utcOfLocal goes the other way).
LocalDateTime localOfUtc(int64_t utc);

}  // namespace tavik
