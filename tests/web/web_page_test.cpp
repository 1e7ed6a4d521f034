// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

#include "archive/archive_history.h"
#include "archive_rows.h"
#include "product_test_support.h"
#include "products/weather_log_reader.h"
#include "web/web_charts.h"
#include "web/web_product.h"

namespace tavik {
namespace {

using test::allSeen;

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
    if (history) data.periods = buildChartPeriods(*history, now);
    periods = data.periods;
    return webPage({current, data, 5, RegionalSettings::german()});
  }

  WeatherRecord weather = test::sampleWeather();
  StationState state = allSeen();
  LocalDateTime now{2026, 12, 8, 13, 25, 40};
  TodayExtremes today;
  test::TempFolder folder;
  std::filesystem::path archive = folder.path() / "archive.sqlite";
  WebPageData data;
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
  // The year: twelve calendar months up to the end of this one, a month a
  // twelfth; a daily mean for each of the eight days, the days to come empty.
  EXPECT_EQ(periods[3].start, secondsOf({2026, 1, 1}));
  EXPECT_EQ(periods[3].end, secondsOf({2027, 1, 1}));
  const ChartValues& year = periods[3].charts[0].lines[0].values;
  ASSERT_EQ(year.size(), 365u);
  EXPECT_FALSE(year[342].has_value());  // 9 December: still to come
  EXPECT_EQ(std::count_if(year.begin(), year.end(), [](const auto& v) { return v.has_value(); }),
            8);
  double today = 0;
  for (size_t i = rows.size() - 14; i < rows.size(); ++i) today += *rows[i].tempOut / 10.0;
  EXPECT_NEAR(*year[341], today / 14, 1e-9);  // 8 December
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

}  // namespace
}  // namespace tavik
