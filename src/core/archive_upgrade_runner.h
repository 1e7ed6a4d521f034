// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <filesystem>
#include <memory>
#include <ostream>

namespace tavik {

class ArchiveUpgrade;

// Renews an archive of an older version while the station runs: one slice
// of hours per pass of the event loop, on a timer, so that no pass takes
// long and the port, the timers and the watchdog go on meanwhile.
// Said on `log` when it begins and when it is done; a failure is said once
// and the renewal waits for the next start (nothing done is lost).
class ArchiveUpgradeRunner {
 public:
  explicit ArchiveUpgradeRunner(std::ostream& log);
  ~ArchiveUpgradeRunner();
  ArchiveUpgradeRunner(const ArchiveUpgradeRunner&) = delete;
  ArchiveUpgradeRunner& operator=(const ArchiveUpgradeRunner&) = delete;

  // Begins renewing the archive at `path` where it needs it. Nothing while
  // the renewal of that path runs, nor for a missing file or one that
  // cannot be written (the archive's writer reports those).
  void start(const std::filesystem::path& path);
  bool running() const { return upgrade_ != nullptr; }

 private:
  void step();

  std::ostream& log_;
  QTimer timer_;
  std::filesystem::path path_;
  std::unique_ptr<ArchiveUpgrade> upgrade_;
};

}  // namespace tavik
