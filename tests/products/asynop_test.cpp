// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/asynop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "asynop_test_record.h"
#include "common/text_file.h"
#include "file_size_limit.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using test::crlfLines;
using test::fileBytes;
namespace fs = std::filesystem;

// The report line of the test record for a UTC day and hour ("0806").
std::string reportLine(const std::string& dayHour) {
  return "ZZ9ZZ  " + dayHour + "1 99505 10079 46/// /2505 11053 29072 40132 52///=";
}

// A whole bulletin: written at `written` (local "dd.mm.yy hh:nn:ss"), for the
// UTC date `utcDate` ("dd.mm.yy") with its date group ("YYMMDD").
std::string bulletinBytes(const std::string& written, const std::string& utcDate,
                          const std::string& dateGroup, const std::vector<std::string>& reports) {
  std::string bytes = crlfLines({"ASYNOP@DL        de:ZZ9ZZ " + written + "   10        0 Bytes",
                                 "ASYNOP ZZ9ZZ " + utcDate, "", "Wetterdaten WMR918", "",
                                 "ASYNOP " + dateGroup, "SXSX"});
  for (const auto& line : reports) bytes += line + "\r\n";
  return bytes + crlfLines({"/QAM/", "", "73 de ZZ9ZZ"});
}

struct AsynopTest : ::testing::Test {
  void SetUp() override {
    test::setAsynopTestRecord(f);
    f.settings.ASYNOPNach = "73 de ZZ9ZZ";
    f.settings.ASYNOPDatei = folder.dir() + "asynop.txt";
    f.settings.ASYNOPArchiv = true;
    f.settings.ASYNOPMonatsordner = true;
    f.settings.ASYNOPWochenordner = true;
  }
  ProductContext ctx() {
    ProductContext c = f.context();
    c.productDir = folder.dir();
    return c;
  }
  std::string workFile() { return fileBytes(asynopWorkFile(folder.dir())); }
  std::string archiveFolder() { return folder.dir() + "ASYNOP-Archiv/Dezember 2026/Woche 46/"; }
  // Every file under the archive, by name, sorted.
  std::vector<std::string> archiveNames() {
    std::vector<std::string> names;
    const fs::path root = folder.dir() + "ASYNOP-Archiv";
    if (!fs::exists(root)) return names;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      if (entry.is_regular_file()) names.push_back(fs::relative(entry.path(), root).string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // One tick a minute for a whole day from `start`; returns the status texts
  // in the order they appeared.
  std::vector<std::string> runDay(const LocalDateTime& start) {
    f.clock.set(start);
    std::vector<std::string> statuses;
    for (int minute = 0; minute < 24 * 60; ++minute) {
      asynop.asynopMinuteTick(ctx());
      if (statuses.empty() || statuses.back() != asynop.statusText()) {
        statuses.push_back(asynop.statusText());
      }
      f.clock.advanceSeconds(60);
    }
    return statuses;
  }

  test::ProductFixture f;
  testing::TempFolder folder;
  Asynop asynop;
};

TEST_F(AsynopTest, DailySummaryAtUtcPlusOne) {
  f.settings.Zeitzone = 1;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  const auto statuses = runDay({2026, 12, 8, 0, 0, 0, 0});
  const std::string bulletin = crlfLines({
      "ASYNOP@DL        de:ZZ9ZZ 08.12.26 01:00:00   10        0 Bytes",
      "ASYNOP ZZ9ZZ 08.12.26",
      "",
      "Wetterdaten WMR918",
      "",
      "ASYNOP 261208",
      "SXSX",
      "ZZ9ZZ  08001 99505 10079 46/// /2505 11053 29072 40132 52///=",
      "ZZ9ZZ  08061 99505 10079 46/// /2505 11053 29072 40132 52///=",
      "ZZ9ZZ  08121 99505 10079 46/// /2505 11053 29072 40132 52///=",
      "ZZ9ZZ  08181 99505 10079 46/// /2505 11053 29072 40132 52///=",
      "/QAM/",
      "",
      "73 de ZZ9ZZ",
  });
  EXPECT_EQ(workFile(), bulletin);
  EXPECT_EQ(fileBytes(f.settings.ASYNOPDatei), bulletin);
  EXPECT_EQ(fileBytes(archiveFolder() + "2026.12.08. - 19-00.txt"), bulletin);
  EXPECT_EQ(archiveNames().size(), 1u);
  EXPECT_EQ(statuses, (std::vector<std::string>{"", "ASYNOP: XX", "ASYNOP: XXX", "ASYNOP: XXXX",
                                                "ASYNOP: verschickt"}));
  EXPECT_TRUE(f.notifier.messages.empty());
}

TEST_F(AsynopTest, DailySummaryWestOfUtcStartsTheEveningBefore) {
  f.settings.Zeitzone = -5;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  runDay({2026, 12, 7, 14, 0, 0, 0});
  const std::string bulletin = bulletinBytes(
      "07.12.26 19:00:00", "08.12.26", "261208",
      {reportLine("0800"), reportLine("0806"), reportLine("0812"), reportLine("0818")});
  EXPECT_EQ(fileBytes(f.settings.ASYNOPDatei), bulletin);
  EXPECT_EQ(fileBytes(archiveFolder() + "2026.12.08. - 13-00.txt"), bulletin);
}

TEST_F(AsynopTest, FourADayAtUtcMakesFourBulletins) {
  f.settings.Zeitzone = 0;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.settings.ASYNOPIntervall = true;
  f.settings.ASYNOPMonatsordner = false;
  f.settings.ASYNOPWochenordner = false;
  const auto statuses = runDay({2026, 12, 8, 0, 0, 0, 0});
  for (const char* hour : {"00", "06", "12", "18"}) {
    const std::string bulletin =
        bulletinBytes("08.12.26 " + std::string(hour) + ":00:00", "08.12.26", "261208",
                      {reportLine("08" + std::string(hour))});
    EXPECT_EQ(fileBytes(folder.dir() + "ASYNOP-Archiv/2026.12.08. - " + hour + "-00.txt"), bulletin)
        << hour;
    if (std::string(hour) == "18") {
      EXPECT_EQ(fileBytes(f.settings.ASYNOPDatei), bulletin);
    }
  }
  EXPECT_EQ(statuses, (std::vector<std::string>{"ASYNOP: verschickt"}));
}

// The other mode in each zone: which archive copies a day leaves, named by
// the local time of each synoptic hour.
struct DayCase {
  int zeitzone;
  bool fourADay;
  LocalDateTime start;
  std::vector<std::string> archive;
};

class AsynopDayTest : public AsynopTest, public ::testing::WithParamInterface<DayCase> {};

TEST_P(AsynopDayTest, ArchiveCopiesAtTheLocalTimesOfTheSynopticHours) {
  const DayCase& c = GetParam();
  f.settings.Zeitzone = c.zeitzone;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.settings.ASYNOPIntervall = c.fourADay;
  runDay(c.start);
  std::vector<std::string> expected;
  for (const auto& name : c.archive) expected.push_back("Dezember 2026/Woche 46/2026.12.0" + name);
  EXPECT_EQ(archiveNames(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, AsynopDayTest,
    ::testing::Values(
        DayCase{1,
                true,
                {2026, 12, 8, 0, 0, 0, 0},
                {"8. - 01-00.txt", "8. - 07-00.txt", "8. - 13-00.txt", "8. - 19-00.txt"}},
        DayCase{0, false, {2026, 12, 8, 0, 0, 0, 0}, {"8. - 18-00.txt"}},
        DayCase{-5,
                true,
                {2026, 12, 7, 14, 0, 0, 0},
                {"7. - 19-00.txt", "8. - 01-00.txt", "8. - 07-00.txt", "8. - 13-00.txt"}}));

// From 23:59 over the turn of a month and of a year: the UTC date of the
// report (local time minus Zeitzone) may lie in another month than the local
// time that names the archive folder.
TEST_F(AsynopTest, AcrossTheEndOfAMonthTheBulletinTakesTheUtcDateAndTheArchiveTheLocal) {
  struct Case {
    int zeitzone;
    LocalDateTime start;      // one minute before the synoptic hour
    std::string written;      // local "dd.mm.yy hh:nn:ss"
    std::string utcDate;      // "dd.mm.yy"
    std::string dateGroup;    // "YYMMDD"
    std::string dayHour;      // of the report line
    std::string archiveName;  // under ASYNOP-Archiv/, without the week folder
  };
  const Case cases[] = {
      {0,
       {2027, 1, 31, 23, 59, 0, 0},
       "01.02.27 00:00:00",
       "01.02.27",
       "270201",
       "0100",
       "Februar 2027/2027.02.01. - 00-00.txt"},
      {1,
       {2027, 3, 1, 0, 59, 0, 0},
       "01.03.27 01:00:00",
       "01.03.27",
       "270301",
       "0100",
       "März 2027/2027.03.01. - 01-00.txt"},
      {-1,
       {2026, 12, 31, 22, 59, 0, 0},
       "31.12.26 23:00:00",
       "01.01.27",
       "270101",
       "0100",
       "Dezember 2026/2026.12.31. - 23-00.txt"},
  };
  f.settings.ASYNOPIntervall = true;
  f.settings.ASYNOPWochenordner = false;
  for (const Case& c : cases) {
    fs::remove_all(folder.dir() + "ASYNOP-Archiv");
    f.settings.Zeitzone = c.zeitzone;
    f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
    f.clock.set(c.start);
    Asynop fresh;
    fresh.asynopMinuteTick(ctx());  // 23:59 UTC: nothing yet
    EXPECT_FALSE(fs::exists(f.settings.ASYNOPDatei)) << c.written;
    f.clock.advanceSeconds(60);
    fresh.asynopMinuteTick(ctx());
    f.clock.advanceSeconds(60);
    fresh.asynopMinuteTick(ctx());  // 00:01 UTC: nothing more
    const std::string bulletin =
        bulletinBytes(c.written, c.utcDate, c.dateGroup, {reportLine(c.dayHour)});
    EXPECT_EQ(fileBytes(f.settings.ASYNOPDatei), bulletin) << c.written;
    EXPECT_EQ(archiveNames(), std::vector<std::string>{c.archiveName}) << c.written;
    fs::remove(f.settings.ASYNOPDatei);
  }
  EXPECT_TRUE(f.notifier.messages.empty());
}

TEST_F(AsynopTest, SecondTickInTheSameHourAddsNoLine) {
  f.settings.Zeitzone = 0;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.clock.set({2026, 12, 8, 0, 0, 0, 0});
  asynop.asynopMinuteTick(ctx());
  f.clock.set({2026, 12, 8, 0, 0, 59, 0});
  asynop.asynopMinuteTick(ctx());
  EXPECT_EQ(asynop.statusText(), "ASYNOP: XX");
  f.clock.set({2026, 12, 8, 6, 0, 0, 0});
  asynop.asynopMinuteTick(ctx());
  EXPECT_EQ(asynop.statusText(), "ASYNOP: XXX");
}

TEST_F(AsynopTest, MissedStartAppendsToTheKeptWorkFile) {
  std::ofstream(asynopWorkFile(folder.dir()), std::ios::binary) << "old\r\n";
  f.settings.Zeitzone = 0;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.clock.set({2026, 12, 8, 6, 0, 0, 0});
  asynop.asynopMinuteTick(ctx());
  EXPECT_EQ(workFile(), "old\r\n" + reportLine("0806") + "\r\n");
  EXPECT_EQ(asynop.statusText(), "X");
}

TEST_F(AsynopTest, WorkFileFailuresShowTheMessageAndKeepTheStatus) {
  const auto expectOneMessage = [&](const char* why, const std::string& note = "") {
    ASSERT_EQ(f.notifier.messages.size(), 1u) << why;
    EXPECT_EQ(f.notifier.messages[0].text, "Fehler beim Erstellen der ASYNOP-Datei" + note) << why;
    EXPECT_EQ(f.notifier.messages[0].caption, "ASYNOP");
    f.notifier.messages.clear();
  };
  asynop.asynopNewFile(ctx());
  ASSERT_EQ(asynop.statusText(), "ASYNOP: X");
  {
    testing::ScopedReadOnlyFolder readOnly(folder.path());
    asynop.asynopNewFile(ctx());
    expectOneMessage("read-only folder");
  }
  fs::remove(asynopWorkFile(folder.dir()));
  fs::create_directory(asynopWorkFile(folder.dir()));
  asynop.asynopEndFile(ctx());
  expectOneMessage("folder in the way",
                   "\n" + asynopWorkFile(folder.dir()) + " ist ein Ordner, keine Datei.");
  ProductContext missing = ctx();
  missing.productDir = folder.dir() + "missing/";
  asynop.asynopAppendLine(missing);
  expectOneMessage("missing folder");
  EXPECT_EQ(asynop.statusText(), "ASYNOP: X");
}

TEST_F(AsynopTest, FailedCopyIsReportedAndTheArchiveStillWritten) {
  f.settings.Zeitzone = 0;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.settings.ASYNOPIntervall = true;
  f.settings.ASYNOPDatei = folder.dir() + "missing/asynop.txt";
  f.clock.set({2026, 12, 8, 12, 0, 0, 0});
  asynop.asynopMinuteTick(ctx());
  ASSERT_EQ(f.notifier.messages.size(), 1u);
  EXPECT_EQ(f.notifier.messages[0].text,
            "Fehler beim Kopieren der ASYNOP-Datei nach " + f.settings.ASYNOPDatei);
  EXPECT_EQ(f.notifier.messages[0].caption, "ASYNOP");
  EXPECT_EQ(fileBytes(archiveFolder() + "2026.12.08. - 12-00.txt"), workFile());
}

// The work file's temporary name is taken: the bulletin cannot be started,
// and neither its lines, nor its end alone, nor the older bulletin still in
// the work file are sent or archived.
TEST_F(AsynopTest, ABulletinThatCouldNotBeStartedIsNeitherCopiedNorArchived) {
  f.settings.Zeitzone = 0;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.settings.ASYNOPIntervall = true;
  for (const bool olderBulletin : {false, true}) {
    SCOPED_TRACE(olderBulletin ? "an older bulletin in the work file" : "no work file");
    fs::remove_all(folder.dir() + "ASYNOP-Archiv");
    fs::remove(f.settings.ASYNOPDatei);
    fs::remove(asynopWorkFile(folder.dir()));
    if (olderBulletin) std::ofstream(asynopWorkFile(folder.dir()), std::ios::binary) << "alt\r\n";
    fs::create_directories(FileReplacement::temporaryPath(asynopWorkFile(folder.dir())) / "x");
    f.notifier.messages.clear();
    f.clock.set({2026, 12, 8, olderBulletin ? 12 : 6, 0, 0, 0});
    asynop.asynopMinuteTick(ctx());
    EXPECT_FALSE(f.notifier.messages.empty());
    for (const auto& m : f.notifier.messages)
      EXPECT_EQ(m.text, "Fehler beim Erstellen der ASYNOP-Datei");
    EXPECT_FALSE(fs::exists(f.settings.ASYNOPDatei));
    EXPECT_EQ(archiveNames(), std::vector<std::string>{});
    EXPECT_EQ(fs::exists(asynopWorkFile(folder.dir())), olderBulletin);
    if (olderBulletin) {
      EXPECT_EQ(workFile(), "alt\r\n");
    }
    fs::remove_all(FileReplacement::temporaryPath(asynopWorkFile(folder.dir())));
  }
  // Once the start works again, the next hour's bulletin goes out whole.
  f.notifier.messages.clear();
  f.clock.set({2026, 12, 8, 18, 0, 0, 0});
  asynop.asynopMinuteTick(ctx());
  EXPECT_TRUE(f.notifier.messages.empty());
  EXPECT_EQ(fileBytes(f.settings.ASYNOPDatei),
            bulletinBytes("08.12.26 18:00:00", "08.12.26", "261208", {reportLine("0818")}));
}

// On a full disk neither the line nor the bulletin's end goes half into the
// work file, and the copy leaves the previous bulletin whole.
TEST_F(AsynopTest, AFullDiskLeavesTheWorkFileAndTheCopyWhole) {
  f.settings.Zeitzone = 0;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.settings.ASYNOPArchiv = false;
  f.clock.set({2026, 12, 8, 18, 0, 0, 0});
  std::string work;
  for (int i = 0; i < 100; ++i) work += reportLine("0812") + "\r\n";
  std::ofstream(asynopWorkFile(folder.dir()), std::ios::binary) << work;
  std::ofstream(f.settings.ASYNOPDatei, std::ios::binary) << "alt\r\n";

  // Room for part of a line: the line goes not at all.
  EXPECT_EQ(testing::runWithFileSizeLimit(work.size() + 20,
                                          [&] {
                                            asynop.asynopAppendLine(ctx());
                                            return static_cast<int>(f.notifier.messages.size());
                                          }),
            1);
  EXPECT_EQ(workFile(), work);
  // Room for half the bulletin: the line and the end fail, and the
  // unfinished bulletin is not copied.
  EXPECT_EQ(testing::runWithFileSizeLimit(work.size() / 2,
                                          [&] {
                                            asynop.asynopMinuteTick(ctx());
                                            return static_cast<int>(f.notifier.messages.size());
                                          }),
            2);
  EXPECT_EQ(workFile(), work);
  EXPECT_EQ(fileBytes(f.settings.ASYNOPDatei), "alt\r\n");
  EXPECT_FALSE(fs::exists(f.settings.ASYNOPDatei + ".tmp"));
}

}  // namespace
}  // namespace tavik
