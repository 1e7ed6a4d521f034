// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/clock.h"
#include "console_simulator.h"

namespace tavik {

// The simulated weather of the hours before a live run, as Wetterlog rows:
// the simulator runs ahead from `start` for `seconds` and a row of its record
// is kept every `rowEvery` seconds, the first one `rowEvery` after the start.
// The live run then goes on from the weather the last row shows, so that a
// history imported from these rows meets the live values without a step.
struct HistoryLog {
  double seconds = 3 * 3600;
  double rowEvery = 300;
};

// Writes the rows (header first, Windows-1252, CR LF) to `path`, replacing
// the file, and returns the transmission that comes next: the first one of
// the live run, its time counted from the history's end. Throws UsageError
// when the file cannot be written.
Transmission writeHistoryLog(ConsoleSimulator& simulator, const LocalDateTime& start,
                             const HistoryLog& history, const std::string& path);

}  // namespace tavik
