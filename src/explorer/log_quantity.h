// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "products/weather_log_columns.h"

namespace tavik {

// What a Wetterlog column is called in the explorer, and its unit; columns
// of one unit share a value axis.
struct QuantityLabel {
  const char* title;
  const char* unit;
};
QuantityLabel quantityLabel(LogColumn column);

}  // namespace tavik
