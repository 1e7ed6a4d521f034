// SPDX-License-Identifier: GPL-3.0-or-later
// The written page in a real browser: headless Chromium at phone and desktop
// size, light and dark, with every host name unresolvable. The screenshots
// stay in the test's output folder.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <map>

#include "archive_rows.h"
#include "product_test_support.h"
#include "web/web_product.h"

namespace tavik {
namespace {

struct CheckerRun {
  int status = -1;
  std::string out;
};

CheckerRun runChecker(const std::string& page, const std::string& outDir) {
  const std::string command =
      "timeout 120 python3 '" BROWSER_CHECK_SCRIPT "' '" + page + "' '" + outDir + "' 2>/dev/null";
  CheckerRun r;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return r;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) r.out.append(buf, n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

class WebPageInBrowser : public ::testing::Test, protected test::ProductFixture {};

TEST_F(WebPageInBrowser, FitsEveryWidthLoadsNothingAndShowsTheRecord) {
  test::TempFolder folder;
  // A row every three hours from 1 January to 7 December, and today's lowest
  // temperature at 14:30.
  settings.ArchivDatei = folder / "archive.sqlite";
  test::writeArchive(settings.ArchivDatei, test::archiveRows({2026, 1, 1}, 3 * 3600, 341 * 8));
  std::vector<ArchiveRow> today = test::archiveRows({2026, 12, 8, 14, 30, 0}, 60, 1);
  today[0].tempOut = -35;
  test::writeArchive(settings.ArchivDatei, today);
  state.seen8F = state.seen9F = state.seenAF = state.seenBF = state.seenCF = true;
  state.gustRing = {40, 90, 61, 0, 12};
  state.rain24h = 7;
  settings.WebOrdner = folder / "web";
  settings.WebTitel = "</title><script>alert(\"x\")</script> Wetter in Köln – 'Süd'";
  WebProduct web;
  const WebPlace place{"JO62QM", 52.5, 13.41, 34, "7:58", "15:53"};
  web.write(context(), {true, LocalDateTime{2026, 12, 8, 14, 2, 11}}, place);
  ASSERT_TRUE(notifier.messages.empty());

  const std::string outDir = WEB_BROWSER_OUTPUT;
  // The page stays beside its screenshots, to be looked at after the run.
  std::filesystem::create_directories(outDir);
  const std::string page = outDir + "/index.html";
  std::filesystem::copy_file(settings.WebOrdner + "/index.html", page,
                             std::filesystem::copy_options::overwrite_existing);
  const CheckerRun run = runChecker(page, outDir);
  if (run.status == 77) GTEST_SKIP() << "no chromium installed";
  ASSERT_EQ(run.status, 0) << run.out;
  const QJsonArray views = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array();
  ASSERT_EQ(views.size(), 4);

  const std::map<std::string, std::string> expected = {
      {"station", settings.WebTitel},
      {"stale", "Keine Daten seit 14:02"},
      {"temp-out", "-3,5"},
      {"temp-in", "21,5"},
      {"hum-out", "87"},
      {"dew-out", "2"},
      {"chill", "-6"},
      {"baro-local", "987"},
      {"baro-sea", "1013,2"},
      {"trend", "steigend"},
      {"forecast", "bewölkt"},
      {"wind-speed", "5,3"},
      {"wind-point", "W"},
      {"wind-dir", "270"},
      {"wind-5min", "9"},
      {"rain-rate", "11"},
      {"rain-24h", "7"},
      {"last-group", "14:02:11"},
      {"today-temp-min", "-3,5"},
      {"today-temp-min-time", "14:30"},
      // The rows' temperature is -5.0 + (7 i mod 300) / 10 °C for row i: on
      // 7 December highest at 21:00 (row 2727), over all the rows first at
      // row 257 (2 February), lowest at row 0.
      {"yesterday-temp-max", "13,9"},
      {"yesterday-temp-max-time", "21:00"},
      {"record-temp-max", "24,9"},
      {"record-temp-max-time", "02.02.2026"},
      {"record-temp-min", "-5"},
      {"sunrise", "7:58"},
      {"sunset", "15:53"},
      {"latitude", "52,5000°\u00a0N"},
      {"height", "34"},
      {"data-age", "vor 28 min"},
  };
  std::map<std::string, std::string> backgrounds;
  for (const QJsonValue& v : views) {
    const QJsonObject o = v.toObject();
    const std::string name =
        o.value("view").toString().toStdString() + "-" + o.value("scheme").toString().toStdString();
    SCOPED_TRACE(name);
    EXPECT_LE(o.value("scrollWidth").toInt(), o.value("innerWidth").toInt());
    // Four periods of five charts, each with its time labels.
    EXPECT_GE(o.value("chartTexts").toInt(), 20 * 4);
    EXPECT_GE(o.value("smallestChartText").toDouble(), 12.0);
    EXPECT_TRUE(o.value("chartTextsOutside").toArray().isEmpty())
        << QJsonDocument(o.value("chartTextsOutside").toArray()).toJson().toStdString();
    EXPECT_EQ(o.value("closedSections").toInt(), 0);
    EXPECT_TRUE(o.value("errors").toArray().isEmpty())
        << QJsonDocument(o.value("errors").toArray()).toJson().toStdString();
    const QJsonArray requests = o.value("requests").toArray();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].toString().toStdString(), "file://" + page);
    const QJsonObject ids = o.value("ids").toObject();
    for (const auto& [id, text] : expected) {
      EXPECT_EQ(ids.value(QString::fromStdString(id)).toString().toStdString(), text) << id;
    }
    EXPECT_TRUE(std::filesystem::exists(outDir + "/" + name + ".png"));
    backgrounds[name] = o.value("background").toString().toStdString();
  }
  EXPECT_NE(backgrounds["phone-light"], backgrounds["phone-dark"]);
  EXPECT_EQ(backgrounds["phone-dark"], backgrounds["desktop-dark"]);
}

}  // namespace
}  // namespace tavik
