// SPDX-License-Identifier: GPL-3.0-or-later
// An archive of the previous version (no hour tables) renewed slice by
// slice while it is read and written: the readers answer the same before,
// during and after, a stopped renewal carries on, and the tables come out
// as those of an archive that always had them.
#include "archive/archive_upgrade.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "archive/hour_summary.h"
#include "temp_folder.h"

namespace tavik {
namespace {

// Midnight UTC of a day in June, far from clock changes in any time zone.
const int64_t kStart = hourOf(startOfLocalDay({2026, 6, 10}));

// Five days of rows every 20 minutes, the third day missing: the counter
// rises and is reset on day 4, the humidity is absent on every fifth row.
std::vector<ArchiveRow> fiveDays() {
  std::vector<ArchiveRow> rows;
  for (int i = 0; i < 5 * 72; ++i) {
    if (i / 72 == 2) continue;
    ArchiveRow r;
    r.time = kStart + i * 1200;
    r.interval = 1200;
    r.tempOut = (i * 37) % 301 - 100;
    if (i % 5 != 0) r.humOut = 30 + i % 60;
    r.windSpeed = i % 11 * 10;
    r.gust = i % 13 * 10;
    r.rainRate = 6;
    r.rainTotal = i < 250 ? 100 + i / 3 : (i - 250) / 4;
    rows.push_back(r);
  }
  return rows;
}

ArchiveRow lateRow(int64_t time, int32_t temp) {
  ArchiveRow r;
  r.time = time;
  r.interval = 1200;
  r.tempOut = temp;
  r.rainTotal = 500;
  return r;
}

void write(const std::filesystem::path& path, const std::vector<ArchiveRow>& rows) {
  std::string error;
  auto w = ArchiveWriter::open(path, error);
  ASSERT_TRUE(w) << error;
  for (const ArchiveRow& r : rows) ASSERT_NE(w->write(r), ArchiveWriter::Result::Failed);
}

// The archive as the previous version left it: the same without the hour
// tables.
void makeVersionOne(const std::filesystem::path& path) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(db, "DROP TABLE hour_total; DROP TABLE hour_summary; PRAGMA user_version=1",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  sqlite3_close(db);
}

// Every row of a query as text, for comparing tables.
std::string dump(const std::filesystem::path& path, const char* sql) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  std::string out;
  sqlite3_exec(
      db, sql,
      [](void* text, int n, char** values, char**) {
        auto& s = *static_cast<std::string*>(text);
        for (int i = 0; i < n; ++i) s += (values[i] ? values[i] : "NULL") + std::string("|");
        s += "\n";
        return 0;
      },
      &out, nullptr);
  sqlite3_close(db);
  return out;
}

std::string hourTables(const std::filesystem::path& path) {
  return dump(path, "SELECT * FROM hour_total ORDER BY hour") +
         dump(path, "SELECT * FROM hour_summary ORDER BY quantity, hour") +
         dump(path, "PRAGMA user_version");
}

class ArchiveUpgradeTest : public ::testing::Test {
 protected:
  std::filesystem::path path(const char* name = "archive.sqlite") const {
    return folder.path() / name;
  }
  std::unique_ptr<ArchiveHistory> history(const std::filesystem::path& p) {
    std::string error;
    auto h = ArchiveHistory::open(p, error);
    EXPECT_TRUE(h) << error;
    return h;
  }
  // The readers of the renewed archive against those of one that always
  // had its hour tables.
  void expectSameAnswers(const ArchiveHistory& h, const ArchiveHistory& reference) {
    for (const ArchiveQuantity q : {ArchiveQuantity::TempOut, ArchiveQuantity::HumOut,
                                    ArchiveQuantity::Gust, ArchiveQuantity::DewOut}) {
      for (const auto& [from, to] : {std::pair<int64_t, int64_t>{kStart - 3600, kStart + 6 * 86400},
                                     {kStart + 86400 + 1800, kStart + 3 * 86400 + 600}}) {
        const auto a = h.hourly(q, from, to), b = reference.hourly(q, from, to);
        ASSERT_EQ(a.size(), b.size()) << static_cast<int>(q);
        for (size_t i = 0; i < a.size(); ++i) {
          EXPECT_EQ(a[i].hourStart, b[i].hourStart);
          EXPECT_EQ(a[i].value.min, b[i].value.min);
          EXPECT_EQ(a[i].value.minTime, b[i].value.minTime);
          EXPECT_EQ(a[i].value.max, b[i].value.max);
          EXPECT_EQ(a[i].value.maxTime, b[i].value.maxTime);
          EXPECT_DOUBLE_EQ(a[i].value.sum, b[i].value.sum);
          EXPECT_EQ(a[i].value.count, b[i].value.count);
        }
      }
    }
    for (int64_t from = kStart - 1800; from < kStart + 6 * 86400; from += 7 * 3600 + 1234)
      EXPECT_NEAR(h.rainBetween(from, from + 30 * 3600),
                  reference.rainBetween(from, from + 30 * 3600), 1e-9);
    EXPECT_NEAR(h.rainBetween(INT64_MIN, INT64_MAX), reference.rainBetween(INT64_MIN, INT64_MAX),
                1e-9);
    EXPECT_TRUE(h.lastError().empty()) << h.lastError();
  }

  testing::TempFolder folder;
};

TEST_F(ArchiveUpgradeTest, ReadersAnswerTheSameBeforeDuringAndAfterWhileRowsAreWritten) {
  write(path("reference.sqlite"), fiveDays());
  write(path(), fiveDays());
  makeVersionOne(path());

  // Read as it is before the renewal began, from its rows.
  auto before = history(path());
  EXPECT_NE(before->notice().find("älteren Version"), std::string::npos) << before->notice();
  auto reference = history(path("reference.sqlite"));
  expectSameAnswers(*before, *reference);

  std::string error;
  auto upgrade = ArchiveUpgrade::open(path(), error);
  ASSERT_TRUE(upgrade) << error;
  std::string error2;
  auto writer = ArchiveWriter::open(path(), error2);
  ASSERT_TRUE(writer) << error2;
  int steps = 0;
  ArchiveUpgrade::Step step;
  while ((step = upgrade->step()) == ArchiveUpgrade::Step::More) {
    ++steps;
    // A row after the last one, and one inside a day not yet renewed
    // (an import), each written to both archives.
    if (steps == 1) {
      for (const ArchiveRow& r :
           {lateRow(kStart + 5 * 86400 + 600, 222), lateRow(kStart + 2 * 86400 + 7200, -222)}) {
        ASSERT_EQ(writer->write(r), ArchiveWriter::Result::Added) << writer->lastError();
        write(path("reference.sqlite"), {r});
      }
      reference = history(path("reference.sqlite"));
    }
    SCOPED_TRACE(steps);
    expectSameAnswers(*before, *reference);
    expectSameAnswers(*history(path()), *reference);
  }
  ASSERT_EQ(step, ArchiveUpgrade::Step::Done) << upgrade->lastError();
  // A slice a day, the missing day and the hours after the last row skipped.
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(upgrade->hours(), 4 * 24 + 1);
  expectSameAnswers(*before, *reference);
  EXPECT_EQ(hourTables(path()), hourTables(path("reference.sqlite")));
  EXPECT_EQ(history(path())->notice(), "");
  // Done is done: nothing more to renew.
  EXPECT_FALSE(ArchiveUpgrade::open(path(), error));
  EXPECT_EQ(error, "");
}

TEST_F(ArchiveUpgradeTest, AStoppedRenewalCarriesOnToTheSameTables) {
  write(path("whole.sqlite"), fiveDays());
  makeVersionOne(path("whole.sqlite"));
  std::filesystem::copy_file(path("whole.sqlite"), path());
  std::string error;
  auto whole = ArchiveUpgrade::open(path("whole.sqlite"), error);
  ASSERT_TRUE(whole) << error;
  while (whole->step() == ArchiveUpgrade::Step::More) {
  }

  auto first = ArchiveUpgrade::open(path(), error);
  ASSERT_TRUE(first) << error;
  ASSERT_EQ(first->step(), ArchiveUpgrade::Step::More);
  ASSERT_EQ(first->step(), ArchiveUpgrade::Step::More);
  first.reset();  // stopped: the next start carries on
  auto second = ArchiveUpgrade::open(path(), error);
  ASSERT_TRUE(second) << error;
  while (second->step() == ArchiveUpgrade::Step::More) {
  }
  EXPECT_EQ(second->hours(), 2 * 24);
  EXPECT_EQ(hourTables(path()), hourTables(path("whole.sqlite")));
  EXPECT_NE(hourTables(path()).find("\n2|\n"), std::string::npos);  // the version
}

// Hour tables without the renewal's mark were filled oldest first by an
// earlier renewal that was stopped: they are worked out afresh, no hour
// counted twice.
TEST_F(ArchiveUpgradeTest, HourTablesOfAnEarlierStoppedRenewalAreWorkedOutAfresh) {
  write(path("reference.sqlite"), fiveDays());
  write(path(), fiveDays());
  makeVersionOne(path());
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path().c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, kHourTablesSql, nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(fillHourTables(db, kStart, kStart + 86400), 24);
  sqlite3_close(db);
  std::string error;
  auto upgrade = ArchiveUpgrade::open(path(), error);
  ASSERT_TRUE(upgrade) << error;
  while (upgrade->step() == ArchiveUpgrade::Step::More) {
  }
  EXPECT_EQ(hourTables(path()), hourTables(path("reference.sqlite")));
}

// An older archive that cannot be written is still read, from its rows; its
// renewal is refused with the reason and it is left as it was.
TEST_F(ArchiveUpgradeTest, AnOlderArchiveThatCannotBeWrittenIsReadFromItsRows) {
  write(path("reference.sqlite"), fiveDays());
  write(path(), fiveDays());
  makeVersionOne(path());
  const std::string tables = dump(path(), "SELECT name FROM sqlite_master ORDER BY name");
  std::filesystem::permissions(path(), std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
  {
    testing::ScopedReadOnlyFolder readOnly(folder.path());
    std::string error;
    EXPECT_FALSE(ArchiveUpgrade::open(path(), error));
    EXPECT_NE(error.find("\"" + path().string() + "\""), std::string::npos) << error;
    EXPECT_NE(error.find("schreibgeschützt"), std::string::npos) << error;
  }
  auto h = history(path());
  ASSERT_TRUE(h);
  expectSameAnswers(*h, *history(path("reference.sqlite")));
  EXPECT_EQ(dump(path(), "SELECT name FROM sqlite_master ORDER BY name"), tables);
}

}  // namespace
}  // namespace tavik
