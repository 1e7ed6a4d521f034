// SPDX-License-Identifier: GPL-3.0-or-later
#include "history_log.h"

#include <cmath>

#include "common/command_line.h"
#include "common/regional.h"
#include "common/text_file.h"
#include "products/weather_log.h"
#include "products/weather_log_columns.h"

namespace tavik {

Transmission writeHistoryLog(ConsoleSimulator& simulator, const LocalDateTime& start,
                             const HistoryLog& history, const std::string& path) {
  TextFileWriter file;
  const auto failed = [&path, &file] {
    return UsageError(path + " lässt sich nicht schreiben: " + file.error());
  };
  if (!file.open(path, TextFileWriter::Mode::Truncate) || !file.writeLine(kWeatherLogHeader))
    throw failed();
  // A row shows the record as the first transmission at or after its moment
  // left it, a few seconds late at most; the last row's is the live run's
  // first.
  Transmission t = simulator.next();
  for (double row = history.rowEvery; row <= history.seconds; row += history.rowEvery) {
    while (t.at < row) t = simulator.next();
    const LocalDateTime at = addSeconds(start, std::llround(row));
    if (!file.writeLine(formatWeatherLogRow(simulator.record(), at, RegionalSettings::german())))
      throw failed();
  }
  while (t.at < history.seconds) t = simulator.next();
  if (!file.close()) throw failed();
  t.at -= history.seconds;
  return t;
}

}  // namespace tavik
