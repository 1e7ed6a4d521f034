// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/current_json.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include "product_test_support.h"

namespace tavik {
namespace {

using test::allSeen;

QJsonObject parse(const std::string& text) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
  EXPECT_TRUE(doc.isObject());
  return doc.object();
}

QJsonValue at(const QJsonObject& o, const char* group, const char* field) {
  return o.value(group).toObject().value(field);
}

const LocalDateTime kNow{2026, 12, 8, 13, 25, 40};

TEST(CurrentJson, CarriesEveryValueOfTheRecordInItsUnit) {
  const WeatherRecord w = test::sampleWeather();
  const StationState s = allSeen();
  CurrentJsonInput in{w,  s, "Wetterstation", kNow, LocalDateTime{2026, 12, 8, 13, 25, 10}, false,
                      60, {}};
  const QJsonObject o = parse(currentJson(in));
  EXPECT_EQ(o.value("station").toString(), "Wetterstation");
  EXPECT_EQ(o.value("generated").toString(), "2026-12-08T13:25:40+01:00");
  EXPECT_EQ(o.value("lastGroup").toString(), "2026-12-08T13:25:10+01:00");
  EXPECT_EQ(o.value("stale"), QJsonValue(false));
  EXPECT_DOUBLE_EQ(at(o, "temperature", "outdoor").toDouble(), -3.5);
  EXPECT_DOUBLE_EQ(at(o, "temperature", "indoor").toDouble(), 21.5);
  EXPECT_EQ(at(o, "humidity", "outdoor").toInt(), 87);
  EXPECT_EQ(at(o, "humidity", "indoor").toInt(), 45);
  EXPECT_EQ(at(o, "dewPoint", "outdoor").toInt(), 2);
  EXPECT_EQ(at(o, "dewPoint", "indoor").toInt(), 9);
  EXPECT_EQ(o.value("windChill").toInt(), -6);
  EXPECT_EQ(at(o, "pressure", "local").toInt(), 987);
  EXPECT_DOUBLE_EQ(at(o, "pressure", "seaLevel").toDouble(), 1013.2);
  EXPECT_EQ(at(o, "pressure", "trend").toString(), "steigend");
  EXPECT_EQ(at(o, "pressure", "forecast").toString(), "bewölkt");
  EXPECT_DOUBLE_EQ(at(o, "wind", "speed").toDouble(), 5.3);
  EXPECT_DOUBLE_EQ(at(o, "wind", "averageSpeed").toDouble(), 0.5);
  EXPECT_DOUBLE_EQ(at(o, "wind", "gust5min").toDouble(), 9.0);
  EXPECT_EQ(at(o, "wind", "direction").toInt(), 270);
  EXPECT_EQ(at(o, "wind", "averageDirection").toInt(), 265);
  EXPECT_EQ(at(o, "wind", "compassPoint").toString(), "W");
  EXPECT_EQ(at(o, "rain", "rate").toInt(), 11);
  EXPECT_EQ(at(o, "rain", "yesterday").toInt(), 31);
  EXPECT_EQ(at(o, "rain", "total").toInt(), 1234);
  EXPECT_EQ(at(o, "rain", "last24h").toInt(), 7);
}

TEST(CurrentJson, EveryValueIsNullBeforeItsGroupAndEveryFieldIsPresent) {
  const WeatherRecord w;
  const StationState s;
  const QJsonObject o = parse(currentJson({w, s, "X", kNow, std::nullopt, true, 0, {}}));
  EXPECT_TRUE(o.value("lastGroup").isNull());
  EXPECT_EQ(o.value("stale"), QJsonValue(true));
  EXPECT_EQ(o.value("generated").toString(), "2026-12-08T13:25:40+00:00");
  const std::map<const char*, std::vector<const char*>> groups = {
      {"temperature", {"outdoor", "indoor"}},
      {"humidity", {"outdoor", "indoor"}},
      {"dewPoint", {"outdoor", "indoor", "outdoorComputed", "indoorComputed"}},
      {"pressure", {"local", "seaLevel", "trend", "forecast"}},
      {"wind",
       {"speed", "averageSpeed", "gust5min", "direction", "averageDirection", "compassPoint"}},
      {"rain", {"rate", "yesterday", "total", "lastHour", "last24h", "today", "since"}}};
  for (const auto& [group, fields] : groups) {
    ASSERT_TRUE(o.value(group).isObject()) << group;
    EXPECT_EQ(o.value(group).toObject().size(), static_cast<qsizetype>(fields.size())) << group;
    for (const char* f : fields) {
      EXPECT_TRUE(o.value(group).toObject().contains(f)) << group << "." << f;
      EXPECT_TRUE(at(o, group, f).isNull()) << group << "." << f;
    }
  }
  EXPECT_TRUE(o.value("windChill").isNull());
  for (const char* q : {"temperature", "humidity", "pressure"}) {
    const QJsonObject e = o.value("today").toObject().value(q).toObject();
    for (const char* f : {"min", "minTime", "max", "maxTime"}) {
      EXPECT_TRUE(e.contains(f) && e.value(f).isNull()) << q << "." << f;
    }
  }
}

TEST(CurrentJson, ValuesTheConsoleMarksOutOfRangeAreNull) {
  WeatherRecord w = test::sampleWeather();
  w.HumOut.OutOfRange = true;
  w.DewIn.OutOfRange = true;
  w.HumIn.OutOfRange = true;  // nothing to compute the dew point from
  w.Rain.RateOutOfRange = true;
  w.Baro.Trend = 3;  // a code without a word
  const StationState s = allSeen();
  const QJsonObject o = parse(currentJson({w, s, "X", kNow, kNow, false, 0, {}}));
  EXPECT_TRUE(at(o, "humidity", "outdoor").isNull());
  EXPECT_TRUE(at(o, "dewPoint", "indoor").isNull());
  EXPECT_EQ(at(o, "dewPoint", "outdoor").toInt(), 2);
  EXPECT_TRUE(at(o, "rain", "rate").isNull());
  EXPECT_EQ(at(o, "rain", "total").toInt(), 1234);
  EXPECT_TRUE(at(o, "pressure", "trend").isNull());
}

// Below 0 °C the console sends no outdoor dew point: it is computed from
// temperature and humidity and says so, never 0 and never null all winter.
TEST(CurrentJson, ADewPointTheConsoleLacksIsComputedAndMarked) {
  WeatherRecord w = test::sampleWeather();
  w.TempOut.Current = -35;
  w.HumOut.Current = 87;
  w.DewOut.OutOfRange = true;
  const QJsonObject o = parse(currentJson({w, allSeen(), "X", kNow, kNow, false, 0, {}}));
  EXPECT_DOUBLE_EQ(at(o, "dewPoint", "outdoor").toDouble(), -5.4);
  EXPECT_EQ(at(o, "dewPoint", "outdoorComputed"), QJsonValue(true));
  EXPECT_EQ(at(o, "dewPoint", "indoorComputed"), QJsonValue(false));
}

// The rain of the spans from the counter, and from when they count while the
// program has not seen a whole day.
TEST(CurrentJson, RainSpansAndTheirStart) {
  StationState s = allSeen();
  s.rainLastHour = 2;
  s.rain24h = 30;
  s.rainSinceMidnight = 12;
  s.rainSince = LocalDateTime{2026, 12, 8, 6, 5, 30};
  const QJsonObject o =
      parse(currentJson({test::sampleWeather(), s, "X", kNow, kNow, false, 60, {}}));
  EXPECT_EQ(at(o, "rain", "lastHour").toInt(), 2);
  EXPECT_EQ(at(o, "rain", "last24h").toInt(), 30);
  EXPECT_EQ(at(o, "rain", "today").toInt(), 12);
  EXPECT_EQ(at(o, "rain", "since").toString(), "2026-12-08T06:05:30+01:00");
  s.rainSince.reset();
  const QJsonObject whole =
      parse(currentJson({test::sampleWeather(), s, "X", kNow, kNow, false, 60, {}}));
  EXPECT_TRUE(at(whole, "rain", "since").isNull());
}

TEST(CurrentJson, OnlyTheGroupsThatArrivedCarryValues) {
  const WeatherRecord w = test::sampleWeather();
  StationState s;
  s.seenBF = true;
  const QJsonObject o = parse(currentJson({w, s, "X", kNow, kNow, false, 0, {}}));
  EXPECT_EQ(at(o, "rain", "total").toInt(), 1234);
  EXPECT_TRUE(at(o, "temperature", "outdoor").isNull());
  EXPECT_TRUE(at(o, "wind", "speed").isNull());
  EXPECT_TRUE(at(o, "pressure", "local").isNull());
}

TEST(CurrentJson, TodaysExtremesCarryTheirTimes) {
  const WeatherRecord w;
  const StationState s = allSeen();
  TodayExtremes today;
  today.temperature.min = TimedValue{-12.3, {2026, 12, 8, 6, 5, 0}};
  today.temperature.max = TimedValue{4.0, {2026, 12, 8, 13, 0, 0}};
  today.pressure.max = TimedValue{1013.2, {2026, 12, 8, 0, 1, 0}};
  const QJsonObject o = parse(currentJson({w, s, "X", kNow, kNow, false, -150, today}));
  const QJsonObject t = o.value("today").toObject().value("temperature").toObject();
  EXPECT_DOUBLE_EQ(t.value("min").toDouble(), -12.3);
  EXPECT_EQ(t.value("minTime").toString(), "2026-12-08T06:05:00-02:30");
  EXPECT_DOUBLE_EQ(t.value("max").toDouble(), 4.0);
  const QJsonObject p = o.value("today").toObject().value("pressure").toObject();
  EXPECT_DOUBLE_EQ(p.value("max").toDouble(), 1013.2);
  EXPECT_TRUE(p.value("min").isNull());
  EXPECT_TRUE(o.value("today").toObject().value("humidity").toObject().value("max").isNull());
}

TEST(CurrentJson, TheStationNameStaysOneStringWhateverItHolds) {
  const WeatherRecord w;
  const StationState s;
  const std::string hostile = "</title><script>\"x\"\\ \t\x01 Köln °C";
  const std::string text = currentJson({w, s, hostile, kNow, std::nullopt, false, 0, {}});
  EXPECT_NE(text.find(R"("station":"</title><script>\"x\"\\ \u0009\u0001 Köln °C")"),
            std::string::npos)
      << text;
  EXPECT_EQ(parse(text).value("station").toString().toStdString(), hostile);
}

}  // namespace
}  // namespace tavik
