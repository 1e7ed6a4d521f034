// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "settings/settings.h"

namespace tavik {

// The locator dialog's OK: MyLocator and the ASYNOP position derived from it
// (latitude, longitude, quadrant). A locator that does not convert changes
// nothing; its message is the caller's to show.
bool takeOverLocator(std::string_view locator, Settings& settings);

}  // namespace tavik
