// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/profile_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_size_limit.h"
#include "product_test_support.h"

namespace tavik {
namespace {

using test::crlfLines;
using test::fileBytes;

const std::string kRule(78, '-');

// The lines the sample record gives before and after the rain lines, alike in
// every report.
const std::vector<std::string> kBeforeRain = {
    "Aktuelle Wetterwerte vom 08.12.26 um 13:25:00 UTC",
    kRule,
    " Aussentemperatur          : -3.5 Grad  C",
    " Aussentemperatur Minimum  : -7.2 Grad C am 08.12.26 um 06:05:00",
    " Aussentemperatur Maximum  : 4.1 Grad C am 07.12.26 um 14:10:00",
    " Innentemperatur           : 21.5 Grad  C",
    " Innentemperatur Minimum   : 19.8 Grad C am 08.12.26 um 03:00:00",
    " Innentemperatur Maximum   : 0.0 Grad C am 08.12.26 um 14:30:45",
    " Fuehlbare Temperatur      : -6 Grad  C",
    " Aussenfeuchte             : 87%",
    " Innenfeuchte              : 45%",
    " Aussentaupunkt-Temperatur : 2 Grad  C",
    " Innentaupunkt-Temperatur  : 9 Grad  C",
    " Luftdruck QNH             : 1013.2 mb (sealevel)",
    " Luftdruck QFE             : 987 mb (local)",
    " Luftdruck-Tendenz         : steigend",
};

const std::vector<std::string> kAfterRain = {
    " Windgeschwindigkeit       : 5.3 m/s",
    " Windrichtung              : 270 Grad  ",
    " Windb\xF6"
    "e                   : 12.8 m/s aus 250 Grad am 08.12.26 um 12:47:00",
    " Windgeschwindigkeit (avg) : 0.5 m/s (gemittelt)",
    " Windrichtung (avg)        : 265 Grad   (gemittelt)",
    " Vorhersage                : bew\xF6"
    "lkt",
    kRule,
    "Huger WM918/Tavik",
};

class ProfileReportTest : public ::testing::Test, protected test::ProductFixture {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(readDir);
    std::filesystem::create_directories(importDir);
    settings.WinGTRead = readDir;
    settings.WinGTImport = importDir + "/";
    profiles.maxprofil = 2;
    profiles[1] = {"Balkon", "", "", "Wetter in Kiel", "\"Hallo Leute\",heute", "", "73", true};
    profiles[2] = {"DL1ABC", "WX", "DK0XY", "Wetter", "", "16:57", "Gruss,Tschüss", true};
  }

  std::string importFile(const std::string& name) { return fileBytes(importDir + "/" + name); }
  // Line k (0-based) of an Import file, without its CR LF.
  std::string importLine(size_t k) {
    const std::string bytes = importFile("DL1ABC.txt");
    size_t begin = 0;
    for (size_t i = 0; i < k; ++i) begin = bytes.find("\r\n", begin) + 2;
    return bytes.substr(begin, bytes.find("\r\n", begin) - begin);
  }

  // The writer under test, which remembers the Read file between reports.
  void writeProfileReport(int n, const ProductContext& ctx) { reports.writeProfileReport(n, ctx); }
  const std::string& lastReadFileName() const { return reports.lastReadFileName(); }
  std::string lastReadFilePath(const Settings& s) const { return reports.lastReadFilePath(s); }

  ProfileReports reports;
  test::TempFolder folder;
  std::string readDir = folder / "read";
  std::string importDir = folder / "import";
};

TEST_F(ProfileReportTest, ReadFileHoldsThePageWithoutMessageHeader) {
  writeProfileReport(1, context());

  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(fileBytes(readDir + "/Wetter.txt"),
            crlfLines({
                "Wetter in Kiel",
                "",
                "Hallo Leute",
                "heute",
                "",
                "",
            }) + crlfLines(kBeforeRain) +
                crlfLines({
                    " Regenrate                 : 11 mm/h",
                    " Regenmenge seit 0 Uhr     : 23 mm",
                    " Regenmenge TOTAL          : 1234 mm",
                }) +
                crlfLines(kAfterRain) +
                crlfLines({
                    "",
                    "73",
                    "",
                    "[Tavik Output 0.1.9.8b - Wetterdaten direkt von der Station]",
                }));
  EXPECT_EQ(lastReadFileName(), "/Wetter.txt");
  EXPECT_EQ(lastReadFilePath(settings), readDir + "/Wetter.txt");
}

TEST_F(ProfileReportTest, ImportFileWithConvertedRainGaugeAndEndMark) {
  settings.NormalRegen = false;
  settings.EOFKennung = true;

  writeProfileReport(2, context());

  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(importFile("DL1ABC.txt"),
            crlfLines({
                "WX               de:DK0XY 08.12.26 14:30:45   10        0 Bytes",
                "Wetter",
                "",
                "",
                "",
            }) + crlfLines(kBeforeRain) +
                crlfLines({
                    " Regenrate                 : 2.0 mm/h (11 mm /5,5225 per hour)",
                    " Regenmenge seit 0 Uhr     : 4.2 mm (23 mm /5,5225)",
                    " Regenmenge TOTAL          : 223.4 mm (1234 mm /5,5225)",
                }) +
                crlfLines(kAfterRain) +
                crlfLines({
                    "",
                    "Gruss",
                    "Tsch\xFCss",
                    "",
                    "[Tavik Output 0.1.9.8b - Wetterdaten direkt von der Station]",
                    "***END",
                }));
}

TEST_F(ProfileReportTest, OutOfRangeRateReplacesOnlyTheRateLineInBothGauges) {
  weather.Rain.RateOutOfRange = true;
  for (const bool normal : {true, false}) {
    settings.NormalRegen = normal;
    writeProfileReport(2, context());
    EXPECT_EQ(importLine(21), " Regenrate                 : Out of Range / Fehler");
    EXPECT_EQ(importLine(22), normal ? " Regenmenge seit 0 Uhr     : 23 mm"
                                     : " Regenmenge seit 0 Uhr     : 4.2 mm (23 mm /5,5225)");
  }
}

TEST_F(ProfileReportTest, HeaderKeepsLongRecipientWholeAndCountsCharactersNotBytes) {
  profiles[2].Empfaenger = "DB0XYZ-WETTERDIEN";  // 17 characters
  writeProfileReport(2, context());
  EXPECT_EQ(importLine(0), "DB0XYZ-WETTERDIENde:DK0XY 08.12.26 14:30:45   10        0 Bytes");

  profiles[2].Empfaenger = "Jürgen";  // six characters, seven UTF-8 bytes
  writeProfileReport(2, context());
  EXPECT_EQ(importLine(0), "J\xFCrgen           de:DK0XY 08.12.26 14:30:45   10        0 Bytes");
}

TEST_F(ProfileReportTest, CodesWithoutWordEndTheLineAfterTheColon) {
  for (const auto& [trend, forecast] : {std::pair{3, 0}, std::pair{7, 15}, std::pair{255, 9}}) {
    weather.Baro.Trend = static_cast<uint8_t>(trend);
    weather.Baro.Forecast = static_cast<uint8_t>(forecast);
    writeProfileReport(2, context());
    EXPECT_EQ(importLine(20), " Luftdruck-Tendenz         : ");
    EXPECT_EQ(importLine(29), " Vorhersage                : ");
  }
}

TEST_F(ProfileReportTest, InvalidStationStampsFallBackToThePcMoment) {
  weather.Clock = {};             // before the first clock group
  weather.TempOut.Lo.Month = 13;  // month out of range
  weather.TempOut.Hi.Day = 29;    // 29 February 2026 does not exist
  weather.TempOut.Hi.Month = 2;
  weather.Wind.GustTime.Hour = 24;  // hour out of range
  writeProfileReport(2, context());
  EXPECT_EQ(importLine(5), "Aktuelle Wetterwerte vom 08.12.26 um 14:30:45 UTC");
  EXPECT_EQ(importLine(8), " Aussentemperatur Minimum  : -7.2 Grad C am 08.12.26 um 14:30:45");
  EXPECT_EQ(importLine(9), " Aussentemperatur Maximum  : 4.1 Grad C am 08.12.26 um 14:30:45");
  EXPECT_EQ(importLine(26),
            " Windb\xF6"
            "e                   : 12.8 m/s aus 250 Grad am 08.12.26 um 14:30:45");
}

TEST_F(ProfileReportTest, SeaLevelPressureBelowTenGetsLeadingSpace) {
  weather.Baro.SeaLevel = 0;
  weather.TempOut.Current = 0;
  writeProfileReport(2, context());
  EXPECT_EQ(importLine(18), " Luftdruck QNH             :  0.0 mb (sealevel)");
  EXPECT_EQ(importLine(7), " Aussentemperatur          : 0.0 Grad  C");
}

TEST_F(ProfileReportTest, NameThatIsNoPlainFileNameWritesNothing) {
  for (const std::string name : {"../x", "sub/x", "a\\b", "x..y", "", ".", "..", "tab\tname"}) {
    notifier.messages.clear();
    profiles[2].name = name;
    writeProfileReport(2, context());
    ASSERT_EQ(notifier.messages.size(), 2u) << name;
    EXPECT_EQ(notifier.messages[0].text, "Fehler beim  Erstellen der Datei für Profil " + name);
    EXPECT_EQ(notifier.messages[0].caption, "Import");
    EXPECT_EQ(notifier.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(notifier.messages[1].text,
              "Fehler beim Einfügen von Daten in die Datei für Profil " + name);
    EXPECT_EQ(notifier.messages[1].caption, "Import");
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "x.txt"));
  EXPECT_TRUE(std::filesystem::is_empty(importDir));
}

TEST_F(ProfileReportTest, ImportFileThatCannotBeCreated) {
  const std::string cases[] = {
      folder / "missing",                         // folder does not exist
      test::readOnlyFolder(folder / "readonly"),  // no file can be created in it
      importDir,                                  // a folder is in the way of the file
  };
  std::filesystem::create_directory(importDir + "/DL1ABC.txt");
  for (const std::string& dir : cases) {
    notifier.messages.clear();
    settings.WinGTImport = dir;
    writeProfileReport(2, context());
    ASSERT_EQ(notifier.messages.size(), 2u) << dir;
    const std::string note =
        dir == importDir ? "\n" + importDir + "/DL1ABC.txt ist ein Ordner, keine Datei." : "";
    EXPECT_EQ(notifier.messages[0].text,
              "Fehler beim  Erstellen der Datei für Profil DL1ABC" + note);
    EXPECT_EQ(notifier.messages[1].text,
              "Fehler beim Einfügen von Daten in die Datei für Profil DL1ABC");
  }
  std::filesystem::create_directories(folder / "plain");
  std::ofstream(folder / "plain/file") << "x";
  settings.WinGTImport = folder / "plain/file";  // a file is in the way of the folder
  notifier.messages.clear();
  writeProfileReport(2, context());
  EXPECT_EQ(notifier.messages.size(), 2u);
}

TEST_F(ProfileReportTest, ReadFileThatCannotBeCreatedNamesProfileOneUnderImport) {
  settings.WinGTRead = folder / "missing";
  writeProfileReport(1, context());
  ASSERT_EQ(notifier.messages.size(), 2u);
  EXPECT_EQ(notifier.messages[0].text, "Fehler beim Erstellen der Read-Datei");
  EXPECT_EQ(notifier.messages[0].caption, "Read");
  EXPECT_EQ(notifier.messages[1].text,
            "Fehler beim Einfügen von Daten in die Datei für Profil Balkon");
  EXPECT_EQ(notifier.messages[1].caption, "Import");
}

TEST_F(ProfileReportTest, PreviousReadFileIsDeletedNotFollowed) {
  writeProfileReport(1, context());
  // Replace the Read file by a link to a file that is not the program's.
  std::ofstream(folder / "other.txt") << "keep";
  std::filesystem::remove(readDir + "/Wetter.txt");
  std::filesystem::create_symlink(folder / "other.txt", readDir + "/Wetter.txt");

  writeProfileReport(1, context());

  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(fileBytes(folder / "other.txt"), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink(readDir + "/Wetter.txt"));
  EXPECT_EQ(fileBytes(readDir + "/Wetter.txt").substr(0, 16), "Wetter in Kiel\r\n");
}

TEST_F(ProfileReportTest, FolderInPlaceOfPreviousReadFileIsReportedAndKept) {
  writeProfileReport(1, context());
  std::filesystem::remove(readDir + "/Wetter.txt");
  std::filesystem::create_directory(readDir + "/Wetter.txt");

  writeProfileReport(1, context());

  ASSERT_EQ(notifier.messages.size(), 3u);
  EXPECT_EQ(notifier.messages[0].text, "Fehler beim Löschen der (veralteten) Read-Datei.");
  EXPECT_EQ(notifier.messages[0].caption, "Read");
  EXPECT_EQ(notifier.messages[1].text, "Fehler beim Erstellen der Read-Datei\n" + readDir +
                                           "/Wetter.txt ist ein Ordner, keine Datei.");
  EXPECT_EQ(notifier.messages[2].caption, "Import");
  EXPECT_TRUE(std::filesystem::is_directory(readDir + "/Wetter.txt"));
}

TEST_F(ProfileReportTest, FailedWriteShowsTheWriteMessageOnly) {
  // A full disk: the file opens, its lines do not fit.
  const int result = testing::runWithFileSizeLimit(100, [&] {
    writeProfileReport(2, context());
    const bool one = notifier.messages.size() == 1 &&
                     notifier.messages[0].text ==
                         "Fehler beim Einfügen von Daten in die Datei für Profil DL1ABC" &&
                     notifier.messages[0].caption == "Import";
    return one ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(std::filesystem::exists(importDir + "/DL1ABC.txt"));
}

TEST_F(ProfileReportTest, ProfileNumbersOutsideTheTableWriteNothing) {
  writeProfileReport(0, context());
  writeProfileReport(101, context());
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_TRUE(std::filesystem::is_empty(importDir));
}

TEST_F(ProfileReportTest, AFullDiskLeavesThePreviousPagesWhole) {
  writeProfileReport(1, context());
  writeProfileReport(2, context());
  const std::string read = fileBytes(readDir + "/Wetter.txt");
  const std::string import = importFile("DL1ABC.txt");
  profiles[1].VOR = profiles[2].VOR = std::string(3000, 'v');
  const int result = testing::runWithFileSizeLimit(2048, [&] {
    writeProfileReport(1, context());
    writeProfileReport(2, context());
    return notifier.messages.size() == 2 ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(fileBytes(readDir + "/Wetter.txt"), read);
  EXPECT_EQ(importFile("DL1ABC.txt"), import);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(importDir),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(ProfileReportTest, EachWriterKeepsItsOwnReadFileName) {
  ProfileReports other;
  EXPECT_EQ(other.lastReadFileName(), "");
  writeProfileReport(1, context());
  EXPECT_EQ(lastReadFileName(), "/Wetter.txt");
  EXPECT_EQ(other.lastReadFileName(), "");
  EXPECT_EQ(other.lastReadFilePath(settings), "");
}

}  // namespace
}  // namespace tavik
