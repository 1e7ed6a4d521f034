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
  // Twelve calendar months up to the end of this one, a month a twelfth.
  EXPECT_EQ(periods[3].start, secondsOf({2026, 1, 1}));
  EXPECT_EQ(periods[3].end, secondsOf({2027, 1, 1}));
  const ChartValues& daily = periods[3].charts[0].lines[0].values;
  ASSERT_EQ(daily.size(), 365u);
  EXPECT_TRUE(daily[340].has_value());   // 7 December
  EXPECT_FALSE(daily[342].has_value());  // 9 December: still to come
  EXPECT_NEAR(*periods[3].charts.back().lines[0].values[11], 16.0, 1e-9);
  EXPECT_LT(p.size(), 400u * 1024);
  EXPECT_TRUE(std::regex_search(p, std::regex("<path class=\"l1\" d=\"M[0-9.]+ [0-9.]+L")));
}

TEST_F(WebPage, ShowsTheSpansExtremesThePlaceAndTheReportsByYear) {
  data.yesterday.temperature.min = TimedValue{-1.25, {2026, 12, 7, 6, 5, 0}};
  data.week.gust = TimedValue{14.5, {2026, 12, 3, 9, 41, 0}};
  data.records.temperature.max = TimedValue{36.2, {2019, 7, 25, 15, 10, 0}};
  data.month.rainMm = 32.04;
  data.place = {"JO62QM", 52.5208, -13.4, 34.4, "7:58", std::nullopt};
  data.reports = {"NOAA-2026-12.txt", "NOAA-2026-11.txt", "NOAA-2026.txt",
                  "NOAA-2025-12.txt", "NOAA-2025.txt",    "notiz <1>.txt"};
  const std::string p = page("X");
  const std::map<std::string, std::string> expected = {
      {"yesterday-temp-min", "-1,3"},  // half away from zero
      {"yesterday-temp-min-time", "06:05"},
      {"week-gust-max", "14,5"},
      {"week-gust-max-time", "03.12. 09:41"},
      {"record-temp-max", "36,2"},
      {"record-temp-max-time", "25.07.2019"},
      {"month-rain", "32"},
      {"year-temp-max", "–"},
      {"sunrise", "7:58"},
      {"sunset", "–"},
      {"latitude", "52,5208°\u00a0N"},
      {"longitude", "13,4000°\u00a0W"},
      {"height", "34"},
      {"locator", "JO62QM"},
      {"wind-point", "W"},
      {"wind-dir", "270"},
      {"wind-gust-point", "WSW"},
      {"data-age", "vor 18 min"},
  };
  for (const auto& [id, text] : expected) EXPECT_EQ(byId(p, id), text) << id;
  EXPECT_NE(p.find("W</span> (<span id=\"wind-dir\">270</span>°)"), std::string::npos);
  // Newest year first, its own report as the year's link, the months in order.
  EXPECT_NE(p.find("<li><b><a href=\"NOAA-2026.txt\">2026</a></b> <a href=\"NOAA-2026-11.txt\">"
                   "Nov</a> <a href=\"NOAA-2026-12.txt\">Dez</a></li><li><b><a "
                   "href=\"NOAA-2025.txt\">2025</a></b> <a href=\"NOAA-2025-12.txt\">Dez</a></li>"
                   "<li><a href=\"notiz &lt;1&gt;.txt\">notiz &lt;1&gt;.txt</a></li>"),
            std::string::npos);
  // Every section is open, so the automatic reload closes none.
  EXPECT_EQ(std::regex_search(p, std::regex("<details id=\"[a-z]+\">")), false);
  EXPECT_NE(p.find("<details id=\"berichte\" open>"), std::string::npos);
}

// The texts of a drawing, in order.
std::vector<std::string> textsOf(const std::string& svg) {
  std::vector<std::string> out;
  const std::regex text("<text[^>]*>([^<]*)</text>");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator();
       ++it) {
    out.push_back((*it)[1]);
  }
  return out;
}

size_t countOf(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(WebChart, HourTicksAndTheScaleOfASteadyValueOverTheWholeSpan) {
  const RegionalSettings& rs = RegionalSettings::german();
  // 24 hours of hourly buckets ending at 13:25:41; only the last 12 have a value.
  const long long end = secondsOf({2026, 12, 8, 13, 25, 41});
  const ChartPeriod day{"tag", "24 Stunden", end - 86400, end, {}};
  ChartValues v(24);
  for (size_t i = 12; i < 24; ++i) v[i] = 5.04;
  const Chart c{"Temperatur", "°C", {{"Außen", "l1", v}}, false, 1, 2};
  const std::string svg = chartSvg(c, day, rs);
  EXPECT_EQ(svg.rfind("<svg viewBox=\"0 0 320 184\"", 0), 0u);
  // The least span of 2 °C about the value; the labels in the unit.
  const std::vector<std::string> texts = textsOf(svg);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[texts.size() - 2], "6\u00a0°C");
  EXPECT_EQ(texts.back(), "4\u00a0°C");
  // Labels every six hours, the date at midnight; a tick every hour.
  EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.end() - 2),
            (std::vector<std::string>{"18:00", "08.12.", "06:00", "12:00"}));
  EXPECT_EQ(countOf(svg, "v4"), 24u);
  // The line starts in the second half: the missing part stays empty.
  std::smatch m;
  ASSERT_TRUE(std::regex_search(svg, m, std::regex("class=\"l1\" d=\"M([0-9.]+) ([0-9.]+)L")));
  EXPECT_GT(std::stod(m[1]), 160.0);
  EXPECT_NEAR(std::stod(m[2]), 85.0, 0.5);  // the middle of the scale
}

TEST(WebChart, DayWeekAndMonthMarksForLongerSpansAndAnEmptyChartSaysSo) {
  const RegionalSettings& rs = RegionalSettings::german();
  const Chart empty{"Regen", "mm", {{"Regen", "bar", ChartValues(7)}}, true, 1, 1};
  const long long end = secondsOf({2026, 12, 8, 13, 25, 41});
  const std::vector<std::string> week =
      textsOf(chartSvg(empty, {"woche", "7 Tage", end - 7 * 86400, end, {}}, rs));
  EXPECT_EQ(week, (std::vector<std::string>{"Mi 2.", "Do 3.", "Fr 4.", "Sa 5.", "So 6.", "Mo 7.",
                                            "Di 8.", "Noch keine Daten"}));
  const std::vector<std::string> month =
      textsOf(chartSvg(empty, {"monat", "30 Tage", end - 30 * 86400, end, {}}, rs));
  EXPECT_EQ(month, (std::vector<std::string>{"9.11.", "16.11.", "23.11.", "30.11.", "7.12.",
                                             "Noch keine Daten"}));  // Mondays
  const long long today = daysFromCivil(2026, 12, 8);
  const std::vector<std::string> year = textsOf(
      chartSvg(empty, {"jahr", "12 Monate", (today - 364) * 86400, (today + 1) * 86400, {}}, rs));
  // The short ends (9 to 31 December 2025, 1 to 8 December 2026) have no room.
  ASSERT_EQ(year.size(), 12u);
  EXPECT_EQ(year.front(), "Jan");
  EXPECT_EQ(year[2], "Mär");
  EXPECT_EQ(year[10], "Nov");
  ChartValues rain(12);
  rain[3] = 0.4;
  rain[4] = 12.5;
  const std::string bars =
      chartSvg({"Regen", "mm", {{"Regen", "bar", rain}}, true, 1, 1},
               {"jahr", "12 Monate", (today - 364) * 86400, (today + 1) * 86400, {}}, rs);
  EXPECT_EQ(countOf(bars, "<rect class=\"bar\""), 2u);
  EXPECT_EQ(textsOf(bars).back(), "12,5\u00a0mm");  // bars from zero: no lower label
}

TEST(WebChart, ALoneValueIsADot) {
  ChartValues v(10);
  v[2] = 1;
  v[6] = 2;
  v[7] = 3;
  const Chart c{"Wind", "m/s", {{"Mittel", "l1", v}}, false, 1, 2};
  const std::string svg = chartSvg(c, {"tag", "x", 0, 36000, {}}, RegionalSettings::german());
  std::smatch m;
  ASSERT_TRUE(std::regex_search(svg, m, std::regex("class=\"l1\" d=\"([^\"]*)\"")));
  EXPECT_TRUE(std::regex_match(std::string(m[1]),
                               std::regex("M[0-9.]+ [0-9.]+h0M[0-9.]+ [0-9.]+L[0-9.]+ [0-9.]+")))
      << m[1];
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
