// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archive/archive_row.h"

namespace tavik {

// Empties every value of `row` that lies outside the range the console can
// measure (the plausibility check's range table; trend and forecast must be
// one of their codes) and returns how many it emptied.
int dropImplausible(ArchiveRow& row);

}  // namespace tavik
