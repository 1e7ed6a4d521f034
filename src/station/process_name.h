// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>

namespace tavik {

// The program name of a running process as `proc` (the process folder,
// normally /proc) shows it ("tavik-station"); empty when it cannot be read.
std::string processName(pid_t pid, const std::string& proc = "/proc");

// Who holds a device, for a message: "tavik-station, PID 1234", "PID 1234"
// when the name cannot be read, empty for no process (0).
std::string holderText(pid_t pid, const std::string& proc = "/proc");

}  // namespace tavik
