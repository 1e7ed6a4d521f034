// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_place.h"

#include <cmath>
#include <cstdlib>

#include "astro/locator.h"
#include "astro/sun_times.h"
#include "common/regional.h"
#include "products/current_json.h"

namespace tavik {
namespace {

std::optional<double> metres(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// "8:06": zone hours as the page's clock shows them, the minutes rounded.
std::string clockText(double hours) {
  const long long minutes = ((std::llround(hours * 60) % 1440) + 1440) % 1440;
  return std::to_string(minutes / 60) + ":" + twoDigits(static_cast<int>(minutes % 60));
}

}  // namespace

WebPlace webPlaceOf(const Settings& settings, const LocalDateTime& today) {
  WebPlace place;
  place.locator = settings.MyLocator;
  place.heightM = metres(settings.Hoehe);
  const Outcome<GeoPoint> centre = LocatorToCentre(settings.MyLocator);
  if (!centre.ok() || std::fabs(centre.value->latitude) > 90 ||
      std::fabs(centre.value->longitude) > 180) {
    return place;
  }
  place.latitude = centre.value->latitude;
  place.longitude = centre.value->longitude;
  // The sun calculator takes whole hours; the PC's offset, so that the times
  // read like the page's own clock.
  const int offsetHours = static_cast<int>(std::lround(localUtcOffsetMinutes(today) / 60.0));
  const Outcome<SunTimes> sun = SunTimesCalc({dayOfYear(today.year, today.month, today.day),
                                              *place.latitude, *place.longitude, offsetHours});
  if (sun.ok()) {
    place.sunrise = clockText(sun.value->riseZone);
    place.sunset = clockText(sun.value->setZone);
  }
  return place;
}

}  // namespace tavik
