// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profiles.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

ProfileTable tableOf(std::initializer_list<const char*> names) {
  ProfileTable t;
  for (const char* n : names) {
    EXPECT_TRUE(addProfile(t, n));
    t[t.maxprofil].Betreff = std::string("Betreff ") + n;
    t[t.maxprofil].WieWinGT = true;
  }
  return t;
}

TEST(Profiles, DeletingRenumbersAndEmptiesTheLastSlot) {
  ProfileTable t = tableOf({"Balkon", "Garten", "Dach"});
  ASSERT_TRUE(deleteProfile(t, 2));
  EXPECT_EQ(t.maxprofil, 2);
  EXPECT_EQ(t[1].name, "Balkon");
  EXPECT_EQ(t[2].name, "Dach");
  EXPECT_EQ(t[2].Betreff, "Betreff Dach");
  EXPECT_EQ(t[3], ProfileEntry{});

  ASSERT_TRUE(addProfile(t, "Neu"));
  EXPECT_EQ(t[3].name, "Neu");
  EXPECT_EQ(t[3].Betreff, "");
  EXPECT_FALSE(t[3].WieWinGT);
}

TEST(Profiles, DeleteOutsideTheTableChangesNothing) {
  ProfileTable t = tableOf({"A"});
  const ProfileTable before = t;
  EXPECT_FALSE(deleteProfile(t, 0));
  EXPECT_FALSE(deleteProfile(t, 2));
  EXPECT_EQ(t.maxprofil, before.maxprofil);
  EXPECT_EQ(t.slots, before.slots);
  ASSERT_TRUE(deleteProfile(t, 1));
  EXPECT_EQ(t.maxprofil, 0);
  EXPECT_EQ(t[1], ProfileEntry{});
}

TEST(Profiles, TheTableRefusesAHundredAndFirst) {
  ProfileTable t;
  for (int i = 1; i <= kMaxProfiles; ++i) ASSERT_TRUE(addProfile(t, "P" + std::to_string(i)));
  EXPECT_FALSE(addProfile(t, "zuviel"));
  EXPECT_EQ(t.maxprofil, 100);
  EXPECT_EQ(t[100].name, "P100");
  ASSERT_TRUE(deleteProfile(t, 100));
  EXPECT_EQ(t[100], ProfileEntry{});
}

TEST(Profiles, ClearingUnusedSlotsRestoresTheInvariant) {
  ProfileTable t = tableOf({"A", "B", "C"});
  t.maxprofil = 1;
  clearUnusedSlots(t);
  EXPECT_EQ(t[1].name, "A");
  EXPECT_EQ(t[2], ProfileEntry{});
  EXPECT_EQ(t[3], ProfileEntry{});
  t.maxprofil = 200;
  clearUnusedSlots(t);
  EXPECT_EQ(t.maxprofil, 100);
}

TEST(Profiles, PlainNames) {
  for (const char* good : {"Balkon", "DL0ABC-2", "Müller", "a.b", "x y", "[Dach", "€"}) {
    EXPECT_TRUE(isPlainProfileName(good)) << good;
  }
  for (const char* bad : {"", ".", "..", "a]b", "a/b", "a\\b", "a\tb", "a\rb", " Balkon", "Balkon ",
                          "Ω", "\xC3", "a\x7F", "a\u0081"}) {
    EXPECT_FALSE(isPlainProfileName(bad)) << bad;
  }
}

}  // namespace
}  // namespace tavik
