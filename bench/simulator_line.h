// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator on a pseudo-terminal for the benchmarks that run a program
// against it.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "child_process.h"

namespace tavik::bench {

// Starts `simulator` linked at `line` at `scale` times the console's pace,
// its output in dir/sim.log, and waits up to 5 s for the link to appear.
inline pid_t startSimulator(const std::string& simulator, const std::filesystem::path& dir,
                            const std::filesystem::path& line, int scale) {
  const pid_t sim =
      tavik::spawnProcess({simulator, "--link", line.string(), "--speed", std::to_string(scale)},
                          {}, dir / "sim.log", dir);
  for (int i = 0; i < 100 && !std::filesystem::exists(line); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return sim;
}

}  // namespace tavik::bench
