// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "archive/archive_database.h"
#include "archive/archive_history.h"

namespace tavik {

// The tables of per-hour aggregates beside the rows: per UTC hour the
// number of rows and their rain, and per quantity its aggregate, so that
// long spans are read from one row per hour instead of sixty.
extern const char* const kHourTablesSql;

// While the hour tables of an archive of an older version are worked out,
// the one row of this table holds the hour from which on they are complete.
extern const char* const kHourFillSql;

// The UTC start of the hour `utc` falls in.
int64_t hourOf(int64_t utc);

// What one hour's aggregates gain from some of its rows.
struct HourDelta {
  int64_t rows = 0;
  double rain = 0;  // mm
  std::array<QuantityAggregate, kArchiveQuantityCount> quantities{};

  // Adds `row`, its rain included.
  void add(const ArchiveRow& row);
};

// Adds hour deltas to the hour tables, inside the caller's transaction.
class HourTables {
 public:
  explicit HourTables(sqlite3* db);
  bool prepared() const { return total_.valid() && summary_.valid(); }
  bool add(int64_t hour, const HourDelta& delta);

 private:
  Statement total_;
  Statement summary_;
};

// Works out the hour tables of the rows with from <= time < to (both whole
// hours), for an archive written before it kept them; those hours must not
// be in the tables yet. Runs inside the caller's transaction. Returns the
// number of hours, or -1 when reading or writing failed.
int64_t fillHourTables(sqlite3* db, int64_t from, int64_t to);

// Binds a quantity's min, its time, max, its time, sum and count to the
// parameters first .. first + 5 of an hour or day summary statement.
void bindAggregate(sqlite3_stmt* s, int first, const QuantityAggregate& a);

}  // namespace tavik
