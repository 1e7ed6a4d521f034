// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/locator_takeover.h"

#include <cstdint>
#include <string>

#include "astro/locator.h"

namespace tavik {

bool takeOverLocator(std::string_view locator, Settings& settings) {
  const Outcome<AsynopPosition> position = asynopPositionFromLocator(locator);
  if (!position.ok()) return false;
  settings.MyLocator = std::string(locator);
  settings.ASYNOPLat = position.value->latitude;
  settings.ASYNOPLong = position.value->longitude;
  settings.ASYNOPErdquadrant = static_cast<uint8_t>(position.value->quadrant);
  return true;
}

}  // namespace tavik
