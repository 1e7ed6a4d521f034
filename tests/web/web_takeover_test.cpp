// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_takeover.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(WebTakeover, TakesFolderIntervalAndTitle) {
  Settings s;
  RecordingNotifier n;
  EXPECT_TRUE(takeOverWeb({"/srv/www/", "15", "Garten <Nord>", ""}, s, n));
  EXPECT_EQ(s.WebOrdner, "/srv/www/");
  EXPECT_EQ(s.WebIntervall, 15);
  EXPECT_EQ(s.WebTitel, "Garten <Nord>");
  EXPECT_TRUE(takeOverWeb({"/srv/www/", "0", "  ", ""}, s, n));
  EXPECT_EQ(s.WebIntervall, 0);
  EXPECT_EQ(s.WebTitel, "Wetterstation");
  EXPECT_TRUE(n.messages.empty());
}

TEST(WebTakeover, TheHeightIsWholeMetresOrEmpty) {
  Settings s;
  RecordingNotifier n;
  EXPECT_TRUE(takeOverWeb({"/w/", "5", "T", " 034"}, s, n));
  EXPECT_EQ(s.Hoehe, "34");
  EXPECT_TRUE(takeOverWeb({"/w/", "5", "T", "-12"}, s, n));
  EXPECT_EQ(s.Hoehe, "-12");
  EXPECT_TRUE(takeOverWeb({"/w/", "5", "T", "  "}, s, n));
  EXPECT_EQ(s.Hoehe, "");
  EXPECT_TRUE(n.messages.empty());
  s.Hoehe = "100";
  EXPECT_FALSE(takeOverWeb({"/w/", "5", "T", "12,5"}, s, n));
  EXPECT_FALSE(takeOverWeb({"/w/", "5", "T", "9001"}, s, n));
  EXPECT_EQ(s.Hoehe, "100");
  ASSERT_EQ(n.messages.size(), 2u);
  EXPECT_EQ(n.messages[0].text, "'12,5' ist kein gültiger Integerwert");
  EXPECT_EQ(n.messages[1].text, "'9001' liegt nicht zwischen -500 und 9000 Metern");
}

TEST(WebTakeover, AFieldThatCannotBeTakenStopsTheRuleThere) {
  struct Case {
    WebFields fields;
    std::string folder;
    int interval;
    const char* message;
  };
  const Case cases[] = {
      {{" ", "7", "T", ""}, "/alt/", 5, "Bitte einen Zielordner für die Webseite wählen."},
      {{"/neu/", "sieben", "T", ""}, "/neu/", 5, "'sieben' ist kein gültiger Integerwert"},
      {{"/neu/", "-1", "T", ""}, "/neu/", 5, "'-1' liegt nicht zwischen 0 und 65535 Minuten"},
      {{"/neu/", "65536", "T", ""}, "/neu/", 5, "'65536' liegt nicht zwischen 0 und 65535 Minuten"},
  };
  for (const Case& c : cases) {
    Settings s;
    s.WebOrdner = "/alt/";
    RecordingNotifier n;
    EXPECT_FALSE(takeOverWeb(c.fields, s, n));
    EXPECT_EQ(s.WebOrdner, c.folder);
    EXPECT_EQ(s.WebIntervall, c.interval);
    EXPECT_EQ(s.WebTitel, "Wetterstation");
    ASSERT_EQ(n.messages.size(), 1u);
    EXPECT_EQ(n.messages[0].text, c.message);
  }
}

}  // namespace
}  // namespace tavik
