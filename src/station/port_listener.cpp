// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/port_listener.h"

namespace tavik {

PortListener::~PortListener() = default;

}  // namespace tavik
