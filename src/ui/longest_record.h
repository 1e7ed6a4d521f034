// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/decoders.h"

namespace tavik {

// A record whose display texts are as long as the station ever makes them,
// every group kind decoded: the main window reserves the room these texts
// need before the first data come, so that it does not grow when they do.
// With `outOfRange`, every value the console can mark is marked, which gives
// "Out of Range!" in place of those values.
StationData longestRecord(bool outOfRange);

}  // namespace tavik
