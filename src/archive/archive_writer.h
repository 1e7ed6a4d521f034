// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "archive/archive_row.h"

namespace tavik {

// Adds rows to the station archive and keeps the daily summaries and the
// hour tables up to date with them. Each write is one transaction (or, in a batch, one transaction
// for the batch), so a process killed at any moment leaves every committed
// row readable.
class ArchiveWriter {
 public:
  enum class Result { Added, Present, Failed };

  // Opens the archive at `path`, creating it and its folders when missing.
  // Returns nothing and puts the German reason into `error` when it cannot
  // be created or opened, is not an archive, or was written by a newer
  // version of the program.
  static std::unique_ptr<ArchiveWriter> open(const std::filesystem::path& path, std::string& error);
  ~ArchiveWriter();
  ArchiveWriter(const ArchiveWriter&) = delete;
  ArchiveWriter& operator=(const ArchiveWriter&) = delete;

  // Stores `row` (its `rain` is worked out here) and adds it to its day's
  // summary. A row whose time is already in the archive, or when
  // `nearSeconds` > 0 one that has a row less than that many seconds from
  // it, is left out (Present). Failed: nothing of the row was stored, the
  // reason is in lastError().
  Result write(const ArchiveRow& row, int32_t nearSeconds = 0);

  // Groups the following writes into one transaction until commitBatch(),
  // for imports. A failed write inside a batch rolls the whole batch back.
  bool beginBatch();
  bool commitBatch();

  // The German reason of the last failure, empty when none failed.
  const std::string& lastError() const;

  // What opening changed in the file (the tables renewed for this
  // version), in German; empty when nothing.
  const std::string& notice() const;

 private:
  struct State;
  explicit ArchiveWriter(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
  bool inBatch_ = false;
  std::string lastError_;
};

}  // namespace tavik
