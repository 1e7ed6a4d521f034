// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/product_takeover.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

AprsFields aprsFields() {
  return AprsFields{.timeSource = 0, .folder = "/wx/", .fileName = "aprs.txt", .interval = "7"};
}

AsynopFields asynopFields() {
  return AsynopFields{.folder = "/wx",
                      .fileName = "asynop.txt",
                      .sender = "DL1ABC",
                      .recipient = "WETTER@DB0XYZ",
                      .interval = 1,
                      .lineBelow = "73",
                      .lineAbove = "Daten",
                      .archive = true,
                      .latitude = "506",
                      .longitude = "0079",
                      .quadrant = "3",
                      .weekFolder = true,
                      .monthFolder = true};
}

TEST(ProductPathTest, SplitGivesWhatJoiningTakes) {
  const FolderAndName wx = splitProductPath("/wx/aprs.txt");
  EXPECT_EQ(wx.folder, "/wx/");
  EXPECT_EQ(wx.name, "aprs.txt");
  EXPECT_EQ(splitProductPath("/aprs.txt").folder, "/");
  EXPECT_EQ(splitProductPath("aprs.txt").folder, "");
  EXPECT_EQ(splitProductPath("aprs.txt").name, "aprs.txt");
  EXPECT_EQ(splitProductPath("/wx/").name, "");
}

TEST(AprsTakeoverTest, TakesTimeSourcePathAndInterval) {
  Settings s;
  RecordingNotifier n;
  ASSERT_TRUE(takeOverAprs(aprsFields(), s, n));
  EXPECT_FALSE(s.APRSRechnerZeit);
  EXPECT_EQ(s.APRSDatei, "/wx/aprs.txt");
  EXPECT_EQ(s.APRSIntervall, 7);
  EXPECT_TRUE(n.messages.empty());

  AprsFields f = aprsFields();
  f.folder = "/wx";
  f.timeSource = 1;
  ASSERT_TRUE(takeOverAprs(f, s, n));
  EXPECT_EQ(s.APRSDatei, "/wx/aprs.txt");
  EXPECT_TRUE(s.APRSRechnerZeit);
}

TEST(AprsTakeoverTest, BadIntervalStopsAfterThePath) {
  for (const char* text : {"", "abc", "5 min", "-1", "65536"}) {
    Settings s;
    s.APRSIntervall = 9;
    RecordingNotifier n;
    AprsFields f = aprsFields();
    f.timeSource = 1;
    f.interval = text;
    f.folder = "/neu";
    s.APRSRechnerZeit = false;
    EXPECT_FALSE(takeOverAprs(f, s, n)) << text;
    EXPECT_TRUE(s.APRSRechnerZeit);
    EXPECT_EQ(s.APRSDatei, "/neu/aprs.txt");
    EXPECT_EQ(s.APRSIntervall, 9);
    ASSERT_EQ(n.messages.size(), 1u);
    EXPECT_NE(n.messages[0].text.find(std::string("'") + text + "'"), std::string::npos);
  }
  Settings s;
  RecordingNotifier n;
  AprsFields f = aprsFields();
  f.interval = "abc";
  takeOverAprs(f, s, n);
  EXPECT_EQ(n.messages[0].text, "'abc' ist kein gültiger Integerwert");
  f.interval = "65535";
  EXPECT_TRUE(takeOverAprs(f, s, n));
  EXPECT_EQ(s.APRSIntervall, 65535);
}

TEST(AprsTakeoverTest, EmptyFolderOrUnsafeNameIsRefusedAndStopsThere) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "aprs.txt"}, {"  ", "aprs.txt"}, {"/wx", ""}, {"/wx", "../aprs.txt"}, {"/wx", "a/b"}};
  for (const auto& [folder, name] : cases) {
    Settings s;
    s.APRSDatei = "/alt/aprs.txt";
    s.APRSIntervall = 3;
    s.APRSRechnerZeit = false;
    RecordingNotifier n;
    AprsFields f = aprsFields();
    f.timeSource = 1;
    f.folder = folder;
    f.fileName = name;
    EXPECT_FALSE(takeOverAprs(f, s, n)) << folder << " " << name;
    EXPECT_TRUE(s.APRSRechnerZeit);
    EXPECT_EQ(s.APRSDatei, "/alt/aprs.txt");
    EXPECT_EQ(s.APRSIntervall, 3);
    ASSERT_EQ(n.messages.size(), 1u);
    EXPECT_EQ(n.messages[0].caption, "APRS");
  }
  Settings s;
  RecordingNotifier n;
  AprsFields f = aprsFields();
  f.folder = "";
  takeOverAprs(f, s, n);
  EXPECT_EQ(n.messages[0].text, "Bitte einen Zielordner für die APRS-Datei wählen.");
}

TEST(AsynopTakeoverTest, TakesEveryField) {
  Settings s;
  RecordingNotifier n;
  ASSERT_TRUE(takeOverAsynop(asynopFields(), s, n));
  EXPECT_EQ(s.ASYNOPDatei, "/wx/asynop.txt");
  EXPECT_EQ(s.ASYNOPAbsender, "DL1ABC");
  EXPECT_EQ(s.ASYNOPEmpf, "WETTER@DB0XYZ");
  EXPECT_TRUE(s.ASYNOPIntervall);
  EXPECT_EQ(s.ASYNOPNach, "73");
  EXPECT_EQ(s.ASYNOPVor, "Daten");
  EXPECT_TRUE(s.ASYNOPArchiv);
  EXPECT_EQ(s.ASYNOPLat, "506");
  EXPECT_EQ(s.ASYNOPLong, "0079");
  EXPECT_EQ(s.ASYNOPErdquadrant, 3);
  EXPECT_TRUE(s.ASYNOPWochenordner);
  EXPECT_TRUE(s.ASYNOPMonatsordner);

  AsynopFields f = asynopFields();
  f.interval = -1;
  f.folder = "/wx/";
  ASSERT_TRUE(takeOverAsynop(f, s, n));
  EXPECT_TRUE(s.ASYNOPIntervall);
  EXPECT_EQ(s.ASYNOPDatei, "/wx/asynop.txt");
  f.interval = 0;
  ASSERT_TRUE(takeOverAsynop(f, s, n));
  EXPECT_FALSE(s.ASYNOPIntervall);
  EXPECT_TRUE(n.messages.empty());
}

TEST(AsynopTakeoverTest, BadQuadrantStopsBeforeTheFolderFlags) {
  for (const char* text : {"x", "", "2", "9", "257"}) {
    Settings s;
    RecordingNotifier n;
    AsynopFields f = asynopFields();
    f.quadrant = text;
    EXPECT_FALSE(takeOverAsynop(f, s, n)) << text;
    EXPECT_EQ(s.ASYNOPLong, "0079");  // taken before the quadrant
    EXPECT_EQ(s.ASYNOPErdquadrant, 1);
    EXPECT_FALSE(s.ASYNOPWochenordner);
    EXPECT_FALSE(s.ASYNOPMonatsordner);
    ASSERT_EQ(n.messages.size(), 1u);
  }
}

TEST(AsynopTakeoverTest, EmptyFolderChangesNothing) {
  Settings s;
  const Settings before = s;
  RecordingNotifier n;
  AsynopFields f = asynopFields();
  f.folder = "";
  EXPECT_FALSE(takeOverAsynop(f, s, n));
  EXPECT_EQ(s.ASYNOPDatei, before.ASYNOPDatei);
  EXPECT_EQ(s.ASYNOPAbsender, before.ASYNOPAbsender);
  ASSERT_EQ(n.messages.size(), 1u);
  EXPECT_EQ(n.messages[0].text, "Bitte einen Zielordner für die ASYNOP-Datei wählen.");
  EXPECT_EQ(n.messages[0].caption, "ASYNOP");
}

}  // namespace
}  // namespace tavik
