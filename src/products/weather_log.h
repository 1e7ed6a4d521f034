// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "products/product_context.h"

namespace tavik {

// Appends one row of the current record to the Wetterlog file of the current
// day, week or month (LogUpdate 0, 1, 2) under LogOrdner, inside a month
// folder and a week folder when LogMonatsordner / LogWochenordner are set.
// Missing folders are created with every level; a new file starts with the
// column header. Failures are shown through ctx.notifier.
void writeWeatherLog(const ProductContext& ctx);

// One Wetterlog row (without its line end) of a record at time t.
std::string formatWeatherLogRow(const WeatherRecord& w, const LocalDateTime& t,
                                const RegionalSettings& rs);

}  // namespace tavik
