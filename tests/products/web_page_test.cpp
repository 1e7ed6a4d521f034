// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

#include "archive/archive_history.h"
#include "archive_rows.h"
#include "product_test_support.h"
#include "products/web_charts.h"
#include "products/web_product.h"

namespace tavik {
namespace {

StationState allSeen() {
  StationState s;
  s.seen8F = s.seen9F = s.seenAF = s.seenBF = s.seenCF = true;
  s.gustRing = {40, 90, 61, 0, 12};
  s.rain24h = 7;
  return s;
}

// The text of the element with this id.
std::string byId(const std::string& page, const std::string& id) {
  const size_t at = page.find("id=\"" + id + "\"");
  if (at == std::string::npos) return "<missing " + id + ">";
  const size_t start = page.find('>', at) + 1;
  return page.substr(start, page.find('<', start) - start);
}

class WebPage : public ::testing::Test {
 protected:
  std::string page(const std::string& title, bool stale = false) {
    const CurrentJsonInput current{weather, state, title, now, LocalDateTime{2026, 12, 8, 13, 7, 9},
                                   stale,   60,    today};
    if (!std::filesystem::exists(archive)) test::writeArchive(archive, {});
    std::string error;
    const std::unique_ptr<ArchiveHistory> history = ArchiveHistory::open(archive, error);
    EXPECT_TRUE(history) << error;
    if (history) periods = buildChartPeriods(*history, now, RegionalSettings::german());
    return webPage({current, periods, {"NOAA-2026-12.txt"}, 5, RegionalSettings::german()});
  }

  WeatherRecord weather = test::sampleWeather();
  StationState state = allSeen();
  LocalDateTime now{2026, 12, 8, 13, 25, 40};
  TodayExtremes today;
  test::TempFolder folder;
  std::filesystem::path archive = folder.path() / "archive.sqlite";
  std::vector<ChartPeriod> periods;
};

TEST_F(WebPage, ShowsEveryValueOfTheMainWindowUnderItsId) {
  today.temperature.max = TimedValue{4.5, {2026, 12, 8, 12, 58, 0}};
  const std::string p = page("Wetterstation");
  const std::map<std::string, std::string> expected = {{"temp-out", "-3,5"},
                                                       {"temp-in", "21,5"},
                                                       {"dew-out", "2"},
                                                       {"dew-in", "9"},
                                                       {"chill", "-6"},
                                                       {"hum-out", "87"},
                                                       {"hum-in", "45"},
                                                       {"baro-local", "987"},
                                                       {"baro-sea", "1013,2"},
                                                       {"trend", "steigend"},
                                                       {"forecast", "bewölkt"},
                                                       {"wind-speed", "5,3"},
                                                       {"wind-dir", "270"},
                                                       {"wind-point", "W"},
                                                       {"wind-avg", "0,5"},
                                                       {"wind-avg-dir", "265"},
                                                       {"wind-gust", "12,8"},
                                                       {"wind-gust-dir", "250"},
                                                       {"wind-gust-time", "12:47 08.12."},
                                                       {"wind-5min", "9"},
                                                       {"rain-rate", "11"},
                                                       {"rain-yesterday", "31"},
                                                       {"rain-total", "1234"},
                                                       {"rain-24h", "7"},
                                                       {"last-group", "13:07:09"},
                                                       {"today-temp-max", "4,5"},
                                                       {"today-temp-max-time", "12:58"},
                                                       {"today-temp-min", "–"},
                                                       {"generated", "08.12.26 13:25:40"}};
  for (const auto& [id, text] : expected) EXPECT_EQ(byId(p, id), text) << id;
  EXPECT_NE(p.find("<html lang=\"de\">"), std::string::npos);
  EXPECT_NE(p.find("<meta http-equiv=\"refresh\" content=\"300\">"), std::string::npos);
  EXPECT_EQ(p.find("id=\"stale\""), std::string::npos);
}

TEST_F(WebPage, NothingOnThePageReachesOutOfIt) {
  const std::string p = page("Wetterstation");
  for (const char* outside :
       {"<script", "<link", "<img", "<iframe", "@import", "url(", "http://", "https://", "src="}) {
    EXPECT_EQ(p.find(outside), std::string::npos) << outside;
  }
}

TEST_F(WebPage, TheStationNameStaysText) {
  const std::string p = page("</title><script>alert(\"x\")</script> 'Köln' & Co");
  EXPECT_EQ(p.find("<script"), std::string::npos);
  EXPECT_NE(p.find("<title>&lt;/title&gt;&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; "
                   "&#39;Köln&#39; &amp; Co</title>"),
            std::string::npos);
}

TEST_F(WebPage, AStaleRecordGetsTheBannerAndValuesNotReceivedADash) {
  state = StationState{};
  state.seenBF = true;
  weather.Rain.RateOutOfRange = true;
  const std::string p = page("X", true);
  EXPECT_EQ(byId(p, "stale"), "Keine Daten seit 13:07");
  EXPECT_EQ(byId(p, "temp-out"), "–");
  EXPECT_EQ(byId(p, "wind-point"), "–");
  EXPECT_EQ(byId(p, "rain-rate"), "–");
  EXPECT_EQ(byId(p, "rain-total"), "1234");
}

TEST_F(WebPage, ChartsCoverTheFourPeriodsFromTheArchive) {
  // A row every hour from 1 December 00:00 to 8 December 13:00.
  std::vector<ArchiveRow> rows = test::archiveRows({2026, 12, 1}, 3600, 7 * 24 + 14);
  rows[rows.size() - 2].dewOut.reset();  // 12:00: not sent, no value rather than 0
  test::writeArchive(archive, rows);
  const std::string p = page("X");
  for (const char* id : {"tag", "woche", "monat", "jahr"}) {
    EXPECT_NE(p.find("<details id=\"" + std::string(id) + "\""), std::string::npos) << id;
  }
  ASSERT_EQ(periods.size(), 4u);
  // 24 hours of ten-minute buckets: the rows stand at full hours up to 13:00.
  const ChartValues& day = periods[0].charts[0].lines[0].values;
  ASSERT_EQ(day.size(), 144u);
  EXPECT_FALSE(day.back().has_value());  // 13:20..13:25: no row
  EXPECT_DOUBLE_EQ(*day[day.size() - 3], *rows.back().tempOut / 10.0);
  const ChartValues& dew = periods[0].charts[0].lines[1].values;
  EXPECT_FALSE(dew[day.size() - 9].has_value());  // 12:00
  EXPECT_DOUBLE_EQ(*dew[day.size() - 3], *rows.back().dewOut);
  // Rain per hour from the counter, which rises by 1 mm every tenth row:
  // at 16:00 on the 7th, at 02:00 and 12:00 on the 8th.
  const ChartValues& rain = periods[0].charts.back().lines[0].values;
  ASSERT_EQ(rain.size(), 24u);
  EXPECT_DOUBLE_EQ(*rain[22], 1.0);  // 11:25..12:25 holds the 12:00 row
  EXPECT_DOUBLE_EQ(*rain[23], 0.0);
  double dayRain = 0;
  for (const std::optional<double>& mm : rain) dayRain += mm.value_or(0);
  EXPECT_DOUBLE_EQ(dayRain, 3.0);
  // The week's hourly buckets hold one row each: the same values as the rows.
  std::multiset<double> weekValues, weekRows;
  for (const std::optional<double>& v : periods[1].charts[0].lines[0].values) {
    if (v) weekValues.insert(*v);
  }
  const int64_t weekStart = test::utcOf(now) + 1 - 7 * 86400;
  for (const ArchiveRow& r : rows) {
    if (r.time >= weekStart) weekRows.insert(*r.tempOut / 10.0);
  }
  ASSERT_EQ(weekValues.size(), weekRows.size());
  for (auto v = weekValues.begin(), r = weekRows.begin(); v != weekValues.end(); ++v, ++r) {
    EXPECT_NEAR(*v, *r, 1e-9);
  }
  // The year: a daily mean for each of the eight days, the month's rain.
  const ChartValues& year = periods[3].charts[0].lines[0].values;
  ASSERT_EQ(year.size(), 365u);
  EXPECT_EQ(std::count_if(year.begin(), year.end(), [](const auto& v) { return v.has_value(); }),
            8);
  double today = 0;
  for (size_t i = rows.size() - 14; i < rows.size(); ++i) today += *rows[i].tempOut / 10.0;
  EXPECT_NEAR(*year.back(), today / 14, 1e-9);
  EXPECT_LT(p.size(), 400u * 1024);
  EXPECT_TRUE(std::regex_search(p, std::regex("<path class=\"l1\" d=\"M[0-9.]+ [0-9.]+L")));
}

}  // namespace
}  // namespace tavik
