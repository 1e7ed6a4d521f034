// SPDX-License-Identifier: GPL-3.0-or-later
// The option parser every program reads its command line with: the spellings
// of options and values, where options end, and the refusals.
#include "common/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavik {
namespace {

enum { kCount = 256, kClock, kTo, kTotal };

constexpr CommandOption kOptions[] = {{"help", 'h', false, 'h'},  {"version", 'V', false, 'V'},
                                      {"folder", 'f', true, 'f'}, {"count", 0, true, kCount},
                                      {"clock", 0, true, kClock}, {"to", 0, true, kTo},
                                      {"total", 0, false, kTotal}};

struct Parsed {
  std::vector<std::pair<int, std::string>> options;
  std::vector<std::string> others;
};

Parsed parse(std::vector<std::string> words) {
  words.insert(words.begin(), "program");
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  argv.push_back(nullptr);
  Parsed p;
  p.others = parseOptions(
      static_cast<int>(words.size()), argv.data(), kOptions,
      [&p](int id, std::string_view value) { p.options.emplace_back(id, std::string(value)); });
  return p;
}

std::string refusal(const std::vector<std::string>& words) {
  try {
    parse(words);
  } catch (const UsageError& e) {
    return e.what();
  }
  return "(angenommen)";
}

using Options = std::vector<std::pair<int, std::string>>;
using Words = std::vector<std::string>;

TEST(CommandLine, LongOptionsTakeTheirValueInBothSpellingsAndStandAnywhere) {
  const Parsed p = parse({"a", "--count", "3", "b", "--folder=/x=y", "--help", "--count=", "c"});
  EXPECT_EQ(p.options, (Options{{kCount, "3"}, {'f', "/x=y"}, {'h', ""}, {kCount, ""}}));
  EXPECT_EQ(p.others, (Words{"a", "b", "c"}));
  // The next word is the value, whatever it looks like.
  EXPECT_EQ(parse({"--count", "-1"}).options, (Options{{kCount, "-1"}}));
  EXPECT_EQ(parse({"--folder", "--help"}).options, (Options{{'f', "--help"}}));
  EXPECT_TRUE(parse({}).options.empty());
}

TEST(CommandLine, ShortFormsGroupAndTakeTheirValueJoinedOrApart) {
  EXPECT_EQ(parse({"-hV"}).options, (Options{{'h', ""}, {'V', ""}}));
  EXPECT_EQ(parse({"-f/tmp"}).options, (Options{{'f', "/tmp"}}));
  const Parsed grouped = parse({"-hf", "/tmp", "rest"});
  EXPECT_EQ(grouped.options, (Options{{'h', ""}, {'f', "/tmp"}}));
  EXPECT_EQ(grouped.others, (Words{"rest"}));
  // The rest of the word is the value, letters and all.
  EXPECT_EQ(parse({"-fhV"}).options, (Options{{'f', "hV"}}));
}

TEST(CommandLine, DoubleDashEndsTheOptionsAndALoneDashIsAWord) {
  const Parsed p = parse({"-", "--help", "--", "--count", "-h", ""});
  EXPECT_EQ(p.options, (Options{{'h', ""}}));
  EXPECT_EQ(p.others, (Words{"-", "--count", "-h", ""}));
}

TEST(CommandLine, ALongNameMayBeShortenedWhileItNamesOneOption) {
  EXPECT_EQ(parse({"--fold", "d", "--h", "--cou=2"}).options,
            (Options{{'f', "d"}, {'h', ""}, {kCount, "2"}}));
  // A whole name wins over the longer ones it begins.
  EXPECT_EQ(parse({"--to", "x"}).options, (Options{{kTo, "x"}}));
  EXPECT_EQ(parse({"--tot"}).options, (Options{{kTotal, ""}}));
  EXPECT_EQ(refusal({"--c=1"}), "--c ist mehrdeutig: --count, --clock");
}

TEST(CommandLine, RefusesUnknownOptionsMissingValuesAndValuesNotTaken) {
  EXPECT_EQ(refusal({"--frobnicate=3"}), "unbekannte Option: --frobnicate=3");
  EXPECT_EQ(refusal({"--=3"}), "unbekannte Option: --=3");
  EXPECT_EQ(refusal({"---help"}), "unbekannte Option: ---help");
  EXPECT_EQ(refusal({"--helpful"}), "unbekannte Option: --helpful");
  EXPECT_EQ(refusal({"-hx"}), "unbekannte Option: -x");
  EXPECT_EQ(refusal({"-platform"}), "unbekannte Option: -p");
  EXPECT_EQ(refusal({"-hä"}), "unbekannte Option: -hä");
  EXPECT_EQ(refusal({"a", "--count"}), "--count braucht einen Wert");
  EXPECT_EQ(refusal({"--cou"}), "--count braucht einen Wert");
  EXPECT_EQ(refusal({"-Vf"}), "-f braucht einen Wert");
  EXPECT_EQ(refusal({"--help=yes"}), "--help nimmt keinen Wert");
  EXPECT_EQ(refusal({"--he="}), "--help nimmt keinen Wert");
}

TEST(CommandLine, ATakerRefusesAValueByThrowing) {
  std::vector<int> taken;
  const char* argv[] = {"program", "--help", "--count=x", "--version", nullptr};
  EXPECT_THROW(parseOptions(4, argv, kOptions,
                            [&taken](int id, std::string_view value) {
                              if (id == kCount) parseNumber<int>("--count", value);
                              taken.push_back(id);
                            }),
               UsageError);
  EXPECT_EQ(taken, std::vector<int>{'h'});  // nothing after the refused option
  EXPECT_EQ(parseNumber<int>("--count", "-12"), -12);
  for (const char* bad : {"", "12x", " 1", "99999999999"}) {
    EXPECT_THROW(parseNumber<int>("--count", bad), UsageError) << bad;
  }
}

}  // namespace
}  // namespace tavik
