// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_product.h"

#include <gtest/gtest.h>

#include "product_test_support.h"
#include "products/web_page.h"
#include "weather_log_rows.h"

namespace tavik {
namespace {

class WebProductTest : public ::testing::Test, protected test::ProductFixture {
 protected:
  void SetUp() override {
    state.seen8F = state.seen9F = state.seenAF = state.seenBF = state.seenCF = true;
    settings.LogOrdner = folder / "log";
    settings.WebOrdner = folder / "web/neu";
    settings.WebTitel = "Balkon";
  }
  std::string file(const std::string& name) {
    return test::fileBytes(settings.WebOrdner + "/" + name);
  }

  test::TempFolder folder;
  WebProduct web;
};

TEST_F(WebProductTest, WritesThePageTheJsonAndAReportPerMonthAndYearOfTheLog) {
  test::writeBytes(folder.path() / "log" / "November.2026.txt", test::dayRows(2026, 11, 28, 30));
  test::writeBytes(folder.path() / "log" / "t01.12.26.txt", test::dayRows(2026, 12, 1, 1));
  web.write(context(), {false, LocalDateTime{2026, 12, 8, 14, 30, 0}});
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_NE(file("index.html").find("<h1 id=\"station\">Balkon</h1>"), std::string::npos);
  EXPECT_NE(file("current.json").find("\"station\":\"Balkon\""), std::string::npos);
  EXPECT_NE(file("NOAA-2026-11.txt").find("for NOV 2026"), std::string::npos);
  EXPECT_NE(file("NOAA-2026-12.txt").find("for DEC 2026"), std::string::npos);
  EXPECT_NE(file("NOAA-2026.txt").find("for 2026"), std::string::npos);
  EXPECT_NE(file("index.html").find("href=\"NOAA-2026-11.txt\""), std::string::npos);
  // The record at 14:30:45 joined the history: today's extremes come from it.
  EXPECT_NE(file("current.json").find("\"minTime\":\"2026-12-08T14:30:45"), std::string::npos);
  EXPECT_FALSE(
      std::filesystem::exists(FileReplacement::temporaryPath(settings.WebOrdner + "/index.html")));
}

TEST_F(WebProductTest, ThePlaceGoesIntoThePageAndTheReportsAndTheLogIntoTheSpans) {
  test::writeBytes(folder.path() / "log" / "t.txt", test::dayRows(2026, 12, 6, 7));
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
  // Yesterday's high at 14:00 (the rows' base for the 7th is 10.0 °C); the
  // week's high on the 6th.
  EXPECT_NE(page.find("<span id=\"yesterday-temp-max\">10</span>"), std::string::npos);
  EXPECT_NE(page.find("<span id=\"week-temp-max\">16</span>"), std::string::npos);
  EXPECT_NE(page.find("<span id=\"week-temp-max-time\">06.12. 14:00</span>"), std::string::npos);
}

TEST_F(WebProductTest, AStaleRecordIsStillWrittenAndSaysSo) {
  web.write(context(), {true, LocalDateTime{2026, 12, 8, 14, 2, 0}});
  EXPECT_NE(file("index.html").find("Keine Daten seit 14:02"), std::string::npos);
  EXPECT_NE(file("current.json").find("\"stale\":true"), std::string::npos);
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

TEST_F(WebProductTest, AnotherLogFolderIsReadAnew) {
  test::writeBytes(folder.path() / "a" / "t.txt", test::dayRows(2025, 5, 1, 2));
  test::writeBytes(folder.path() / "b" / "t.txt", test::dayRows(2024, 7, 1, 2));
  settings.LogOrdner = folder / "a";
  web.write(context(), {});
  EXPECT_TRUE(std::filesystem::exists(settings.WebOrdner + "/NOAA-2025-05.txt"));
  settings.LogOrdner = folder / "b";
  web.write(context(), {});
  EXPECT_TRUE(std::filesystem::exists(settings.WebOrdner + "/NOAA-2024-07.txt"));
  EXPECT_EQ(file("index.html").find("NOAA-2025-05.txt"), std::string::npos);
}

}  // namespace
}  // namespace tavik
