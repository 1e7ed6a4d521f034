// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/log_week.h"

namespace tavik {

int logWeekNumber(int month, int day) { return day / 7 + 4 * (month - 1) + 1; }

}  // namespace tavik
