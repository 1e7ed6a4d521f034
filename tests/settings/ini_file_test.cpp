// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ini_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <random>

#include "file_bytes.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using tavik::testing::fileBytes;
using tavik::testing::ScopedReadOnlyFolder;
using tavik::testing::TempFolder;
using tavik::testing::writeBytes;

IniFile loaded(const TempFolder& folder, const std::string& bytes) {
  writeBytes(folder.path() / "t.ini", bytes);
  IniFile ini;
  EXPECT_TRUE(ini.load(folder.path() / "t.ini"));
  return ini;
}

TEST(IniInteger, Spellings) {
  struct Case {
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {"0x1D4C0", 120000},
      {"0X10", 16},
      {"2 min", -1},
      {"0x", -1},
      {"0x1", 1},
      {"$1F", 31},
      {"-$10", -16},
      {"-12", -12},
      {"+7", 7},
      {" 42 ", 42},
      {"0x8000000F", -2147483633},
      {"-2147483633", -2147483633},
      {"2147483647", 2147483647},
      {"2147483648", -1},
      {"-2147483648", -2147483647 - 1},
      {"0x100000000", -1},
      {"", -1},
      {"12a", -1},
      {"0x1G", -1},
      {"-", -1},
      {"$", -1},
      {"0x-1", -1},
      {"1 2", -1},
      {"00012", 12},
  };
  for (const Case& c : cases) EXPECT_EQ(parseIniInteger(c.text, -1), c.expected) << c.text;
}

TEST(IniFileRead, NamesIgnoreCaseAndBlanks) {
  TempFolder folder;
  const IniFile ini = loaded(folder,
                             "[alles]\r\n"
                             "  MAXPROFIL = 3 \r\n"
                             "[ Balkon ]\r\n"
                             "EMPF\xC4NGER=DL1ABC\r\n"
                             "Leer=\r\n");
  EXPECT_EQ(ini.readInteger("Alles", "maxprofil", 0), 3);
  EXPECT_EQ(ini.readString("BALKON", "Empfänger", "-"), "DL1ABC");
  EXPECT_EQ(ini.readString("Balkon", "Leer", "Vorgabe"), "");
  EXPECT_EQ(ini.readString("Balkon", "Fehlt", "Vorgabe"), "Vorgabe");
  EXPECT_EQ(ini.readString("Garten", "Leer", "Vorgabe"), "Vorgabe");
  EXPECT_TRUE(ini.hasKeys("balkon"));
  EXPECT_FALSE(ini.hasKeys("Garten"));
}

TEST(IniFileRead, FirstSectionAndKeyWinAndOddLinesAreNoKeys) {
  TempFolder folder;
  const IniFile ini = loaded(folder,
                             "vor=allem\n"
                             "[A]\n"
                             "; Kommentar=nein\n"
                             "k=1\n"
                             "k=2\n"
                             "nur Text\n"
                             "=ohne Namen\n"
                             "[Leer]\n"
                             "; nichts\n"
                             "[a]\n"
                             "k=3\n"
                             "x=4");
  EXPECT_EQ(ini.readInteger("A", "k", 0), 1);
  EXPECT_EQ(ini.readInteger("A", "x", 0), 0);
  EXPECT_FALSE(ini.value("A", "nur Text"));
  EXPECT_FALSE(ini.value("A", "Kommentar"));
  EXPECT_FALSE(ini.hasKeys("Leer"));
  EXPECT_TRUE(ini.readFlag("A", "k", false));
  EXPECT_TRUE(ini.readFlag("A", "fehlt", true));
}

TEST(IniFileWrite, ReplacesInPlaceAppendsToSectionsAndKeepsOtherLines) {
  TempFolder folder;
  IniFile ini = loaded(folder,
                       "; von Hand\r\n"
                       "[Alles]\r\n"
                       "maxprofil=3\r\n"
                       "Unbekannt=bleibt\r\n"
                       "\r\n"
                       "[Farben]\r\n"
                       "Group2=5\r\n");
  ini.writeInteger("ALLES", "MaxProfil", 4);
  ini.writeString("Alles", "Comport", "COM1");
  ini.writeString("Farben", "Group3", "7");
  ini.writeString("Profile", "Profil1", "Balkon");
  ini.writeString("Profile", "Profil2", "Zeile\r\nbruch");
  ASSERT_TRUE(ini.save(folder.path() / "t.ini"));
  EXPECT_EQ(fileBytes(folder.path() / "t.ini"),
            "; von Hand\r\n"
            "[Alles]\r\n"
            "MaxProfil=4\r\n"
            "Unbekannt=bleibt\r\n"
            "Comport=COM1\r\n"
            "\r\n"
            "[Farben]\r\n"
            "Group2=5\r\n"
            "Group3=7\r\n"
            "[Profile]\r\n"
            "Profil1=Balkon\r\n"
            "Profil2=Zeile  bruch\r\n");
}

TEST(IniFileRead, ALoneCarriageReturnEndsALineSoValuesReadBackAsSaved) {
  TempFolder folder;
  IniFile ini = loaded(folder, "[Alles]\rComport=COM1\r\r\nZeitzone=2\rCatchPeak=1");
  EXPECT_EQ(ini.value("Alles", "Comport"), "COM1");
  EXPECT_EQ(ini.readInteger("Alles", "Zeitzone", 0), 2);
  EXPECT_TRUE(ini.readFlag("Alles", "CatchPeak", false));

  ini.writeString("Alles", "Comport", *ini.value("Alles", "Comport"));
  ASSERT_TRUE(ini.save(folder.path() / "t.ini"));
  EXPECT_EQ(fileBytes(folder.path() / "t.ini"),
            "[Alles]\r\nComport=COM1\r\n\r\nZeitzone=2\r\nCatchPeak=1\r\n");
}

TEST(IniFileSave, AnyFileKeepsEveryLineWithCrLfEnds) {
  TempFolder folder;
  std::mt19937 random(11);
  const std::string alphabet = std::string("[]= ;\t\r\nAa\xE4\xC4\x81\x9D", 14) + '\0';
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    for (size_t i = random() % 200; i > 0; --i) bytes += alphabet[random() % alphabet.size()];
    // CR LF, LF and a lone CR each end a line.
    std::string expected;
    for (size_t start = 0; start < bytes.size();) {
      const size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
      expected += bytes.substr(start, end - start) + "\r\n";
      start = end + 1;
      if (start < bytes.size() && bytes[end] == '\r' && bytes[start] == '\n') ++start;
    }
    const IniFile ini = loaded(folder, bytes);
    ASSERT_TRUE(ini.save(folder.path() / "t.ini"));
    ASSERT_EQ(fileBytes(folder.path() / "t.ini"), expected);
  }
}

TEST(IniFileSave, ADiskFillingUpDuringTheSaveLeavesTheOldFileWhole) {
  TempFolder folder;
  std::string error;
  const std::string old = "[Alles]\r\nComport=COM7\r\n" + std::string(4000, ';') + "\r\n";
  writeBytes(folder.path() / "t.ini", old);
  IniFile big;
  big.writeString("Alles", "Text", std::string(10000, 'y'));
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 8192;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool saved_ok = big.save(folder.path() / "t.ini", &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(error, "File too large");
  EXPECT_EQ(fileBytes(folder.path() / "t.ini"), old);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "t.ini.tmp"));
}

TEST(IniFileSave, AReadOnlyFolderStillLetsAWritableFileBeRewritten) {
  TempFolder folder;
  const auto locked = folder.path() / "locked";
  std::filesystem::create_directory(locked);
  writeBytes(locked / "offen.ini", "[A]\r\n");
  std::filesystem::permissions(locked / "offen.ini", std::filesystem::perms::all);
  writeBytes(locked / "zu.ini", "[A]\r\nk=alt\r\n");
  std::filesystem::permissions(locked / "zu.ini", std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::group_read |
                                                      std::filesystem::perms::others_read);
  IniFile ini;
  ini.writeString("A", "k", "neu");
  std::string error;
  {
    ScopedReadOnlyFolder readOnly(locked);
    EXPECT_TRUE(ini.save(locked / "offen.ini", &error)) << error;
    EXPECT_FALSE(ini.save(locked / "zu.ini", &error));
    EXPECT_EQ(error, "Permission denied");
  }
  EXPECT_EQ(fileBytes(locked / "offen.ini"), "[A]\r\nk=neu\r\n");
  EXPECT_EQ(fileBytes(locked / "zu.ini"), "[A]\r\nk=alt\r\n");
}

TEST(IniFileSave, KeepsThePermissionsOfTheFile) {
  TempFolder folder;
  const auto file = folder.path() / "t.ini";
  writeBytes(file, "[A]\r\n");
  std::filesystem::permissions(
      file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  IniFile ini;
  ASSERT_TRUE(ini.load(file));
  ini.writeFlag("A", "f", true);
  ASSERT_TRUE(ini.save(file));
  EXPECT_EQ(std::filesystem::status(file).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(fileBytes(file), "[A]\r\nf=1\r\n");
}

// An editor that saves in UTF-8 must not garble the umlauts: such a file is
// read as UTF-8 and saved as UTF-8, a byte order mark kept where it stood.
TEST(IniFileEncoding, AUtf8FileIsReadAndSavedAsUtf8) {
  TempFolder folder;
  const std::string utf8Body = "[Dach]\r\nEmpfänger=Jürgen\r\n";
  for (const std::string& bom : {std::string(), std::string("\xEF\xBB\xBF")}) {
    IniFile ini = loaded(folder, bom + utf8Body);
    EXPECT_EQ(ini.encoding(),
              bom.empty() ? IniFile::Encoding::Utf8 : IniFile::Encoding::Utf8WithBom);
    EXPECT_EQ(ini.readString("DACH", "EMPFÄNGER", ""), "Jürgen");
    ini.writeString("Dach", "Betreff", "Grüße ✓");
    ASSERT_TRUE(ini.save(folder.path() / "t.ini"));
    EXPECT_EQ(fileBytes(folder.path() / "t.ini"), bom + utf8Body + "Betreff=Grüße ✓\r\n");
  }

  // A byte order mark alone makes the file UTF-8, even when all else is ASCII.
  IniFile ascii = loaded(folder, "\xEF\xBB\xBF[A]\r\n");
  ascii.writeString("A", "k", "ä");
  ASSERT_TRUE(ascii.save(folder.path() / "t.ini"));
  EXPECT_EQ(fileBytes(folder.path() / "t.ini"), "\xEF\xBB\xBF[A]\r\nk=\xC3\xA4\r\n");
}

TEST(IniFileEncoding, Windows1252StaysWindows1252) {
  TempFolder folder;
  // Plain ASCII, a lone high byte, and bytes that look like the start of a
  // UTF-8 sequence but are none ("Ã" followed by a blank).
  for (const std::string& body :
       {std::string("[A]\r\nk=v\r\n"), std::string("[A]\r\nEmpf\xE4nger=x\r\n"),
        std::string("[A]\r\nk=\xC3 \xA4\r\n")}) {
    IniFile ini = loaded(folder, body);
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::Cp1252);
    ini.writeString("A", "neu", "ä");
    ASSERT_TRUE(ini.save(folder.path() / "t.ini"));
    EXPECT_EQ(fileBytes(folder.path() / "t.ini"), body + "neu=\xE4\r\n");
  }
  EXPECT_EQ(loaded(folder, "[A]\r\nEmpf\xE4nger=x\r\n").readString("a", "empfänger", ""), "x");
}

}  // namespace
}  // namespace tavik
