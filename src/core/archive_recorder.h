// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "archive/archive_writer.h"
#include "archive/record_row.h"
#include "core/archive_upgrade_runner.h"
#include "products/product_context.h"

namespace tavik {

// Writes the station archive from the record: one row every ArchivIntervall
// minutes while ArchivAktiv is set (and ArchivDatei names a file) and the
// record is usable. An archive of an older version is renewed beside it.
// A failure (a
// full disk, a read-only file) goes once to `log` and stays in status()
// until a row is written again; the station goes on either way.
class ArchiveRecorder {
 public:
  ArchiveRecorder(const ProductContext& context, std::ostream& log);
  ~ArchiveRecorder();

  // The minute tick while active, after the gust ring took the minute.
  void minuteTick(bool usable);
  // The settings were read: an archive of an older version that is to be
  // written is renewed from now on, slice by slice beside the station.
  void settingsLoaded();

  // Why the archive is not written, for the status bar; empty while it is.
  const std::string& status() const { return status_; }

 private:
  void writeRow();
  void fail(const std::string& why);

  const ProductContext& context_;
  std::ostream& log_;
  std::unique_ptr<ArchiveWriter> writer_;
  std::string openPath_;
  int32_t countdown_ = 0;
  std::optional<IntervalGust> gust_;
  std::string status_;
  ArchiveUpgradeRunner upgrade_;
};

}  // namespace tavik
