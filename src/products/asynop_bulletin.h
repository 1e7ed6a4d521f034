// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "common/clock.h"
#include "common/regional.h"
#include "products/product_context.h"

namespace tavik {

// The lines of an ASYNOP bulletin, built from the record and the settings.
// Report times are UTC: the PC's local time minus Zeitzone hours, taken as a
// whole date and time so that the day and hour are right on every side of
// midnight and in every time zone.

// The UTC moment of a local PC time.
LocalDateTime asynopUtc(const LocalDateTime& local, int zeitzone);

// "ASYNOP <sender> dd.mm.yy", the bulletin's subject for a date.
std::string asynopSubject(const std::string& sender, const LocalDateTime& date,
                          const RegionalSettings& rs);

// The lines a new bulletin starts with: message header (local PC date and
// time), subject, the line above the data, and "ASYNOP YYMMDD" of the UTC date.
std::vector<std::string> asynopOpeningLines(const ProductContext& ctx);

// One report line, for example
// "ZZ9ZZ  08061 99505 10079 36/// /2404 11053 29072 40132 51///=".
std::string asynopReportLine(const ProductContext& ctx);

// "/QAM/", an empty line and the line below the data.
std::vector<std::string> asynopClosingLines(const ProductContext& ctx);

}  // namespace tavik
