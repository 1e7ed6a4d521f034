// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace tavik {

class ArchiveDatabase;

// Works out the hour tables of an archive written by an older version, one
// slice of hours per transaction, from the newest hour back, while the
// archive goes on being read and written: readers take the hours done from
// the tables and the others from the rows, writers add their rows' hours to
// the tables only where they are complete (ArchiveDatabase::hourTablesFrom).
// Stopped at any moment, the renewal carries on where it was at the next
// opening. The last step sets this version.
class ArchiveUpgrade {
 public:
  enum class Step { More, Done, Failed };

  // The hours a step works out at most: a day of one-minute rows, a few
  // milliseconds of work.
  static constexpr int64_t kSliceSeconds = 24 * 3600;

  // Opens the archive at `path` for its renewal. Nothing when it needs none
  // (`error` stays empty) or cannot be opened for writing (the German reason
  // is in `error`).
  static std::unique_ptr<ArchiveUpgrade> open(const std::filesystem::path& path,
                                              std::string& error);
  ~ArchiveUpgrade();
  ArchiveUpgrade(const ArchiveUpgrade&) = delete;
  ArchiveUpgrade& operator=(const ArchiveUpgrade&) = delete;

  // Works out the next slice. Done once every row's hour is in the tables
  // (or another program finished the renewal); Failed with the reason in
  // lastError(), the slice rolled back and the archive as it was.
  Step step();

  const std::string& lastError() const { return lastError_; }
  // The hours with rows worked out by this object so far.
  int64_t hours() const { return hours_; }

 private:
  explicit ArchiveUpgrade(std::unique_ptr<ArchiveDatabase> db);
  Step fail();

  std::unique_ptr<ArchiveDatabase> db_;
  std::string lastError_;
  int64_t hours_ = 0;
};

}  // namespace tavik
