// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavik {

// The program's own week number of a date, which sorts the weather log and
// the bulletin archive into week folders: (day div 7) + 4 * (month - 1) + 1.
// It is no calendar week: it runs from 1 (1 to 6 January) to 49 (28 to 31
// December), and the days from the 28th on share their number with the first
// six days of the next month.
int logWeekNumber(int month, int day);

}  // namespace tavik
