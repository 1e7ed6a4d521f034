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
  // archive, or has a newer schema. An archive of an older schema is
  // renewed first (also for Read, through a writing connection), which
  // notice() then tells.
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

  // In German, what opening changed in the file; empty when nothing.
  const std::string& notice() const { return notice_; }

 private:
  ArchiveDatabase(sqlite3* db, std::filesystem::path path) : db_(db), path_(std::move(path)) {}
  bool upgrade(int version, std::string& error);
  sqlite3* db_;
  std::filesystem::path path_;
  std::string notice_;
};

// The German words for an SQLite result code.
std::string sqliteReason(int code);

}  // namespace tavik
