// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-log on the station archive: import of a Wetterlog tree, the rows of
// a span, the daily summaries, and the failures a user meets.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

#include "archive/archive_history.h"
#include "tool_process.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

using test::lines;
using test::runTool;

class TavikLogArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    test::LogTreeWriter tree(dir.path() / "log");
    tree.settings.LogUpdate = 1;
    tree.settings.LogWochenordner = true;
    rows = tree.write({2026, 4, 29, 22, 0, 0}, 1200, 12);  // into 30 April
  }
  test::ToolResult log(std::vector<std::string> args) {
    args.insert(args.begin(), TAVIK_LOG_EXE);
    return runTool(args);
  }
  std::string archive() const { return (dir.path() / "a.sqlite").string(); }

  test::TempDir dir;
  std::vector<WeatherLogRow> rows;
};

TEST_F(TavikLogArchive, ImportOnceThenQueryAndSummariseTheSameRows) {
  const auto first = log({"import", "--archive", archive(), (dir.path() / "log").string()});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_NE(first.out.find("12 Zeilen: 12 neu im Archiv, 0 waren schon darin"), std::string::npos)
      << first.out;
  const auto again = log({"import", "--archive", archive(), (dir.path() / "log").string()});
  EXPECT_NE(again.out.find("0 neu im Archiv, 12 waren schon darin"), std::string::npos)
      << again.out;

  const auto all = log({"query", "--archive", archive(), "--json"});
  ASSERT_EQ(all.status, 0) << all.err;
  const auto json = lines(all.out);
  ASSERT_EQ(json.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(json[i]);
    const LocalDateTime t = timeOfSeconds(rows[i].seconds);
    char local[32];
    std::snprintf(local, sizeof local, "\"local\":\"%04d-%02d-%02dT%02d:%02d:%02d\"", t.year,
                  t.month, t.day, t.hour, t.minute, t.second);
    EXPECT_NE(json[i].find(local), std::string::npos);
    char temp[32];
    std::snprintf(temp, sizeof temp, "\"temp_out\":%.1f,",
                  rows[i].storedValue(LogColumn::TempO) / 10.0);
    EXPECT_NE(json[i].find(temp), std::string::npos);
    const int32_t dew = rows[i].storedValue(LogColumn::TaupO);
    EXPECT_NE(json[i].find(dew < 0 ? std::string("\"dew_out\":null")
                                   : "\"dew_out\":" + std::to_string(dew) + ","),
              std::string::npos);
    EXPECT_NE(json[i].find("\"rain_total\":null"), std::string::npos);
  }
  const auto day =
      log({"query", "--archive", archive(), "--from", "2026-04-30", "--to", "2026-04-30"});
  EXPECT_EQ(lines(day.out).size(), 1u + 6u) << day.out;  // the heading and 00:00 to 01:40

  const auto days = log({"days", "--archive", archive(), "--json"});
  ASSERT_EQ(days.status, 0) << days.err;
  const auto summaries = lines(days.out);
  ASSERT_EQ(summaries.size(), 2u);
  EXPECT_EQ(summaries[0].rfind("{\"date\":\"2026-04-29\",\"rows\":6,", 0), 0u) << summaries[0];
  EXPECT_EQ(summaries[1].rfind("{\"date\":\"2026-04-30\",\"rows\":6,", 0), 0u) << summaries[1];
  const auto months = log({"months", "--archive", archive()});
  ASSERT_EQ(lines(months.out).size(), 3u) << months.out;
  EXPECT_EQ(lines(months.out)[2].rfind("04.2026     2     12", 0), 0u) << months.out;
}

TEST_F(TavikLogArchive, WrongUseMissingAndNewerArchivesAreRefusedWithTheirReason) {
  EXPECT_EQ(log({"query"}).status, 2);
  EXPECT_EQ(log({"import", "--archive", archive()}).status, 2);
  EXPECT_EQ(log({"days", "--archive", archive(), "log"}).status, 2);

  const auto missing = log({"days", "--archive", archive()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("gibt es nicht"), std::string::npos) << missing.err;

  ASSERT_EQ(log({"import", "--archive", archive(), (dir.path() / "log").string()}).status, 0);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(archive().c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const auto newer = log({"query", "--archive", archive()});
  EXPECT_EQ(newer.status, 1);
  EXPECT_NE(newer.err.find("neueren Version"), std::string::npos) << newer.err;
  EXPECT_EQ(log({"import", "--archive", archive(), (dir.path() / "log").string()}).status, 1);
}

}  // namespace
}  // namespace tavik
