// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/notifier.h"

namespace tavik {

// What became of an outside command.
struct CommandResult {
  enum class Outcome { NotStarted, Finished, TimedOut };
  Outcome outcome = Outcome::NotStarted;
  int exitCode = 0;
  std::string errorOutput;  // its standard error
};

// Runs a program with arguments and waits for it.
using CommandRunner =
    std::function<CommandResult(const std::string& program, const std::vector<std::string>& args)>;

// The real runner: starts the program found in PATH and waits up to 15 s for
// it to end (a print spooler only queues the file, so it ends at once).
CommandResult runCommand(const std::string& program, const std::vector<std::string>& args);

// Hands a file to the print system ("lp FILE"). Empty when it was queued;
// otherwise the German reason why not (no print system, or what lp said).
std::string printFile(const std::string& path, const CommandRunner& run);

// "&Drucken": prints the file and reports a failure under the caption "Drucken".
void printFileOrSayWhy(const std::string& path, Notifier& notifier,
                       const CommandRunner& run = runCommand);

}  // namespace tavik
