// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace tavik {

// The version of the archive's tables this program writes and reads.
inline constexpr int kArchiveSchemaVersion = 2;

// A prepared statement, finalised when it goes.
class Statement {
 public:
  Statement() = default;
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  sqlite3_stmt* get() const { return stmt_; }
  bool valid() const { return stmt_ != nullptr; }
  // Resets the statement and clears its bindings for the next use.
  void reset();

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// One connection to an archive file, its tables checked or created.
class ArchiveDatabase {
 public:
  enum class Mode { Read, Write };

  // Opens `path`: for Write it is created with its folders when missing and
  // the tables are made; for Read it must exist. Returns nothing and gives
  // the German reason in `error` when the file cannot be opened, is no
  // archive, or has a newer schema. An archive of an older schema is read
  // as it is; opening it for Write makes its new tables, which an
  // ArchiveUpgrade then fills (notice() tells so).
  static std::unique_ptr<ArchiveDatabase> open(const std::filesystem::path& path, Mode mode,
                                               std::string& error);
  ~ArchiveDatabase();
  ArchiveDatabase(const ArchiveDatabase&) = delete;
  ArchiveDatabase& operator=(const ArchiveDatabase&) = delete;

  sqlite3* handle() const { return db_; }
  const std::filesystem::path& path() const { return path_; }

  // Runs statements without results; false on failure.
  bool exec(const char* sql);

  // The German reason of the connection's last failure, naming the file.
  std::string failure(std::string_view doing) const;

  // In German, what opening found or changed in the file; empty when
  // nothing.
  const std::string& notice() const { return notice_; }

  // The hour (UTC seconds) from which on the hour tables hold every row;
  // the hours before it are read from the rows. The least int64_t once the
  // tables are complete, which they are but while an archive of an older
  // version is renewed (the renewal fills them from the newest hour back).
  int64_t hourTablesFrom() const;
  // Whether the archive's hour tables are still being worked out.
  bool renewing() const { return renewing_; }

 private:
  ArchiveDatabase(sqlite3* db, std::filesystem::path path) : db_(db), path_(std::move(path)) {}
  bool beginRenewal(std::string& error);
  sqlite3* db_;
  std::filesystem::path path_;
  std::string notice_;
  mutable bool renewing_ = false;
};

// The German words for an SQLite result code.
std::string sqliteReason(int code);

}  // namespace tavik
