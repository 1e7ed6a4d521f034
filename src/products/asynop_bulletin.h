// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/regional.h"
#include "products/product_context.h"

namespace tavik {

// The lines of an ASYNOP bulletin, built from the record and the settings.
// Report times are UTC: the PC's local time less the system zone's offset at
// that moment (Zeitzone hours where the system has no zone), taken as a whole
// date and time so that the day and hour are right on every side of midnight,
// in every time zone and on both sides of a daylight-saving change.

// The UTC moment of a local time of `clock`.
LocalDateTime asynopUtc(const Clock& clock, const LocalDateTime& local, int zeitzone);

// The group Nddff (cloud cover not observed): the direction in tens of
// degrees, rounded (36 for north, 00 only for calm), and the speed in whole
// m/s, rounded; calm when the speed rounds to 0. From 99 m/s on, ff is 99
// and the group 00fff follows with the speed.
std::string synopWindGroup(int speedTenths, int dirDegrees);

// "ASYNOP <sender> dd.mm.yy", the bulletin's subject for a date.
std::string asynopSubject(const std::string& sender, const LocalDateTime& date,
                          const RegionalSettings& rs);

// The lines a new bulletin starts with: message header (local PC date and
// time), subject, the line above the data, and "ASYNOP YYMMDD" of the UTC date.
std::vector<std::string> asynopOpeningLines(const ProductContext& ctx);

// Rain fallen over a number of whole hours, in the rain counter's unit.
struct RainAmount {
  int count = 0;
  int hours = 0;
};

// One report line, for example
// "ZZ9ZZ  08061 99505 10079 16/// /2404 11053 29072 40132 52/// 60031=".
// Group 5 is the pressure tendency of the station's trend (rising 2, steady 4,
// falling 7; no amount); it is left out while the trend is unknown. Group 6
// is the rain amount with the digit of its period; without an amount over a
// period the code knows the line says so (iR 4) and has no group 6, and with
// no rain it says that (iR 3).
std::string asynopReportLine(const ProductContext& ctx,
                             std::optional<RainAmount> rain = std::nullopt);

// "/QAM/", an empty line and the line below the data.
std::vector<std::string> asynopClosingLines(const ProductContext& ctx);

}  // namespace tavik
