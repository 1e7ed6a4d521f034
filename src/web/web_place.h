// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/clock.h"
#include "settings/settings.h"
#include "web/web_page.h"

namespace tavik {

// The station's place for the web page: the centre of MyLocator, the height
// from Hoehe, and today's sunrise and sunset there in the PC's local time.
// What cannot be read from the settings stays absent.
WebPlace webPlaceOf(const Settings& settings, const LocalDateTime& today);

}  // namespace tavik
