// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/upload_config.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(UploadConfig, CwopNeedsACallsignAPositionAServerAndAPasscode) {
  Settings s;
  s.CWOPAktiv = true;
  EXPECT_EQ(cwopConfig(s, "/st/", nullptr).problem, "kein gültiges Rufzeichen (CWOPRufzeichen)");
  s.CWOPRufzeichen = "cw1234";
  CwopConfig c = cwopConfig(s, "/st/", nullptr);
  EXPECT_EQ(c.problem, "");
  EXPECT_EQ(c.target.callsign, "CW1234");
  EXPECT_EQ(c.target.host, "cwop.aprs.net");
  EXPECT_EQ(c.target.port, 14580);
  EXPECT_EQ(c.target.position, "5033.75N/00757.50E");  // the centre of JO30XN
  EXPECT_EQ(c.intervalMinutes, 10);
  s.CWOPRufzeichen = "DL1ABC";
  EXPECT_EQ(cwopConfig(s, "/st/", nullptr).problem,
            "kein Passcode für DL1ABC (CWOPPasscode oder CWOPSchluesselDatei)");
  s.CWOPSchluesselDatei = "passcode";
  EXPECT_EQ(cwopConfig(s, "/st/", nullptr).target.passcodeFile, "/st/passcode");
  s.CWOPPosition = "quer";
  EXPECT_EQ(cwopConfig(s, "/st/", nullptr).problem,
            "keine gültige Position (CWOPPosition oder MyLocator)");
  s.CWOPPosition.clear();
  s.CWOPServer = "cwop.aprs.net";
  EXPECT_EQ(cwopConfig(s, "/st/", nullptr).problem,
            "kein gültiger Server (CWOPServer, Rechner:Port)");
  // Below the least interval the network asks for, the least.
  s.CWOPServer = "[::1]:14580";
  s.CWOPIntervall = 1;
  c = cwopConfig(s, "/st/", nullptr);
  EXPECT_EQ(c.target.host, "::1");
  EXPECT_EQ(c.intervalMinutes, 5);
}

TEST(UploadConfig, WundergroundNeedsAnIdAKeyFileAndAnAddress) {
  Settings s;
  s.WUAktiv = true;
  EXPECT_EQ(wuConfig(s, "/st/", nullptr).problem, "keine Stations-ID (WUStationID)");
  s.WUStationID = "IBERLIN99";
  EXPECT_EQ(wuConfig(s, "/st/", nullptr).problem, "keine Schlüsseldatei (WUSchluesselDatei)");
  s.WUSchluesselDatei = "wu-key";
  const WuConfig c = wuConfig(s, "/st/", nullptr);
  EXPECT_EQ(c.problem, "");
  EXPECT_EQ(c.target.keyFile, "/st/wu-key");
  EXPECT_TRUE(c.target.server.starts_with("https://"));
  s.WUServer = "ftp://example";
  EXPECT_EQ(wuConfig(s, "/st/", nullptr).problem, "keine gültige Adresse (WUServer, https://…)");
}

TEST(UploadConfig, DialogFieldsAreTakenInOrderUntilOneIsRefused) {
  Settings s;
  RecordingNotifier n;
  CwopFields f{.enabled = true,
               .callsign = " dl1abc-13 ",
               .passcode = "-1",
               .keyFile = "passcode",
               .server = "cwop.aprs.net:14580",
               .interval = "10",
               .position = "5030.00n/00800.00e"};
  EXPECT_TRUE(takeOverCwop(f, s, n));
  EXPECT_EQ(s.CWOPRufzeichen, "DL1ABC-13");
  EXPECT_EQ(s.CWOPPosition, "5030.00N/00800.00E");
  EXPECT_EQ(s.CWOPIntervall, 10);
  f.interval = "4";
  f.callsign = "DL2XYZ";
  EXPECT_FALSE(takeOverCwop(f, s, n));
  EXPECT_EQ(s.CWOPRufzeichen, "DL2XYZ");  // taken before the refusal
  EXPECT_EQ(s.CWOPIntervall, 10);
  ASSERT_EQ(n.messages.size(), 1u);
  EXPECT_EQ(n.messages[0].caption, "CWOP");
  f.interval = "5";
  f.passcode = "32768";
  EXPECT_FALSE(takeOverCwop(f, s, n));

  WuFields w{.enabled = true,
             .stationId = "IBERLIN99",
             .keyFile = "wu-key",
             .server = "https://example.org/upload.php",
             .interval = "5"};
  EXPECT_TRUE(takeOverWu(w, s, n));
  EXPECT_EQ(s.WUServer, "https://example.org/upload.php");
  w.stationId = "I&D";
  EXPECT_FALSE(takeOverWu(w, s, n));
  w.stationId = "IBERLIN99";
  w.server = "https://example.org/upload.php?ID=x";
  EXPECT_FALSE(takeOverWu(w, s, n));
  EXPECT_EQ(n.messages.back().caption, "Wunderground");
}

}  // namespace
}  // namespace tavik
