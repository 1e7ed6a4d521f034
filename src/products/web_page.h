// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/regional.h"
#include "products/current_json.h"
#include "products/web_charts.h"

namespace tavik {

// `index.html`: one self-contained German page with inline CSS and SVG, no
// script and no external resource. Every value stands in an element with a
// fixed id (see web_page.cpp), the number alone, its unit beside it.
struct WebPageInput {
  const CurrentJsonInput& current;
  const std::vector<ChartPeriod>& periods;
  std::vector<std::string> reports;  // file names of the climate reports, newest first
  int refreshMinutes = 5;            // 0: no automatic reload
  const RegionalSettings& rs;
};

std::string webPage(const WebPageInput& in);

// Text made safe inside HTML elements and attribute values.
std::string htmlEscape(std::string_view text);

}  // namespace tavik
