// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/log_quantity.h"

#include <array>

namespace tavik {

QuantityLabel quantityLabel(LogColumn column) {
  static constexpr std::array<QuantityLabel, kLogColumnCount> kLabels = {{
      {"Luftfeuchtigkeit aussen", "%"},
      {"Luftfeuchtigkeit innen", "%"},
      {"Temperatur innen", "°C"},
      {"Temperatur aussen", "°C"},
      {"Taupunkt innen", "°C"},
      {"Taupunkt aussen", "°C"},
      {"Luftdruck (örtlich)", "hPa"},
      {"Luftdruck (Meereshöhe)", "hPa"},
      {"Regen", "mm/h"},
      {"Windgeschwindigkeit", "m/s"},
      {"Windrichtung", "°"},
      {"Windchill", "°C"},
  }};
  return kLabels[static_cast<size_t>(column)];
}

}  // namespace tavik
