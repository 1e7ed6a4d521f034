// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "station/weather_record.h"

namespace tavik {

// How much of the record a product needs before it is published.
enum class GateMode {
  // Every group kind decoded since start and the last good group recent:
  // the reports, the APRS file, the bulletin line, the archive, the uploads
  // and MQTT's "online".
  Usable,
  // Every group kind decoded; a stale record passes, because the product
  // says so itself (the web page's banner, MQTT's "stale" flag).
  Complete,
};

// The one rule for when the station's record may be published, asked by the
// timers, the dialogs, every outlet and the "JETZT" commands.
struct ProductGate {
  bool complete = false;  // every group kind decoded since start
  bool fresh = false;     // the last good group is recent

  static ProductGate of(const StationState& state, bool fresh) { return {state.allSeen(), fresh}; }

  // A "JETZT" command (`commanded`) writes whatever the record holds.
  bool open(GateMode mode = GateMode::Usable, bool commanded = false) const {
    if (commanded) return true;
    return complete && (fresh || mode == GateMode::Complete);
  }
  // Why a usable record is missing, for the message after a "JETZT"
  // command; empty when the record is usable.
  std::string whyShut() const;
};

}  // namespace tavik
