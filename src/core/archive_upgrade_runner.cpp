// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive_upgrade_runner.h"

#include <string>
#include <system_error>

#include "archive/archive_upgrade.h"
#include "common/journal_lines.h"

namespace tavik {

ArchiveUpgradeRunner::ArchiveUpgradeRunner(std::ostream& log) : log_(log) {
  // A millisecond after each slice: the event loop waits for its sources in
  // between, as it does when idle, instead of running slice after slice.
  timer_.setSingleShot(true);
  timer_.setInterval(1);
  QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
}

ArchiveUpgradeRunner::~ArchiveUpgradeRunner() = default;

void ArchiveUpgradeRunner::start(const std::filesystem::path& path) {
  if (upgrade_ && path == path_) return;
  timer_.stop();
  upgrade_.reset();  // another archive: this one carries on at its next start
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return;
  std::string error;
  upgrade_ = ArchiveUpgrade::open(path, error);
  if (!upgrade_) return;
  path_ = path;
  log_ << priorityPrefix(Priority::Notice) << "Das Archiv \"" << path_.string()
       << "\" stammt von einer älteren Version und wird erneuert: die Stundenwerte werden "
          "nebenher aus den Zeilen berechnet."
       << std::endl;
  timer_.start();
}

void ArchiveUpgradeRunner::step() {
  if (!upgrade_) return timer_.stop();
  switch (upgrade_->step()) {
    case ArchiveUpgrade::Step::More:
      return timer_.start();
    case ArchiveUpgrade::Step::Done:
      log_ << priorityPrefix(Priority::Notice) << "Das Archiv \"" << path_.string()
           << "\" ist erneuert: die Stundenwerte von " << upgrade_->hours()
           << " Stunden wurden aus den Zeilen berechnet." << std::endl;
      break;
    case ArchiveUpgrade::Step::Failed:
      log_ << upgrade_->lastError() << " Die Erneuerung geht beim nächsten Start weiter."
           << std::endl;
      break;
  }
  timer_.stop();
  upgrade_.reset();
}

}  // namespace tavik
