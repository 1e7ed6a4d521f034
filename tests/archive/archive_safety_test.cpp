// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "file_size_limit.h"
#include "temp_folder.h"

namespace tavik {
namespace {

constexpr int64_t kStart = 1780000000;

ArchiveRow minute(int64_t i) {
  ArchiveRow r;
  r.time = kStart + i * 60;
  r.tempOut = static_cast<int32_t>(i % 300);
  r.rainTotal = static_cast<int32_t>(i / 10);
  r.windSpeed = 30;
  return r;
}

// Every row of the archive, checked to be the rows 0..n-1 as written, and
// the daily and hourly summaries to count exactly those rows; returns n.
int64_t checkedRowCount(const std::filesystem::path& path) {
  std::string error;
  auto h = ArchiveHistory::open(path, error);
  EXPECT_TRUE(h) << error;
  if (!h) return -1;
  int64_t n = 0;
  EXPECT_TRUE(h->rows(INT64_MIN, INT64_MAX, [&](const ArchiveRow& r) {
    ArchiveRow expected = minute(n++);
    expected.rain = r.rain;
    EXPECT_EQ(r, expected);
    return true;
  }));
  int64_t summarised = 0;
  for (const DaySummary& d : h->days({1970, 1, 1}, {9999, 12, 31})) {
    summarised += d.rows;
    EXPECT_EQ(d.rows, d.of(ArchiveQuantity::TempOut).count);
  }
  EXPECT_EQ(summarised, n);
  int64_t hourly = 0;
  for (const HourAggregate& a : h->hourly(ArchiveQuantity::TempOut, INT64_MIN, INT64_MAX))
    hourly += a.value.count;
  EXPECT_EQ(hourly, n);
  EXPECT_DOUBLE_EQ(h->rainBetween(INT64_MIN, INT64_MAX), static_cast<double>((n - 1) / 10));
  return n;
}

TEST(ArchiveSafety, KilledWhileWritingKeepsEveryCommittedRow) {
  testing::TempFolder folder;
  const auto path = folder.path() / "archive.sqlite";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::string error;
    auto w = ArchiveWriter::open(path, error);
    if (!w) ::_exit(2);
    for (int64_t i = 0;; ++i)
      if (w->write(minute(i)) != ArchiveWriter::Result::Added) ::_exit(3);
  }
  // Kill it once it has written a few hundred rows, in the middle of a write.
  for (int tries = 0; tries < 6000; ++tries) {
    std::string error;
    auto h = ArchiveHistory::open(path, error);
    if (h && h->lastTime().value_or(0) >= kStart + 300 * 60) break;
    ::usleep(5000);
  }
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << WEXITSTATUS(status);
  EXPECT_GE(checkedRowCount(path), 300);
  // And writing goes on where it stopped.
  std::string error;
  auto w = ArchiveWriter::open(path, error);
  ASSERT_TRUE(w) << error;
  const int64_t n = checkedRowCount(path);
  EXPECT_EQ(w->write(minute(n)), ArchiveWriter::Result::Added) << w->lastError();
  EXPECT_EQ(checkedRowCount(path), n + 1);
}

TEST(ArchiveSafety, FullDiskIsReportedAndKeepsTheRowsBefore) {
  testing::TempFolder folder;
  const auto path = folder.path() / "archive.sqlite";
  {
    std::string error;
    auto w = ArchiveWriter::open(path, error);
    ASSERT_TRUE(w) << error;
    for (int64_t i = 0; i < 50; ++i) ASSERT_EQ(w->write(minute(i)), ArchiveWriter::Result::Added);
  }
  const auto size = std::filesystem::file_size(path);
  // The child writes until the disk is "full" (beyond the index file of the
  // journal, which SQLite maps at 32 KiB); it answers 0 when a write
  // failed with a German reason and the archive still opened for the rows.
  const int result = testing::runWithFileSizeLimit(size + 65536, [&] {
    std::string error;
    auto w = ArchiveWriter::open(path, error);
    if (!w) return 10;
    for (int64_t i = 50; i < 100000; ++i) {
      if (w->write(minute(i)) == ArchiveWriter::Result::Failed) {
        const std::string& why = w->lastError();
        if (why.find("lässt sich nicht schreiben") == std::string::npos) return 11;
        return 0;
      }
    }
    return 12;
  });
  ASSERT_EQ(result, 0);
  EXPECT_GE(checkedRowCount(path), 50);
}

TEST(ArchiveSafety, ReadOnlyArchiveIsRefusedForWritingAndStillRead) {
  testing::TempFolder folder;
  const auto path = folder.path() / "archive.sqlite";
  {
    std::string error;
    auto w = ArchiveWriter::open(path, error);
    ASSERT_TRUE(w) << error;
    ASSERT_EQ(w->write(minute(0)), ArchiveWriter::Result::Added);
  }
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  {
    testing::ScopedReadOnlyFolder readOnly(folder.path());
    std::string error;
    EXPECT_FALSE(ArchiveWriter::open(path, error));
    EXPECT_NE(error.find("schreibgeschützt"), std::string::npos) << error;
  }
  EXPECT_EQ(checkedRowCount(path), 1);
}

TEST(ArchiveSafety, ALinkIsReadThroughButNeverWritten) {
  testing::TempFolder folder;
  const auto path = folder.path() / "archive.sqlite";
  {
    std::string error;
    auto w = ArchiveWriter::open(path, error);
    ASSERT_TRUE(w) << error;
    ASSERT_EQ(w->write(minute(0)), ArchiveWriter::Result::Added);
  }
  const auto link = folder.path() / "link.sqlite";
  std::filesystem::create_symlink(path, link);
  std::string error;
  EXPECT_FALSE(ArchiveWriter::open(link, error));
  EXPECT_NE(error.find(link.string()), std::string::npos) << error;
  EXPECT_EQ(checkedRowCount(link), 1);
}

TEST(ArchiveSafety, NewerSchemaAndForeignFilesAreRefusedWithTheirReason) {
  testing::TempFolder folder;
  const auto path = folder.path() / "archive.sqlite";
  {
    std::string error;
    ASSERT_TRUE(ArchiveWriter::open(path, error)) << error;
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version=7", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  std::string error;
  EXPECT_FALSE(ArchiveHistory::open(path, error));
  EXPECT_NE(error.find("neueren Version"), std::string::npos) << error;
  EXPECT_NE(error.find("Version 7"), std::string::npos) << error;
  EXPECT_FALSE(ArchiveWriter::open(path, error));
  EXPECT_NE(error.find("neueren Version"), std::string::npos) << error;

  const auto other = folder.path() / "other.sqlite";
  ASSERT_EQ(sqlite3_open(other.c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE t (x)", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_FALSE(ArchiveWriter::open(other, error));
  EXPECT_NE(error.find("kein Archiv"), std::string::npos) << error;

  const auto text = folder.path() / "text.sqlite";
  std::ofstream(text) << "Dies ist keine Datenbank, sondern ein Text, lang genug für eine Seite.";
  EXPECT_FALSE(ArchiveHistory::open(text, error));
  EXPECT_NE(error.find("\"" + text.string() + "\""), std::string::npos) << error;
  EXPECT_FALSE(ArchiveHistory::open(folder.path() / "missing.sqlite", error));
  EXPECT_NE(error.find("gibt es nicht"), std::string::npos) << error;
}

}  // namespace
}  // namespace tavik
