// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using tavik::testing::fileBytes;
using tavik::testing::ScopedReadOnlyFolder;
using tavik::testing::TempFolder;
using tavik::testing::writeBytes;

// Every key, in the order and spelling in which the settings are saved, with
// values other than the defaults.
const char* const kFullFile =
    "[Alles]\r\n"
    "Comport=/dev/ttyUSB0\r\n"
    "WinGTImport=/srv/wingt/import\r\n"
    "WinGTRead=/srv/wingt/read\r\n"
    "MyLocator=JO62QM\r\n"
    "APRSDatei=/srv/aprs/wx.txt\r\n"
    "ImportInterval=120000\r\n"
    "ReadInterval=60000\r\n"
    "APRSIntervall=10\r\n"
    "Zeitzone=-5\r\n"
    "ZeitzoneIndex=6\r\n"
    "CatchPeak=1\r\n"
    "ActiveAtStratup=1\r\n"
    "NormalRegen=0\r\n"
    "APRSRechnerZeit=0\r\n"
    "autoImport=0\r\n"
    "autoRead=0\r\n"
    "autoLog=0\r\n"
    "autoAPRS=0\r\n"
    "EOFKennung=1\r\n"
    "MaxProfil=2\r\n"
    "APRSZeilenende=LF\r\n"
    "[Wetterlog]\r\n"
    "LogUpdate=2\r\n"
    "LogWochenordner=1\r\n"
    "LogMonatsordner=1\r\n"
    "LogUnterordner=1\r\n"
    "LogInterval=900000\r\n"
    "LogOrdner=/srv/log\r\n"
    "[ASYNOP]\r\n"
    "ASYNOPArchiv=1\r\n"
    "ASYNOPIntervall=1\r\n"
    "ASYNOPMonatsordner=1\r\n"
    "ASYNOPWochenordner=1\r\n"
    "ASYNOPErdquadrant=7\r\n"
    "ASYNOPDatei=/srv/asynop/a.txt\r\n"
    "ASYNOPAbsender=DL1ABC\r\n"
    "ASYNOPEmpf=WX@DB0XYZ\r\n"
    "ASYNOPvor=Wetter aus M\xFCnchen\r\n"
    "ASYNOPnach=73 de DL1ABC\r\n"
    "ASYNOPLat=481\r\n"
    "ASYNOPLong=0115\r\n"
    "[Fenster]\r\n"
    "Links=-12\r\n"
    "Oben=40\r\n"
    "Breite=1600\r\n"
    "Hoehe=1000\r\n"
    "Verlauf=12\r\n"
    "Maximiert=0\r\n"
    "[Farben]\r\n"
    "Group2=255\r\n"
    "Group3=-2147483633\r\n"
    "Group4=65280\r\n"
    "Group5=-2147483643\r\n"
    "Group6=16711680\r\n"
    "Group7=0\r\n"
    "Group8=1\r\n"
    "Group9=2\r\n"
    "Group10=3\r\n"
    "Group11=16777215\r\n"
    "[Schriften]\r\n"
    "Group2Size=8\r\n"
    "Group3Size=9\r\n"
    "Group4Size=10\r\n"
    "Group5Size=11\r\n"
    "Group6Size=12\r\n"
    "Group7Size=13\r\n"
    "Group8Size=14\r\n"
    "Group9Size=15\r\n"
    "Group10Size=16\r\n"
    "Group11Size=17\r\n"
    "Group2Color=8\r\n"
    "Group3Color=0\r\n"
    "Group4Color=255\r\n"
    "Group5Color=-2147483640\r\n"
    "Group6Color=4\r\n"
    "Group7Color=5\r\n"
    "Group8Color=6\r\n"
    "Group9Color=7\r\n"
    "Group10Color=9\r\n"
    "Group11Color=10\r\n"
    "[MQTT]\r\n"
    "MQTTServer=broker.lan:1884\r\n"
    "MQTTBenutzer=wetter\r\n"
    "MQTTPasswortDatei=mqtt-passwort\r\n"
    "MQTTTLS=1\r\n"
    "MQTTCADatei=/etc/ssl/certs/ca.pem\r\n"
    "MQTTThema=haus/wetter\r\n"
    "MQTTIntervall=0\r\n"
    "[CWOP]\r\n"
    "CWOPAktiv=1\r\n"
    "CWOPRufzeichen=DL1ABC-13\r\n"
    "CWOPPasscode=-1\r\n"
    "CWOPSchluesselDatei=cwop-passcode\r\n"
    "CWOPServer=rotate.aprs2.net:14580\r\n"
    "CWOPIntervall=15\r\n"
    "CWOPPosition=4807.50N/01134.00E\r\n"
    "[Wunderground]\r\n"
    "WUAktiv=1\r\n"
    "WUStationID=IMUNCH99\r\n"
    "WUSchluesselDatei=wu-schluessel\r\n"
    "WUServer=https://example.org/upload.php\r\n"
    "WUIntervall=2\r\n"
    "[Web]\r\n"
    "WebOrdner=/srv/www/wetter\r\n"
    "WebIntervall=10\r\n"
    "WebTitel=Wetter in M\xFCnchen <Balkon>\r\n"
    "Hoehe=412\r\n"
    "[Archiv]\r\n"
    "ArchivDatei=/srv/wetter/archiv.sqlite\r\n"
    "ArchivIntervall=5\r\n"
    "ArchivAktiv=0\r\n"
    "[Profile]\r\n"
    "Profil1=Balkon\r\n"
    "Profil2=Garten\r\n"
    "[Balkon]\r\n"
    "Empf\xE4nger=WX@DB0XYZ\r\n"
    "Absender=DL1ABC\r\n"
    "Betreff=Wetter vom Balkon\r\n"
    "VOR=\"Guten Tag,\",alle\r\n"
    "NACH=73\r\n"
    "WieWinGT=1\r\n"
    "Uhrzeit=16:57\r\n"
    "[Garten]\r\n"
    "Empf\xE4nger=ALLE\r\n"
    "Absender=DL2XYZ\r\n"
    "Betreff=Garten\r\n"
    "VOR=nix\r\n"
    "NACH=\"\"\r\n"
    "WieWinGT=0\r\n"
    "Uhrzeit=07:30\r\n";

struct Loaded {
  Settings settings;
  ProfileTable profiles;
  RecordingNotifier notifier;
  int activations = 0;
};

class SettingsFile : public ::testing::Test {
 protected:
  std::string iniPath() const { return folder.dir() + "tavout.ini"; }
  void writeIni(const std::string& bytes) const { writeBytes(iniPath(), bytes); }
  void load(Loaded& out) {
    loadSettings(
        folder.dir(), out.settings, out.profiles, [&] { ++out.activations; }, out.notifier);
  }
  TempFolder folder;
};

TEST_F(SettingsFile, WithoutAFileEverySettingHasItsDefault) {
  Loaded l;
  load(l);
  const Settings& s = l.settings;
  const std::string dir = folder.dir();
  EXPECT_EQ(s.Comport, "COM2");
  EXPECT_EQ(s.WinGTImport, dir);
  EXPECT_EQ(s.WinGTRead, dir);
  EXPECT_EQ(s.LogOrdner, dir);
  EXPECT_EQ(s.APRSDatei, dir + "aprs.txt");
  EXPECT_EQ(s.ASYNOPDatei, dir + "asynop.txt");
  EXPECT_EQ(s.WebOrdner, dir + "web");
  EXPECT_EQ(s.WebIntervall, 5);
  EXPECT_EQ(s.WebTitel, "Wetterstation");
  EXPECT_EQ(s.ArchivDatei, dir + "archive.sqlite");
  EXPECT_EQ(s.ArchivIntervall, 1);
  EXPECT_TRUE(s.ArchivAktiv);
  EXPECT_EQ(s.Hoehe, "");
  EXPECT_EQ(s.MyLocator, "JO30XN");
  EXPECT_EQ(s.ReadInterval, 0);
  EXPECT_EQ(s.ImportInterval, 0);
  EXPECT_EQ(s.LogInterval, 0);
  EXPECT_EQ(s.APRSIntervall, 1);
  EXPECT_EQ(s.Zeitzone, 1);
  EXPECT_EQ(s.ZeitzoneIndex, 11);
  EXPECT_TRUE(s.autoImport && s.autoRead && s.autoLog && s.autoAPRS);
  EXPECT_TRUE(s.NormalRegen && s.APRSRechnerZeit);
  EXPECT_FALSE(s.CatchPeak || s.EOFKennung || s.LogMonatsordner || s.LogWochenordner ||
               s.LogUnterordner || s.ASYNOPArchiv || s.ASYNOPIntervall || s.ASYNOPMonatsordner ||
               s.ASYNOPWochenordner);
  EXPECT_EQ(s.LogUpdate, 0);
  EXPECT_EQ(s.ASYNOPErdquadrant, 1);
  EXPECT_EQ(s.ASYNOPAbsender, "ZZ9ZZ");
  EXPECT_EQ(s.ASYNOPEmpf, "ASYNOP@DL");
  EXPECT_EQ(s.ASYNOPVor, "Wetterdaten WMR918");
  EXPECT_EQ(s.ASYNOPNach, "");
  EXPECT_EQ(s.ASYNOPLat, "505");
  EXPECT_EQ(s.ASYNOPLong, "080");
  for (size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(s.groupColor[i], -2147483633);
    EXPECT_EQ(s.groupFontSize[i], 8);
    EXPECT_EQ(s.groupFontColor[i], 8);
  }
  EXPECT_TRUE(s.MQTTServer.empty() && s.MQTTThema.empty() && s.MQTTPasswortDatei.empty());
  EXPECT_FALSE(s.MQTTTLS);
  EXPECT_EQ(s.MQTTIntervall, 60);
  EXPECT_EQ(l.profiles.maxprofil, 0);
  EXPECT_EQ(l.activations, 0);
  EXPECT_TRUE(l.notifier.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(iniPath()));
}

TEST_F(SettingsFile, AFileWithEveryKeyLoadsAndSavesByteForByte) {
  writeIni(kFullFile);
  Loaded l;
  load(l);
  EXPECT_EQ(l.activations, 1);
  EXPECT_EQ(l.settings.Comport, "/dev/ttyUSB0");
  EXPECT_EQ(l.settings.Zeitzone, -5);
  EXPECT_EQ(l.settings.APRSZeilenende, "LF");
  EXPECT_EQ(l.settings.ASYNOPVor, "Wetter aus München");
  EXPECT_EQ(l.settings.groupColor[1], -2147483633);
  EXPECT_EQ(l.settings.groupFontColor[3], -2147483640);
  EXPECT_EQ(l.settings.WebOrdner, "/srv/www/wetter");
  EXPECT_EQ(l.settings.WebIntervall, 10);
  EXPECT_EQ(l.settings.WebTitel, "Wetter in München <Balkon>");
  EXPECT_EQ(l.settings.ArchivDatei, "/srv/wetter/archiv.sqlite");
  EXPECT_EQ(l.settings.ArchivIntervall, 5);
  EXPECT_FALSE(l.settings.ArchivAktiv);
  EXPECT_EQ(l.settings.Hoehe, "412");
  EXPECT_EQ(l.settings.WindowHeight, 1000);
  ASSERT_EQ(l.profiles.maxprofil, 2);
  EXPECT_EQ(l.profiles[1].Empfaenger, "WX@DB0XYZ");
  EXPECT_EQ(l.profiles[1].VOR, "\"Guten Tag,\",alle");
  EXPECT_TRUE(l.profiles[1].WieWinGT);
  EXPECT_EQ(l.profiles[2].NACH, "\"\"");
  EXPECT_FALSE(l.profiles[2].WieWinGT);
  EXPECT_EQ(l.profiles[2].Uhrzeit, "07:30");
  EXPECT_EQ(l.settings.MQTTServer, "broker.lan:1884");
  EXPECT_EQ(l.settings.MQTTPasswortDatei, "mqtt-passwort");
  EXPECT_TRUE(l.settings.MQTTTLS);
  EXPECT_EQ(l.settings.MQTTIntervall, 0);
  EXPECT_TRUE(l.settings.CWOPAktiv);
  EXPECT_EQ(l.settings.CWOPPasscode, -1);
  EXPECT_EQ(l.settings.CWOPIntervall, 15);
  EXPECT_EQ(l.settings.CWOPPosition, "4807.50N/01134.00E");
  EXPECT_EQ(l.settings.WUSchluesselDatei, "wu-schluessel");
  EXPECT_EQ(l.settings.WUIntervall, 2);
  EXPECT_EQ(l.settings.WindowLeft, -12);
  EXPECT_EQ(l.settings.WindowHeight, 1000);
  EXPECT_EQ(l.settings.ChartHours, 12);

  std::filesystem::remove(iniPath());
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, true, l.notifier));
  EXPECT_EQ(fileBytes(iniPath()), kFullFile);
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, true, l.notifier));
  EXPECT_EQ(fileBytes(iniPath()), kFullFile);
  EXPECT_TRUE(l.notifier.messages.empty());
}

TEST_F(SettingsFile, TheReadSpellingsFindTheWrittenKeysAndAreReplacedByThem) {
  std::string file = kFullFile;
  for (const auto& [written, other] :
       {std::pair{"MaxProfil=", "maxprofil="}, std::pair{"ASYNOPvor=", "ASYNOPVor="},
        std::pair{"ASYNOPnach=", "ASYNOPNach="}, std::pair{"MQTTCADatei=", "MQTTCAFile="}}) {
    file.replace(file.find(written), std::string(written).size(), other);
  }
  writeIni(file);
  Loaded l;
  load(l);
  EXPECT_EQ(l.profiles.maxprofil, 2);
  EXPECT_EQ(l.settings.ASYNOPNach, "73 de DL1ABC");
  EXPECT_EQ(l.settings.MQTTCADatei, "/etc/ssl/certs/ca.pem") << "the former name is still read";
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, true, l.notifier));
  EXPECT_EQ(fileBytes(iniPath()), kFullFile);

  // Where both names stand, the new one counts and the former line goes.
  file = kFullFile;
  file.insert(file.find("MQTTThema="), "MQTTCAFile=/alt.pem\r\n");
  writeIni(file);
  Loaded both;
  load(both);
  EXPECT_EQ(both.settings.MQTTCADatei, "/etc/ssl/certs/ca.pem");
  ASSERT_TRUE(saveSettings(folder.dir(), both.settings, both.profiles, true, both.notifier));
  EXPECT_EQ(fileBytes(iniPath()), kFullFile);
}

TEST_F(SettingsFile, HandEditedLinesSurviveASave) {
  writeIni(
      "; Einstellungen von Hand\r\n"
      "\r\n"
      "[alles]\r\n"
      "comport = COM1\r\n"
      "Fremd=bleibt\r\n"
      "importinterval=0x1D4C0\r\n"
      "readinterval=2 min\r\n"
      "maxprofil=300\r\n"
      "\r\n"
      "[Eigenes]\r\n"
      "x=1\r\n");
  Loaded l;
  load(l);
  EXPECT_EQ(l.settings.Comport, "COM1");
  EXPECT_EQ(l.settings.ImportInterval, 120000);
  EXPECT_EQ(l.settings.ReadInterval, 0);
  EXPECT_EQ(l.profiles.maxprofil, 44);
  for (int n = 1; n <= 44; ++n) EXPECT_EQ(l.profiles[n], ProfileEntry{});

  l.profiles.maxprofil = 0;
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
  const std::string saved = fileBytes(iniPath());
  EXPECT_EQ(saved.substr(0, saved.find("Comport")), "; Einstellungen von Hand\r\n\r\n[alles]\r\n");
  EXPECT_NE(saved.find("Comport=COM1\r\nFremd=bleibt\r\nImportInterval=120000\r\n"
                       "ReadInterval=0\r\nMaxProfil=0\r\nWinGTImport="),
            std::string::npos);
  EXPECT_NE(
      saved.find("EOFKennung=0\r\nAPRSZeilenende=CRLF\r\n\r\n[Eigenes]\r\nx=1\r\n[Wetterlog]\r\n"),
      std::string::npos);
}

// A number of minutes is never negative: an interval above 32767 stays what
// the user wrote and is saved so; beyond 16 bits only the low bits remain.
TEST_F(SettingsFile, TheAprsIntervalIsAnUnsignedSixteenBitNumber) {
  for (const auto& [written, read] :
       {std::pair{"40000", 40000}, std::pair{"65535", 65535}, std::pair{"65537", 1}}) {
    writeIni(std::string("[Alles]\r\nAPRSIntervall=") + written + "\r\n");
    Loaded l;
    load(l);
    EXPECT_EQ(l.settings.APRSIntervall, read) << written;
    ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
    EXPECT_NE(fileBytes(iniPath()).find("APRSIntervall=" + std::to_string(read) + "\r\n"),
              std::string::npos)
        << written;
  }
}

TEST_F(SettingsFile, ACountAboveTheTableIsCutToItsSize) {
  std::string file = "[Alles]\r\nMaxProfil=200\r\n[Profile]\r\n";
  for (int n = 1; n <= 200; ++n)
    file += "Profil" + std::to_string(n) + "=P" + std::to_string(n) + "\r\n";
  writeIni(file);
  Loaded l;
  load(l);
  EXPECT_EQ(l.profiles.maxprofil, 100);
  EXPECT_EQ(l.profiles[100].name, "P100");
  EXPECT_EQ(l.profiles[100].VOR, "nix");
  EXPECT_EQ(l.profiles[100].Uhrzeit, "16:57");
  EXPECT_TRUE(l.profiles[100].WieWinGT);
}

TEST_F(SettingsFile, ProfilesSharingANameShareASection) {
  Loaded l;
  addProfile(l.profiles, "Balkon");
  l.profiles[1].Betreff = "erster";
  addProfile(l.profiles, "Balkon");
  l.profiles[2].Betreff = "zweiter";
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
  const std::string saved = fileBytes(iniPath());
  EXPECT_NE(saved.find("[Profile]\r\nProfil1=Balkon\r\nProfil2=Balkon\r\n[Balkon]\r\n"
                       "Empf\xE4nger=\r\nAbsender=\r\nBetreff=zweiter\r\nVOR=\r\nNACH=\r\n"
                       "WieWinGT=0\r\nUhrzeit=\r\n"),
            std::string::npos);
  Loaded again;
  load(again);
  ASSERT_EQ(again.profiles.maxprofil, 2);
  EXPECT_EQ(again.profiles[1].Betreff, "zweiter");
  EXPECT_EQ(again.profiles[2].Betreff, "zweiter");
}

TEST_F(SettingsFile, AMissingProfileKeyLeavesItsEntryEmpty) {
  writeIni(
      "[Alles]\r\nMaxProfil=3\r\n"
      "[Profile]\r\nProfil1=Balkon\r\nPROFIL3=Dach\r\n"
      "[Dach]\r\nBetreff=oben\r\n");
  Loaded l;
  load(l);
  EXPECT_EQ(l.profiles.maxprofil, 3);
  EXPECT_EQ(l.profiles[1].name, "Balkon");
  EXPECT_EQ(l.profiles[1].VOR, "nix");
  EXPECT_EQ(l.profiles[2], ProfileEntry{});
  EXPECT_EQ(l.profiles[3].Betreff, "oben");
  EXPECT_TRUE(l.notifier.messages.empty());
}

TEST_F(SettingsFile, WithoutProfileKeysTheTableIsLeftAlone) {
  writeIni("[Alles]\r\nMaxProfil=2\r\n[Profile]\r\n; leer\r\n");
  Loaded l;
  addProfile(l.profiles, "vorher");
  addProfile(l.profiles, "auch");
  addProfile(l.profiles, "zuviel");
  load(l);
  EXPECT_EQ(l.profiles.maxprofil, 2);
  EXPECT_EQ(l.profiles[1].name, "vorher");
  EXPECT_EQ(l.profiles[3], ProfileEntry{});
}

TEST_F(SettingsFile, UnusableProfileNamesAreSkippedWithAMessage) {
  writeIni(
      "[Alles]\r\nMaxProfil=4\r\n"
      "[Profile]\r\nProfil1=../etc\r\nProfil2=Balkon\r\nProfil3=\r\nProfil4=a]b\r\n"
      "[../etc]\r\nBetreff=nein\r\n");
  Loaded l;
  load(l);
  EXPECT_EQ(l.profiles.maxprofil, 4);
  EXPECT_EQ(l.profiles[1], ProfileEntry{});
  EXPECT_EQ(l.profiles[2].name, "Balkon");
  EXPECT_EQ(l.profiles[3], ProfileEntry{});
  EXPECT_EQ(l.profiles[4], ProfileEntry{});
  ASSERT_EQ(l.notifier.messages.size(), 3u);
  EXPECT_EQ(l.notifier.messages[0].text,
            "Profil 1 heißt \"../etc\". Dieser Name taugt nicht als Dateiname und Abschnitt in "
            "tavout.ini, daher bleibt das Profil leer.");
  EXPECT_EQ(l.notifier.messages[1].text, "Profil 3 hat keinen Namen und bleibt leer.");
  EXPECT_EQ(l.notifier.messages[0].caption, "Profile");

  // Saved, a refused entry stays as the user wrote it, with its section, and
  // an empty one keeps its number but gets no section.
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
  const std::string saved = fileBytes(iniPath());
  EXPECT_NE(saved.find("[Profile]\r\nProfil1=../etc\r\nProfil2=Balkon\r\nProfil3=\r\n"
                       "Profil4=a]b\r\n[../etc]\r\nBetreff=nein\r\n[Wetterlog]"),
            std::string::npos);
  EXPECT_EQ(saved.find("[]"), std::string::npos);
  EXPECT_EQ(saved.find("[a]b]"), std::string::npos);

  // Read again, the entries are refused again and stay unused.
  Loaded again;
  load(again);
  EXPECT_EQ(again.profiles[1], ProfileEntry{});
  EXPECT_EQ(again.profiles[4], ProfileEntry{});
  EXPECT_EQ(again.notifier.messages.size(), 3u);
}

TEST_F(SettingsFile, ARefusedEntryMovesWithItsNumberAndGoesWhenDeleted) {
  writeIni(
      "[Alles]\r\nMaxProfil=3\r\n"
      "[Profile]\r\nProfil1=Balkon\r\nProfil2 = a]b \r\nProfil3=Dach\r\n");
  Loaded l;
  load(l);
  ASSERT_EQ(l.profiles.refusedName(2), "a]b");
  // Untouched where it still stands at its number: its line keeps its blanks.
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
  EXPECT_NE(fileBytes(iniPath()).find("Profil2 = a]b \r\n"), std::string::npos);

  ASSERT_TRUE(deleteProfile(l.profiles, 1));
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
  EXPECT_NE(fileBytes(iniPath()).find("Profil1=a]b\r\nProfil2=Dach\r\nProfil3=Dach\r\n"),
            std::string::npos);
  ASSERT_TRUE(deleteProfile(l.profiles, 1));
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
  EXPECT_NE(fileBytes(iniPath()).find("MaxProfil=1\r\n"), std::string::npos);
  EXPECT_NE(fileBytes(iniPath()).find("Profil1=Dach\r\n"), std::string::npos);
  EXPECT_TRUE(l.profiles.refusedName(1).empty());
}

TEST_F(SettingsFile, ActivationRunsAfterTheKeysOfAlles) {
  writeIni(
      "[Alles]\r\nActiveAtStratup=1\r\nImportInterval=60000\r\nautoAPRS=0\r\n"
      "[Wetterlog]\r\nLogInterval=0\r\n[ASYNOP]\r\nASYNOPAbsender=DL1ABC\r\n");
  Settings s;
  ProfileTable profiles;
  RecordingNotifier notifier;
  Settings seen;
  int calls = 0;
  loadSettings(
      folder.dir(), s, profiles,
      [&] {
        seen = s;
        ++calls;
      },
      notifier);
  ASSERT_EQ(calls, 1);
  EXPECT_EQ(seen.ImportInterval, 60000);
  EXPECT_FALSE(seen.autoAPRS);
  EXPECT_EQ(seen.LogInterval, 600000);  // still the period at creation
  EXPECT_EQ(seen.ASYNOPAbsender, "ZZ9ZZ");
  EXPECT_EQ(s.LogInterval, 0);
  EXPECT_EQ(s.ASYNOPAbsender, "DL1ABC");

  writeIni("[Alles]\r\nActiveAtStratup=0x0\r\n");
  loadSettings(
      folder.dir(), s, profiles, [&] { ++calls; }, notifier);
  EXPECT_EQ(calls, 1);
}

TEST_F(SettingsFile, EveryHighByteAndLongTextsSurvive) {
  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
  const std::string longVor(5000, 'v');
  const std::string file =
      "[Alles]\r\nMaxProfil=1\r\n[Profile]\r\nProfil1=M\xFCller\r\n[M\xDCLLER]\r\n"
      "Empf\xC4NGER=" +
      high + "\r\nVOR=" + longVor + "\r\n";
  writeIni(file);
  Loaded l;
  load(l);
  ASSERT_EQ(l.profiles[1].name, "Müller");
  EXPECT_EQ(l.profiles[1].VOR, longVor);
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
  const std::string saved = fileBytes(iniPath());
  EXPECT_NE(saved.find("[M\xDCLLER]\r\nEmpf\xE4nger=" + high + "\r\nVOR=" + longVor + "\r\n"),
            std::string::npos);
}

TEST_F(SettingsFile, AFailedSaveReportsThePathAndKeepsTheFile) {
  writeIni(kFullFile);
  std::filesystem::permissions(iniPath(), std::filesystem::perms::owner_read |
                                              std::filesystem::perms::group_read |
                                              std::filesystem::perms::others_read);
  Loaded l;
  load(l);
  l.settings.Comport = "COM9";
  bool ok = true;
  {
    ScopedReadOnlyFolder readOnly(folder.path());
    ok = saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier);
  }
  EXPECT_FALSE(ok);
  ASSERT_EQ(l.notifier.messages.size(), 1u);
  EXPECT_EQ(l.notifier.messages[0].text, "In " + iniPath() + " kann nicht geschrieben werden");
  EXPECT_EQ(fileBytes(iniPath()), kFullFile);

  TempFolder empty;
  const std::string missing = empty.dir() + "fehlt/";
  EXPECT_FALSE(saveSettings(missing, l.settings, l.profiles, false, l.notifier));
  EXPECT_EQ(l.notifier.messages.back().text,
            "In " + missing + "tavout.ini kann nicht geschrieben werden");
}

TEST_F(SettingsFile, AnUnreadableFileIsReportedAndNotOverwritten) {
  std::filesystem::create_directory(iniPath());
  Loaded l;
  load(l);
  ASSERT_EQ(l.notifier.messages.size(), 1u);
  EXPECT_EQ(l.notifier.messages[0].text,
            iniPath() +
                " kann nicht gelesen werden (ein Ordner, keine Datei). Es gelten die "
                "Voreinstellungen.");
  EXPECT_EQ(l.settings.Comport, "COM2");
  EXPECT_FALSE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
  EXPECT_TRUE(std::filesystem::is_directory(iniPath()));
}

// A file the user may not read is not taken and the settings stay. (For
// root, the reading is done as the user nobody, who the bits keep out.)
TEST(LoadSoundSettingsTest, AnUnreadableFileIsNotTakenAndSaysWhy) {
  TempFolder folder;
  const auto ini = folder.path() / "tavout.ini";
  writeBytes(ini, "[Alles]\r\nComport=COM3\r\n");
  ASSERT_EQ(::chmod(ini.c_str(), 0), 0);
  Settings s;
  s.Comport = "/dev/ttyUSB7";
  ProfileTable profiles;
  RecordingNotifier notifier;
  std::string refusal;
  {
    ScopedReadOnlyFolder asOther(folder.path());
    refusal = loadSoundSettings(folder.dir(), s, profiles, notifier);
  }
  EXPECT_EQ(refusal, ini.string() + " kann nicht gelesen werden (Permission denied).");
  EXPECT_EQ(s.Comport, "/dev/ttyUSB7");
  EXPECT_TRUE(notifier.messages.empty());

  ASSERT_EQ(::chmod(ini.c_str(), 0600), 0);
  EXPECT_EQ(loadSoundSettings(folder.dir(), s, profiles, notifier), "");
  EXPECT_EQ(s.Comport, "COM3");
}

}  // namespace
}  // namespace tavik
