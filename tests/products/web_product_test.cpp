// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_product.h"

#include <gtest/gtest.h>

#include <fstream>

#include "archive/archive_history.h"
#include "archive_rows.h"
#include "common/text_file.h"
#include "product_test_support.h"
#include "products/noaa_report.h"
#include "products/web_page.h"

namespace tavik {
namespace {

class WebProductTest : public ::testing::Test, protected test::ProductFixture {
 protected:
  void SetUp() override {
    state.seen8F = state.seen9F = state.seenAF = state.seenBF = state.seenCF = true;
    settings.ArchivDatei = folder / "archive.sqlite";
    settings.WebOrdner = folder / "web/neu";
    settings.WebTitel = "Balkon";
  }
  std::string file(const std::string& name) {
    return test::fileBytes(settings.WebOrdner + "/" + name);
  }
  bool exists(const std::string& name) {
    return std::filesystem::exists(settings.WebOrdner + "/" + name);
  }

  test::TempFolder folder;
  WebProduct web;
};

TEST_F(WebProductTest, WritesThePageTheJsonAndAReportPerMonthAndYearOfTheArchive) {
  test::writeArchive(settings.ArchivDatei, test::archiveRows({2026, 11, 28}, 3600, 4 * 24));
  // Today from 06:00 on, the lowest temperature at 09:00.
  std::vector<ArchiveRow> today = test::archiveRows({2026, 12, 8, 6, 0, 0}, 3600, 8);
  today[3].tempOut = -123;
  test::writeArchive(settings.ArchivDatei, today);
  web.write(context(), {false, LocalDateTime{2026, 12, 8, 14, 30, 0}});
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_NE(file("index.html").find("<h1 id=\"station\">Balkon</h1>"), std::string::npos);
  EXPECT_NE(file("current.json").find("\"station\":\"Balkon\""), std::string::npos);
  EXPECT_NE(file("NOAA-2026-11.txt").find("for NOV 2026"), std::string::npos);
  EXPECT_NE(file("NOAA-2026-12.txt").find("for DEC 2026"), std::string::npos);
  EXPECT_NE(file("NOAA-2026.txt").find("for 2026"), std::string::npos);
  EXPECT_NE(file("index.html").find("href=\"NOAA-2026-11.txt\""), std::string::npos);
  // Today's extremes come from the archive's summary of today.
  EXPECT_NE(file("current.json").find("\"minTime\":\"2026-12-08T09:00:00"), std::string::npos)
      << file("current.json");
  const TodayExtremes t = web.todayExtremes(context(), clock.now());
  ASSERT_TRUE(t.temperature.min && t.humidity.max && t.pressure.max);
  EXPECT_DOUBLE_EQ(t.temperature.min->value, -12.3);
  EXPECT_FALSE(
      std::filesystem::exists(FileReplacement::temporaryPath(settings.WebOrdner + "/index.html")));
}

TEST_F(WebProductTest, WithoutAnArchiveThePageIsStillWritten) {
  web.write(context(), {true, LocalDateTime{2026, 12, 8, 14, 2, 0}});
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_NE(file("index.html").find("Keine Daten seit 14:02"), std::string::npos);
  EXPECT_NE(file("current.json").find("\"stale\":true"), std::string::npos);
  EXPECT_FALSE(web.todayExtremes(context(), clock.now()).temperature.max);
}

TEST_F(WebProductTest, AFolderThatTakesNoFileIsReportedAndTheNextCallTriesAgain) {
  settings.WebOrdner = test::readOnlyFolder(folder / "ro") + "/web";
  web.write(context(), {});
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].caption, "Webseite");
  EXPECT_EQ(notifier.messages[0].text.rfind("Fehler beim Erstellen der Webseite: ", 0), 0u);
  settings.WebOrdner = folder / "web";
  web.write(context(), {});
  EXPECT_EQ(notifier.messages.size(), 1u);
  EXPECT_FALSE(file("index.html").empty());
}

TEST_F(WebProductTest, AFileThatIsNoArchiveIsReportedOnce) {
  std::ofstream(settings.ArchivDatei) << "kein Archiv, nur Text\n";
  web.write(context(), {});
  web.write(context(), {});
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_FALSE(file("index.html").empty());
}

TEST_F(WebProductTest, AnotherArchiveIsReadAnew) {
  test::writeArchive(folder / "a.sqlite", test::archiveRows({2025, 5, 1}, 3600, 48));
  test::writeArchive(folder / "b.sqlite", test::archiveRows({2024, 7, 1}, 3600, 48));
  settings.ArchivDatei = folder / "a.sqlite";
  web.write(context(), {});
  EXPECT_TRUE(exists("NOAA-2025-05.txt"));
  settings.ArchivDatei = folder / "b.sqlite";
  web.write(context(), {});
  EXPECT_TRUE(exists("NOAA-2024-07.txt"));
  EXPECT_EQ(file("index.html").find("NOAA-2025-05.txt"), std::string::npos);
}

// Years of archive get their reports over several pages, newest first, so
// that no page holds the event loop for long; every one is written in the end.
TEST_F(WebProductTest, ALongArchiveGetsItsReportsOverSeveralPages) {
  test::writeArchive(settings.ArchivDatei, test::archiveRows({2022, 1, 1, 12, 0, 0}, 86400, 1072));
  web.write(context(), {});  // January 2022 .. early December 2024: 36 months, 3 years
  EXPECT_TRUE(exists("NOAA-2024-12.txt"));
  EXPECT_TRUE(exists("NOAA-2024-11.txt"));
  EXPECT_TRUE(exists("NOAA-2024.txt"));
  EXPECT_FALSE(exists("NOAA-2022-01.txt"));
  EXPECT_EQ(file("index.html").find("NOAA-2022-01.txt"), std::string::npos);
  web.write(context(), {});
  for (int month = 1; month <= 12; ++month) {
    EXPECT_TRUE(exists(noaaMonthFileName(2022, month))) << month;
  }
  EXPECT_TRUE(exists("NOAA-2022.txt"));
  EXPECT_NE(file("index.html").find("NOAA-2022-01.txt"), std::string::npos);
}

}  // namespace
}  // namespace tavik
