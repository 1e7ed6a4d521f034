// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "common/clock.h"

namespace tavik {

// What the clockwork knows about the line when the web page is made.
struct WebStatus {
  bool stale = false;
  std::optional<LocalDateTime> lastGroup;  // PC time of the last good group
};

}  // namespace tavik
