// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "uploads/upload_values.h"

namespace tavik {

inline constexpr const char* kWundergroundServer =
    "https://weatherstation.wunderground.com/weatherstation/updateweatherstation.php";

// The parameters of one upload in their order: ID, PASSWORD, dateutc
// ("YYYY-MM-DD HH:MM:SS"), then the values the station has in the service's
// units (°F, %, inches of mercury, mph, degrees, inches of rain: rainin the
// last hour, dailyrainin since local midnight), then action=updateraw and
// softwaretype. Numbers are written with a decimal point, whatever the
// locale.
std::vector<std::pair<std::string, std::string>> wundergroundParameters(
    const std::string& stationId, const std::string& password, const UploadValues& values,
    std::time_t utc, std::string_view version);

// The query string of the parameters, each value percent-encoded.
std::string wundergroundQuery(const std::vector<std::pair<std::string, std::string>>& parameters);

// Whether the server's answer says the upload was taken: the body "success"
// (blanks and line ends around it ignored).
bool wundergroundSuccess(std::string_view body);

}  // namespace tavik
