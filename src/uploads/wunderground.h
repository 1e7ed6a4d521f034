// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "uploads/upload_sender.h"

namespace tavik {

inline constexpr const char* kWundergroundServer =
    "https://weatherstation.wunderground.com/weatherstation/updateweatherstation.php";

// The parameters of one upload in their order: ID, PASSWORD, dateutc (the
// record's time, "YYYY-MM-DD HH:MM:SS" UTC), then the values the station has
// in the service's units (°F, %, inches of mercury at sea level, mph of the
// mean wind and of the highest speed of the last five minutes, degrees,
// inches of rain: rainin the last hour, dailyrainin since local midnight, the
// hundredths the APRS fields carry), then action=updateraw and softwaretype.
// Numbers are written with a decimal point, whatever the locale.
std::vector<std::pair<std::string, std::string>> wundergroundParameters(
    const std::string& stationId, const std::string& password, const UploadRecord& record,
    std::string_view version);

// The query string of the parameters, each value percent-encoded.
std::string wundergroundQuery(const std::vector<std::pair<std::string, std::string>>& parameters);

// Whether the server's answer says the upload was taken: the body "success"
// (blanks and line ends around it ignored).
bool wundergroundSuccess(std::string_view body);

}  // namespace tavik
