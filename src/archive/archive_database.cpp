// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archive_database.h"

#include <sqlite3.h>

#include <limits>
#include <optional>
#include <system_error>

#include "archive/archive_fields.h"
#include "archive/hour_summary.h"

namespace tavik {

namespace {

// Marks the file as a Tavik archive ("TAVK"), so that another program's
// SQLite file is not taken for one.
constexpr int kApplicationId = 0x5441564B;

std::string schemaSql() {
  std::string sql =
      "CREATE TABLE archive (\n"
      "  time INTEGER PRIMARY KEY,\n"
      "  interval INTEGER NOT NULL,\n"
      "  console_time INTEGER";
  for (const ArchiveField& f : kArchiveFields) {
    sql += ",\n  ";
    sql += f.column;
    sql += " INTEGER";
  }
  sql +=
      ",\n  battery_low INTEGER,\n  rain REAL\n);\n"
      "CREATE TABLE day_summary (\n"
      "  day TEXT NOT NULL,\n"
      "  quantity TEXT NOT NULL,\n"
      "  min REAL, min_time INTEGER, max REAL, max_time INTEGER,\n"
      "  sum REAL NOT NULL, count INTEGER NOT NULL,\n"
      "  PRIMARY KEY (day, quantity)\n"
      ") WITHOUT ROWID;\n"
      "CREATE INDEX day_summary_quantity ON day_summary (quantity, day);\n"
      "CREATE TABLE day_total (\n"
      "  day TEXT PRIMARY KEY,\n"
      "  rows INTEGER NOT NULL, first_time INTEGER NOT NULL, last_time INTEGER NOT NULL,\n"
      "  rain REAL NOT NULL, wind_run REAL NOT NULL, wind_x REAL NOT NULL, wind_y REAL NOT NULL\n"
      ") WITHOUT ROWID;\n";
  return sql + kHourTablesSql;
}

int pragmaInt(sqlite3* db, const char* sql, bool& ok) {
  Statement s(db, sql);
  ok = s.valid() && sqlite3_step(s.get()) == SQLITE_ROW;
  return ok ? sqlite3_column_int(s.get(), 0) : 0;
}

bool hasTables(sqlite3* db, bool& ok) {
  Statement s(db, "SELECT count(*) FROM sqlite_master");
  ok = s.valid() && sqlite3_step(s.get()) == SQLITE_ROW;
  return ok && sqlite3_column_int(s.get(), 0) > 0;
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) {
  if (sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                         &stmt_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement::Statement(Statement&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(stmt_);
    stmt_ = other.stmt_;
    other.stmt_ = nullptr;
  }
  return *this;
}

void Statement::reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

std::string sqliteReason(int code) {
  switch (code & 0xff) {
    case SQLITE_FULL:
      return "der Datenträger ist voll";
    case SQLITE_READONLY:
      return "die Datei ist schreibgeschützt";
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return "der Zugriff ist nicht erlaubt";
    case SQLITE_CANTOPEN:
      return "die Datei lässt sich nicht öffnen";
    case SQLITE_NOTADB:
      return "die Datei ist kein Archiv";
    case SQLITE_CORRUPT:
      return "die Datei ist beschädigt";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "die Datei wird gerade von einem anderen Programm geschrieben";
    case SQLITE_IOERR:
      return "Ein-/Ausgabefehler";
    case SQLITE_NOMEM:
      return "zu wenig Speicher";
    default:
      return "SQLite-Fehler " + std::to_string(code);
  }
}

std::unique_ptr<ArchiveDatabase> ArchiveDatabase::open(const std::filesystem::path& path, Mode mode,
                                                       std::string& error) {
  const std::string name = path.string();
  std::error_code ec;
  if (mode == Mode::Read && !std::filesystem::is_regular_file(path, ec)) {
    error = "Das Archiv \"" + name + "\" gibt es nicht.";
    return nullptr;
  }
  if (mode == Mode::Write && path.has_parent_path()) {
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
      error = "Der Ordner des Archivs \"" + name + "\" kann nicht angelegt werden: " + ec.message();
      return nullptr;
    }
  }
  // Like every product, the archive is never written through a symbolic link.
  // A writing connection is used by one thread only (the station's, or an
  // import's own), so it goes without SQLite's lock around every call.
  const int flags = mode == Mode::Read ? SQLITE_OPEN_READONLY
                                       : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                                             SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX;
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(name.c_str(), &raw, flags, nullptr);
  std::unique_ptr<ArchiveDatabase> db(new ArchiveDatabase(raw, path));
  if (rc != SQLITE_OK) {
    error = "Das Archiv \"" + name + "\" lässt sich nicht öffnen: " + sqliteReason(rc) + ".";
    return nullptr;
  }
  sqlite3_extended_result_codes(raw, 1);
  // Another program writing the archive (an import beside the running
  // station) holds its lock only for one transaction.
  sqlite3_busy_timeout(raw, 2000);

  bool ok = false;
  const int version = pragmaInt(raw, "PRAGMA user_version", ok);
  if (!ok) {
    error = db->failure("lesen");
    return nullptr;
  }
  const int appId = pragmaInt(raw, "PRAGMA application_id", ok);
  const bool tables = hasTables(raw, ok);
  if (!ok) {
    error = db->failure("lesen");
    return nullptr;
  }
  if (version > kArchiveSchemaVersion && appId == kApplicationId) {
    error = "Das Archiv \"" + name + "\" wurde von einer neueren Version von Tavik geschrieben " +
            "(Version " + std::to_string(version) + " der Tabellen, diese Version kennt " +
            std::to_string(kArchiveSchemaVersion) + ") und wird nicht geöffnet.";
    return nullptr;
  }
  const bool empty = !tables && version == 0 && appId == 0;
  if (!empty && (appId != kApplicationId || version < 1)) {
    error = "Die Datei \"" + name + "\" ist kein Archiv von Tavik.";
    return nullptr;
  }
  if (empty && mode == Mode::Read) {
    error = "Die Datei \"" + name + "\" ist kein Archiv von Tavik.";
    return nullptr;
  }
  if (!empty && version < kArchiveSchemaVersion) {
    db->renewing_ = true;
    db->notice_ = "Das Archiv \"" + name +
                  "\" stammt von einer älteren Version von Tavik (Version " +
                  std::to_string(version) +
                  " der Tabellen): bis seine Stundenwerte berechnet sind, werden sie aus den " +
                  "Zeilen gelesen.";
  }
  if (mode == Mode::Write) {
    if (sqlite3_db_readonly(raw, "main") == 1) {
      error = "Das Archiv \"" + name +
              "\" kann nicht geschrieben werden: " + sqliteReason(SQLITE_READONLY) + ".";
      return nullptr;
    }
    // WAL: readers never wait for the writer, and a process killed during a
    // write leaves every committed transaction. NORMAL syncs at checkpoints,
    // which keeps a row's write short; a crash of the process loses nothing.
    if (!db->exec("PRAGMA journal_mode=WAL") || !db->exec("PRAGMA synchronous=NORMAL")) {
      error = db->failure("öffnen");
      return nullptr;
    }
    if (empty) {
      const std::string create = "BEGIN IMMEDIATE;\n" + schemaSql() +
                                 "PRAGMA application_id=" + std::to_string(kApplicationId) +
                                 ";\nPRAGMA user_version=" + std::to_string(kArchiveSchemaVersion) +
                                 ";\nCOMMIT;";
      if (!db->exec(create.c_str())) {
        error = db->failure("anlegen");
        db->exec("ROLLBACK");
        return nullptr;
      }
    } else if (version < kArchiveSchemaVersion && !db->beginRenewal(error)) {
      return nullptr;
    }
  }
  return db;
}

// Version 1 had no hour tables. They are made here, empty, with the hour
// from which on they are complete: the hour after the last row. The rows
// written from now on go into them as usual, while an ArchiveUpgrade works
// out the older hours from the rows, newest first, a slice per transaction.
// Hour tables without that mark were left by a renewal that filled them
// oldest first; they are worked out afresh.
bool ArchiveDatabase::beginRenewal(std::string& error) {
  // Looked at inside the transaction: another program may begin it too.
  bool ok = exec("BEGIN IMMEDIATE");
  const bool begun =
      ok && pragmaInt(db_, "SELECT count(*) FROM sqlite_master WHERE name = 'hour_fill'", ok) > 0;
  const bool tables =
      ok && pragmaInt(db_, "SELECT count(*) FROM sqlite_master WHERE name = 'hour_total'", ok) > 0;
  std::optional<int64_t> last;
  if (ok && !begun) {
    Statement s(db_, "SELECT max(time) FROM archive");
    ok = s.valid() && sqlite3_step(s.get()) == SQLITE_ROW;
    if (ok && sqlite3_column_type(s.get(), 0) != SQLITE_NULL)
      last = sqlite3_column_int64(s.get(), 0);
  }
  if (ok && !begun) {
    std::string sql =
        tables ? "DELETE FROM hour_total;\nDELETE FROM hour_summary;\n" : kHourTablesSql;
    sql += kHourFillSql;
    sql += "INSERT INTO hour_fill (next) VALUES (" +
           std::to_string(last ? hourOf(*last) + 3600 : 0) + ");";
    ok = exec(sql.c_str());
  }
  if (!ok || !exec("COMMIT")) {
    error = failure("erneuern");
    exec("ROLLBACK");
    return false;
  }
  return true;
}

int64_t ArchiveDatabase::hourTablesFrom() const {
  constexpr int64_t kAll = std::numeric_limits<int64_t>::min();
  if (!renewing_) return kAll;
  bool ok = false;
  if (pragmaInt(db_, "PRAGMA user_version", ok) >= kArchiveSchemaVersion && ok) {
    renewing_ = false;
    return kAll;
  }
  // Before the renewal has begun there is no mark, and no hour in the tables.
  Statement s(db_, "SELECT next FROM hour_fill");
  if (s.valid() && sqlite3_step(s.get()) == SQLITE_ROW) return sqlite3_column_int64(s.get(), 0);
  return std::numeric_limits<int64_t>::max();
}

ArchiveDatabase::~ArchiveDatabase() { sqlite3_close_v2(db_); }

bool ArchiveDatabase::exec(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string ArchiveDatabase::failure(std::string_view doing) const {
  return "Das Archiv \"" + path_.string() + "\" lässt sich nicht " + std::string(doing) + ": " +
         sqliteReason(sqlite3_extended_errcode(db_)) + ".";
}

}  // namespace tavik
