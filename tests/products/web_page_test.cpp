// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_page.h"

#include <gtest/gtest.h>

#include <regex>

#include "product_test_support.h"
#include "products/web_product.h"
#include "weather_log_rows.h"

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
                                   stale,   60,    {}};
    data.periods = buildChartPeriods(history, now);
    periods = data.periods;
    return webPage({current, data, 5, RegionalSettings::german()});
  }

  WeatherRecord weather = test::sampleWeather();
  StationState state = allSeen();
  LocalDateTime now{2026, 12, 8, 13, 25, 40};
  WebPageData data;
  WebHistory history;
  std::vector<ChartPeriod> periods;
};

TEST_F(WebPage, ShowsEveryValueOfTheMainWindowUnderItsId) {
  data.today.temperature.max = TimedValue{4.5, {2026, 12, 8, 12, 58, 0}};
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

TEST_F(WebPage, ChartsCoverTheFourPeriodsFromTheHistory) {
  WeatherLog log;
  ASSERT_TRUE(parseWeatherLog(test::dayRows(2026, 12, 1, 8), RegionalSettings::german(), "t", log));
  history.addRows(log);
  const std::string p = page("X");
  for (const char* id : {"tag", "woche", "monat", "jahr"}) {
    EXPECT_NE(p.find("<details id=\"" + std::string(id) + "\""), std::string::npos) << id;
  }
  ASSERT_EQ(periods.size(), 4u);
  // 24 hours of ten-minute buckets: the rows stand at full hours up to 13:00.
  const ChartValues& day = periods[0].charts[0].lines[0].values;
  ASSERT_EQ(day.size(), 144u);
  EXPECT_FALSE(day.back().has_value());  // 13:20..13:25: no row
  EXPECT_NEAR(*day[day.size() - 3], (test::baseTenths(8) + test::profileTenths(13)) / 10.0, 1e-9);
  // Rain per hour: 2 mm at 06:00 and 07:00 of the 8th.
  const ChartValues& rain = periods[0].charts.back().lines[0].values;
  ASSERT_EQ(rain.size(), 24u);
  EXPECT_NEAR(*rain[rain.size() - 8], 2.0, 1e-9);  // 06:25..07:25 holds the 07:00 row
  EXPECT_LT(p.size(), 400u * 1024);
  EXPECT_TRUE(std::regex_search(p, std::regex("<path class=\"l1\" d=\"M[0-9.]+ [0-9.]+L")));
}

TEST(WebHistory, KeepsDaySummariesAndOnlyAMonthOfRows) {
  WeatherLog log;
  ASSERT_TRUE(
      parseWeatherLog(test::dayRows(2026, 10, 1, 31), RegionalSettings::german(), "t", log));
  WebHistory h;
  h.addRows(log);
  h.addRow(log.rows.front());  // an old row is passed over
  EXPECT_EQ(h.finishedDays().size(), 30u);
  ASSERT_TRUE(h.currentDay().has_value());
  EXPECT_EQ(h.currentDay()->summary.date, (LogDate{2026, 10, 31}));
  EXPECT_EQ(h.recentRows().size(), 31u * 24);
  EXPECT_NEAR(h.finishedDays()[1].rainMm, 4.0, 1e-9);
  const TodayExtremes t = h.extremesOf({2026, 10, 31});
  ASSERT_TRUE(t.temperature.max && t.temperature.min && t.pressure.max);
  EXPECT_NEAR(t.temperature.max->value, (test::baseTenths(31)) / 10.0, 1e-9);
  EXPECT_EQ(t.temperature.max->time.hour, 14);
  EXPECT_NEAR(t.pressure.max->value, 1016.9, 1e-9);
  EXPECT_FALSE(h.extremesOf({2026, 11, 1}).temperature.max.has_value());
}

}  // namespace
}  // namespace tavik
