// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "console_simulator.h"

namespace tavik {

struct SimCommandLine {
  SimulatorOptions simulator;
  double speed = 1;  // simulated seconds per wall second
  std::optional<uint64_t> count;
  std::optional<double> duration;  // simulated seconds
  std::optional<std::string> out;  // none: a pseudo-terminal
  std::string link;
  std::string capture;
  std::string truth;
  // --history: the Wetterlog file the hours before the start go to.
  std::string history;
  // --clock: the moment the console's clock starts at; none: the PC clock.
  std::optional<LocalDateTime> clock;
  bool help = false;
  bool version = false;
};

extern const char* const kSimUsage;

// Throws UsageError for unknown options, bad numbers, stray arguments and
// clashing choices.
SimCommandLine parseSimCommandLine(int argc, char** argv);

}  // namespace tavik
