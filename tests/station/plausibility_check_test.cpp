// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/plausibility_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "group_builder.h"
#include "station/group_stream.h"
#include "station/refusal_report.h"

namespace tavik {
namespace {

using Verdict = PlausibilityCheck::Verdict;

// A record whose every field lies in its range.
WeatherRecord calmDay() {
  WeatherRecord w;
  w.Clock.Day = 14;
  w.Clock.Month = 6;
  w.HumOut.Current = 60;
  w.TempOut.Current = 182;
  w.Baro.Local = 1008;
  w.Baro.SeaLevel = 10131;
  w.Rain.Total = 120;
  w.Wind.Speed = 42;
  return w;
}

LocalDateTime at(int minute, int second = 0) { return {2026, 6, 14, 12, minute, second, 0}; }

std::vector<std::string> names(const PlausibilityCheck::Judgement& j) {
  return {j.refusedFields.begin(), j.refusedFields.end()};
}

// A check that has accepted calmDay() for every kind at 12:00:10.
PlausibilityCheck settledCheck() {
  PlausibilityCheck check;
  for (GroupKind kind : kGroupKinds) {
    check.judge(kind, calmDay(), at(0));
    check.judge(kind, calmDay(), at(0, 10));
  }
  return check;
}

TEST(PlausibilityCheck, HoldsAKindsFirstGroupAndAcceptsTheNextThatAgrees) {
  PlausibilityCheck check;
  for (GroupKind kind : kGroupKinds) {
    EXPECT_EQ(check.judge(kind, calmDay(), at(0)).verdict, Verdict::Held);
    WeatherRecord next = calmDay();
    next.TempOut.Current += 3;
    EXPECT_EQ(check.judge(kind, next, at(0, 10)).verdict, Verdict::Accepted);
  }
  // A first group that the second contradicts is replaced by it, not counted.
  PlausibilityCheck fresh;
  WeatherRecord wild = calmDay();
  wild.Baro.Local = 1090;
  EXPECT_EQ(fresh.judge(GroupKind::GAF, wild, at(0)).verdict, Verdict::Held);
  EXPECT_EQ(fresh.judge(GroupKind::GAF, calmDay(), at(0, 10)).verdict, Verdict::Held);
  EXPECT_EQ(fresh.judge(GroupKind::GAF, calmDay(), at(0, 20)).verdict, Verdict::Accepted);
  EXPECT_EQ(fresh.refusals()[2], 0u);
}

TEST(PlausibilityCheck, RefusesValuesNoConsoleCanMeasureAndNamesThem) {
  struct Case {
    GroupKind kind;
    std::function<void(WeatherRecord&)> spoil;
    const char* field;
  };
  const Case cases[] = {
      {GroupKind::G8F, [](WeatherRecord& w) { w.HumOut.Current = 152; }, "HumOut.Current"},
      {GroupKind::G8F, [](WeatherRecord& w) { w.Clock.Hour = 24; }, "Clock.Hour"},
      {GroupKind::G8F, [](WeatherRecord& w) { w.Clock.Month = 0; }, "Clock.Month"},
      {GroupKind::G8F, [](WeatherRecord& w) { w.HumIn.Lo.Minute = 60; }, "HumIn.Lo.Minute"},
      {GroupKind::G9F, [](WeatherRecord& w) { w.TempOut.Current = -815; }, "TempOut.Current"},
      {GroupKind::G9F, [](WeatherRecord& w) { w.TempIn.Hi.Value = 701; }, "TempIn.Hi.Value"},
      {GroupKind::G9F, [](WeatherRecord& w) { w.TempOut.AlarmHi = 265; }, "TempOut.AlarmHi"},
      {GroupKind::GAF, [](WeatherRecord& w) { w.Baro.Local = 15964; }, "Baro.Local"},
      {GroupKind::GAF, [](WeatherRecord& w) { w.Baro.SeaLevel = 8499; }, "Baro.SeaLevel"},
      {GroupKind::GAF, [](WeatherRecord& w) { w.DewOut.Current = 71; }, "DewOut.Current"},
      {GroupKind::GBF, [](WeatherRecord& w) { w.Rain.Rate = 1000; }, "Rain.Rate"},
      {GroupKind::GBF, [](WeatherRecord& w) { w.Rain.Yesterday = 2001; }, "Rain.Yesterday"},
      {GroupKind::GCF, [](WeatherRecord& w) { w.Wind.Dir = 2027; }, "Wind.Dir"},
      {GroupKind::GCF, [](WeatherRecord& w) { w.Wind.GustTime.Hour = 25; }, "Wind.GustTime.Hour"},
      {GroupKind::GCF, [](WeatherRecord& w) { w.Chill.Current = -100; }, "Chill.Current"},
  };
  for (const Case& c : cases) {
    // Refused both with nothing to compare with and after settled weather.
    for (PlausibilityCheck check : {PlausibilityCheck{}, settledCheck()}) {
      WeatherRecord w = calmDay();
      c.spoil(w);
      const auto j = check.judge(c.kind, w, at(1));
      EXPECT_EQ(j.verdict, Verdict::Refused) << c.field;
      EXPECT_EQ(names(j), std::vector<std::string>{c.field});
      EXPECT_EQ(check.refusals()[groupIndex(c.kind)], 1u) << c.field;
      // The next good group is not taken for a confirmation of it.
      EXPECT_NE(check.judge(c.kind, w, at(1, 10)).verdict, Verdict::Accepted) << c.field;
    }
  }
}

TEST(PlausibilityCheck, AJumpBeyondItsLimitWaitsForTheNextGroupToConfirmIt) {
  PlausibilityCheck check = settledCheck();
  WeatherRecord front = calmDay();
  front.TempOut.Current -= 151;  // 15.1 degrees within a minute
  front.Baro.Local += 11;
  auto j = check.judge(GroupKind::G9F, front, at(0, 20));
  EXPECT_EQ(j.verdict, Verdict::Refused);
  EXPECT_EQ(names(j), std::vector<std::string>{"TempOut.Current"});
  EXPECT_EQ(check.judge(GroupKind::G9F, front, at(0, 30)).verdict, Verdict::Accepted);
  j = check.judge(GroupKind::GAF, front, at(0, 20));
  EXPECT_EQ(names(j), std::vector<std::string>{"Baro.Local"});
  EXPECT_EQ(check.refusals(), (std::array<uint32_t, 5>{0, 1, 1, 0, 0}));

  // A lone spike is refused, and the weather that follows is compared with
  // the last accepted group, not with the spike.
  WeatherRecord spike = calmDay();
  spike.Wind.Speed = 600;
  EXPECT_EQ(check.judge(GroupKind::GCF, spike, at(0, 15)).verdict, Verdict::Refused);
  EXPECT_EQ(check.judge(GroupKind::GCF, calmDay(), at(0, 20)).verdict, Verdict::Accepted);
}

TEST(PlausibilityCheck, LimitsGrowWithTheMinutesBetweenGroupsUpToTen) {
  PlausibilityCheck check = settledCheck();
  WeatherRecord w = calmDay();
  w.Baro.Local = 1008 + 45;  // 10 hPa a minute allows 50 after five minutes
  w.Baro.SeaLevel = 10131 + 450;
  EXPECT_EQ(check.judge(GroupKind::GAF, w, at(5, 10)).verdict, Verdict::Accepted);
  w.Baro.Local = 1053 - 101;  // an hour later still only ten minutes' worth
  w.Baro.SeaLevel = 10581 - 1010;
  const auto j = check.judge(GroupKind::GAF, w, at(65, 10));
  EXPECT_EQ(names(j), (std::vector<std::string>{"Baro.Local", "Baro.SeaLevel"}));
}

TEST(PlausibilityCheck, RainTotalOnlyRisesAsFastAsTheWettestMinute) {
  PlausibilityCheck check = settledCheck();
  WeatherRecord w = calmDay();
  w.Rain.Total = 120 + 40;
  EXPECT_EQ(check.judge(GroupKind::GBF, w, at(1)).verdict, Verdict::Accepted);
  w.Rain.Total = 160 + 41;
  EXPECT_EQ(check.judge(GroupKind::GBF, w, at(1, 30)).verdict, Verdict::Refused);
  w.Rain.Total = 159;  // below the last accepted total
  EXPECT_EQ(check.judge(GroupKind::GBF, w, at(2)).verdict, Verdict::Refused);
  // A fall that is no reset is taken only once the next group repeats it.
  w.Rain.Total = 100;
  EXPECT_EQ(check.judge(GroupKind::GBF, w, at(2, 30)).verdict, Verdict::Refused);
  EXPECT_EQ(check.judge(GroupKind::GBF, w, at(2, 40)).verdict, Verdict::Accepted);
}

// A reset of the console's total is the user's act, not noise: a fall to
// (nearly) 0 is taken with its first group, without a refusal.
TEST(PlausibilityCheck, ARainTotalResetOnTheConsoleIsTakenAtOnce) {
  for (uint16_t afterReset : {0, 1, 2}) {
    PlausibilityCheck check = settledCheck();
    WeatherRecord w = calmDay();
    w.Rain.Total = afterReset;
    const auto j = check.judge(GroupKind::GBF, w, at(1));
    EXPECT_EQ(j.verdict, Verdict::Accepted) << afterReset;
    EXPECT_TRUE(j.refusedFields.empty());
  }
  PlausibilityCheck check = settledCheck();
  WeatherRecord w = calmDay();
  w.Rain.Total = 3;
  EXPECT_EQ(check.judge(GroupKind::GBF, w, at(1)).verdict, Verdict::Refused);
}

// A wind group on the line: speed in tenths (two digits in byte 1, hundreds in
// the low nibble of byte 2), direction units in the high nibble of byte 2 and
// tens and hundreds as the two digits of byte 3.
std::vector<uint8_t> windGroup(int speed, int dir) {
  const auto bcd = [](int v) { return static_cast<uint8_t>((v / 10 % 10) << 4 | v % 10); };
  return test::groupOnLine(
      GroupKind::GCF,
      {{1, bcd(speed % 100)},
       {2, static_cast<uint8_t>((dir % 10) << 4 | speed / 100)},
       {3, dir >= 1000 ? static_cast<uint8_t>(0xA0 | dir / 10 % 10) : bcd(dir / 10)}});
}

TEST(GroupStreamCheck, ARefusedGroupChangesNeitherRecordNorFlagsNorGust) {
  StationData data;
  ManualClock clock(at(0));
  GroupStream stream(data, clock);
  std::vector<bool> entered;
  stream.setGroupHandler([&](GroupKind, bool) { entered.push_back(stream.lastEntered()); });
  stream.feed(windGroup(42, 270));
  EXPECT_FALSE(data.state.seenCF) << "the first group waits for the next";
  EXPECT_EQ(data.weather.Wind.Speed, 0);
  clock.advanceSeconds(5);
  stream.feed(windGroup(45, 280));
  EXPECT_TRUE(data.state.seenCF);
  EXPECT_EQ(data.weather.Wind.Speed, 45);
  EXPECT_EQ(data.state.gustMaxMinute, 45);

  // 1027 degrees (a tens nibble of ten) and a faster wind: out of range.
  clock.advanceSeconds(5);
  data.state.seenCF = false;
  stream.feed(windGroup(95, 1027));
  EXPECT_EQ(data.verdicts.text(GroupKind::GCF), "OK!");
  EXPECT_EQ(data.verdicts.refused, (std::array<uint32_t, 5>{0, 0, 0, 0, 1}));
  EXPECT_FALSE(data.state.seenCF);
  EXPECT_EQ(data.weather.Wind.Speed, 45);
  EXPECT_EQ(data.weather.Wind.Dir, 280);
  EXPECT_EQ(data.state.gustMaxMinute, 45);
  EXPECT_EQ(stream.lastDecoded().weather.Wind.Dir, 1027) << "the decoded fields stay readable";
  EXPECT_EQ(names(stream.lastJudgement()), std::vector<std::string>{"Wind.Dir"});
  EXPECT_EQ(entered, (std::vector<bool>{false, true, false}));

  // A wrong checksum is only a verdict, as before.
  std::vector<uint8_t> bad = windGroup(50, 10);
  bad.back() ^= 1;
  stream.feed(bad);
  EXPECT_EQ(data.verdicts.text(GroupKind::GCF), "False!");
  EXPECT_EQ(data.verdicts.refused[4], 1u);
}

TEST(RefusalReport, WritesAtMostOnceAMinuteAndSumsUpWhatItHeldBack) {
  std::ostringstream log;
  ManualClock clock(at(0));
  RefusalReport report(log, clock);
  PlausibilityCheck::Judgement j{Verdict::Refused, {"Wind.Dir"}};
  report.refused(GroupKind::GCF, j);
  clock.advanceSeconds(20);
  report.refused(GroupKind::GCF, j);
  clock.advanceSeconds(39);
  report.refused(GroupKind::G9F,
                 PlausibilityCheck::Judgement{Verdict::Refused, {"TempIn.Current"}});
  EXPECT_EQ(log.str(), "Unmögliche Werte verworfen: Datengruppe CF (Wind.Dir)\n");
  clock.advanceSeconds(1);
  j.refusedFields = {"Baro.Local", "Baro.SeaLevel"};
  report.refused(GroupKind::GAF, j);
  EXPECT_EQ(log.str(),
            "Unmögliche Werte verworfen: Datengruppe CF (Wind.Dir)\n"
            "Unmögliche Werte verworfen: Datengruppe AF (Baro.Local, Baro.SeaLevel), "
            "3 Datengruppen seit der letzten Meldung\n");
}

// Feeds `group` and checks that the record, the state and the verdicts are
// what a full decode of it into the record as it was would give when it
// enters, and unchanged when it does not. Returns whether it entered.
bool feedAndCompare(GroupStream& stream, StationData& data, const std::vector<uint8_t>& group) {
  StationData full = data;
  stream.feed(group);
  const std::span<const uint8_t> body = std::span(group).subspan(1);
  if (stream.lastEntered()) {
    decodeGroup(GroupKind::GCF, body, full);
    EXPECT_EQ(stream.lastDecoded().weather.Wind, full.weather.Wind);
  }
  EXPECT_EQ(data.weather, full.weather);
  EXPECT_EQ(data.state.gustMaxMinute, full.state.gustMaxMinute);
  EXPECT_EQ(data.state.gustMaxMinuteDir, full.state.gustMaxMinuteDir);
  EXPECT_EQ(data.state.seenCF, full.state.seenCF);
  EXPECT_EQ(data.verdicts.text(GroupKind::GCF), "OK!");
  return stream.lastEntered();
}

TEST(GroupStreamCheck, ARepeatedGroupEntersAsAFullDecodeWould) {
  StationData data;
  ManualClock clock(at(0));
  GroupStream stream(data, clock);
  const std::vector<uint8_t> calm = windGroup(45, 280);
  const std::vector<uint8_t> storm = windGroup(800, 280);
  EXPECT_FALSE(feedAndCompare(stream, data, calm)) << "held";
  clock.advanceSeconds(5);
  EXPECT_TRUE(feedAndCompare(stream, data, calm));
  EXPECT_TRUE(feedAndCompare(stream, data, calm));

  // After the minute tick the repeat raises the gust maximum again.
  data.state.gustMaxMinute = 0;
  data.state.gustMaxMinuteDir = 0;
  EXPECT_TRUE(feedAndCompare(stream, data, calm));
  EXPECT_EQ(data.state.gustMaxMinute, 45);
  EXPECT_EQ(data.state.gustMaxMinuteDir, 280);

  // A refused jump in between: the repeat still enters and drops the jump as
  // a candidate, so the jump coming again is refused once more.
  EXPECT_FALSE(feedAndCompare(stream, data, storm));
  EXPECT_TRUE(feedAndCompare(stream, data, calm));
  EXPECT_FALSE(feedAndCompare(stream, data, storm));
  EXPECT_EQ(data.verdicts.refused[4], 2u);

  // A wrong checksum between repeats changes nothing but the verdict.
  std::vector<uint8_t> bad = calm;
  bad.back() ^= 1;
  stream.feed(bad);
  EXPECT_TRUE(feedAndCompare(stream, data, calm));

  // The repeat is the new reference in time: nine minutes on, a jump right
  // after it is judged against one minute, not nine.
  clock.advanceSeconds(9 * 60);
  EXPECT_TRUE(feedAndCompare(stream, data, calm));
  clock.advanceSeconds(10);
  EXPECT_FALSE(feedAndCompare(stream, data, storm));

  // Confirmed, the jump enters; its repeat keeps it, the old value is refused.
  EXPECT_TRUE(feedAndCompare(stream, data, storm));
  EXPECT_TRUE(feedAndCompare(stream, data, storm));
  EXPECT_EQ(data.weather.Wind.Speed, 800);
  EXPECT_FALSE(feedAndCompare(stream, data, calm));
  EXPECT_EQ(data.verdicts.refused[4], 4u);
}

}  // namespace
}  // namespace tavik
