// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archive_upgrade.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <optional>

#include "archive/archive_database.h"
#include "archive/hour_summary.h"

namespace tavik {

ArchiveUpgrade::ArchiveUpgrade(std::unique_ptr<ArchiveDatabase> db) : db_(std::move(db)) {}
ArchiveUpgrade::~ArchiveUpgrade() = default;

std::unique_ptr<ArchiveUpgrade> ArchiveUpgrade::open(const std::filesystem::path& path,
                                                     std::string& error) {
  auto db = ArchiveDatabase::open(path, ArchiveDatabase::Mode::Write, error);
  if (!db || !db->renewing()) return nullptr;
  return std::unique_ptr<ArchiveUpgrade>(new ArchiveUpgrade(std::move(db)));
}

ArchiveUpgrade::Step ArchiveUpgrade::fail() {
  lastError_ = db_->failure("erneuern");
  db_->exec("ROLLBACK");
  return Step::Failed;
}

ArchiveUpgrade::Step ArchiveUpgrade::step() {
  if (!db_->exec("BEGIN IMMEDIATE")) return fail();
  const int64_t next = db_->hourTablesFrom();
  if (next == std::numeric_limits<int64_t>::min()) {
    db_->exec("COMMIT");
    return Step::Done;
  }
  sqlite3* h = db_->handle();
  std::optional<int64_t> below;  // the newest row not yet in the tables
  {
    Statement s(h, "SELECT max(time) FROM archive WHERE time < ?");
    if (!s.valid()) return fail();
    sqlite3_bind_int64(s.get(), 1, next);
    if (sqlite3_step(s.get()) != SQLITE_ROW) return fail();
    if (sqlite3_column_type(s.get(), 0) != SQLITE_NULL) below = sqlite3_column_int64(s.get(), 0);
  }
  if (!below) {
    const std::string finish =
        "DROP TABLE hour_fill;\nPRAGMA user_version=" + std::to_string(kArchiveSchemaVersion) +
        ";\nCOMMIT;";
    if (!db_->exec(finish.c_str())) return fail();
    return Step::Done;
  }
  // The hours between the newest row left and the mark hold no rows.
  const int64_t end = std::min(next, hourOf(*below) + 3600);
  const int64_t from = end - kSliceSeconds;
  const int64_t filled = fillHourTables(h, from, end);
  const std::string mark = "UPDATE hour_fill SET next = " + std::to_string(from);
  if (filled < 0 || !db_->exec(mark.c_str()) || !db_->exec("COMMIT")) return fail();
  hours_ += filled;
  return Step::More;
}

}  // namespace tavik
