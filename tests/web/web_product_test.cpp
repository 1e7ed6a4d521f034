// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_product.h"

#include <gtest/gtest.h>

#include <fstream>

#include "archive/archive_history.h"
#include "archive_rows.h"
#include "common/text_file.h"
#include "product_test_support.h"
#include "web/noaa_report.h"
#include "web/web_page.h"

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

TEST_F(WebProductTest, ThePlaceGoesIntoThePageAndTheReportsAndTheArchiveIntoTheSpans) {
  // Hourly rows on the 6th and 7th at 0 °C, their highs at 14:00.
  std::vector<ArchiveRow> rows = test::archiveRows({2026, 12, 6}, 3600, 48);
  for (ArchiveRow& r : rows) r.tempOut = 0;
  rows[14].tempOut = 160;
  rows[38].tempOut = 100;
  test::writeArchive(settings.ArchivDatei, rows);
  web.write(context(), {false, LocalDateTime{2026, 12, 8, 14, 30, 0}},
            {"JO62QM", 52.5208, 13.375, 34, "8:06", "15:51"});
  EXPECT_TRUE(notifier.messages.empty());
  for (const char* report : {"NOAA-2026-12.txt", "NOAA-2026.txt"}) {
    EXPECT_NE(file(report).find("\nNAME: Balkon\nELEV: 34 meters    LAT: 52-31.25 N    LONG: "
                                "013-22.50 E\n"),
              std::string::npos)
        << report;
  }
  const std::string page = file("index.html");
  EXPECT_NE(page.find("<span id=\"sunset\">15:51</span>"), std::string::npos);
  // Yesterday's high at 14:00; the week's and all time's high on the 6th.
  EXPECT_NE(page.find("<span id=\"yesterday-temp-max\">10</span>"), std::string::npos);
  EXPECT_NE(page.find("<span id=\"week-temp-max\">16</span>"), std::string::npos);
  EXPECT_NE(page.find("<span id=\"week-temp-max-time\">06.12. 14:00</span>"), std::string::npos);
  EXPECT_NE(page.find("<span id=\"record-temp-max\">16</span>"), std::string::npos);
  EXPECT_NE(page.find("<span id=\"today-temp-max\">–</span>"), std::string::npos);
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
