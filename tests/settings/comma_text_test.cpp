// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/comma_text.h"

#include <gtest/gtest.h>

#include <random>

namespace tavik {
namespace {

using Lines = std::vector<std::string>;

TEST(CommaText, QuotesOnlyTheLinesThatNeedIt) {
  EXPECT_EQ(writeCommaText({"Hallo Welt", "Gruss"}), "\"Hallo Welt\",Gruss");
  EXPECT_EQ(readCommaText("\"Hallo Welt\",Gruss"), (Lines{"Hallo Welt", "Gruss"}));
  EXPECT_EQ(readCommaText("Hallo Welt,Gruss"), (Lines{"Hallo", "Welt", "Gruss"}));
  EXPECT_EQ(writeCommaText({"er sagte \"ja\"", "a,b", "\tTab"}),
            "\"er sagte \"\"ja\"\"\",\"a,b\",\"\tTab\"");
  EXPECT_EQ(writeCommaText({"Grüße", "73!"}), "Grüße,73!");
}

TEST(CommaText, EmptyLinesAndLists) {
  EXPECT_EQ(writeCommaText({""}), "\"\"");
  EXPECT_EQ(readCommaText("\"\""), Lines{""});
  EXPECT_EQ(writeCommaText({}), "");
  EXPECT_EQ(readCommaText(""), Lines{});
  EXPECT_EQ(writeCommaText({"a", ""}), "a,");
  EXPECT_EQ(readCommaText("a,"), (Lines{"a", ""}));
  EXPECT_EQ(writeCommaText({"", ""}), ",");
  EXPECT_EQ(readCommaText(","), (Lines{"", ""}));
  EXPECT_EQ(readCommaText("a,,b"), (Lines{"a", "", "b"}));
}

TEST(CommaText, ReadingSkipsBlanksAroundItems) {
  EXPECT_EQ(readCommaText("  a ,  b"), (Lines{"a", "b"}));
  EXPECT_EQ(readCommaText("a, "), Lines{"a"});  // the comma is not the last character
  EXPECT_EQ(readCommaText("\"x\"y"), (Lines{"x", "y"}));
  EXPECT_EQ(readCommaText("\"offen"), Lines{"offen"});
  EXPECT_EQ(readCommaText(std::string("a\0b", 3)), Lines{"a"});
  EXPECT_EQ(readCommaText("nix"), Lines{"nix"});
}

TEST(CommaText, AnyListOfLinesReadsBackUnchanged) {
  std::mt19937 random(7);
  const std::string alphabet = "ab \t\",;\x01\xC3\xA4=";
  for (int round = 0; round < 2000; ++round) {
    Lines lines(random() % 4);
    for (auto& line : lines) {
      const size_t length = random() % 5;
      for (size_t i = 0; i < length; ++i) line += alphabet[random() % alphabet.size()];
    }
    ASSERT_EQ(readCommaText(writeCommaText(lines)), lines) << writeCommaText(lines);
  }
}

}  // namespace
}  // namespace tavik
