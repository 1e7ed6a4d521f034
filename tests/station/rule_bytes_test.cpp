// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/rule_bytes.h"

#include <gtest/gtest.h>

#include <random>

#include "group_builder.h"
#include "station/plausibility_rules.h"

namespace tavik {
namespace {

using test::randomGroup;

// The shortcut through the check asks only the rules that byteChangeOf names:
// a rule whose value differs between two groups and that it leaves out
// would let a value in unjudged; and it decodes only where the bytes it
// names differ. Random groups, and copies of them with one
// to three bytes changed (the checksum mended), every kind.
TEST(byteChangeOf, NamesEveryRuleWhoseValueDiffers) {
  std::mt19937 rng(21);
  for (GroupKind kind : kGroupKinds) {
    const std::span<const FieldRule> rules = fieldRules(kind);
    for (int round = 0; round < 400; ++round) {
      const std::vector<uint8_t> before = randomGroup(kind, rng);
      std::vector<uint8_t> after = before;
      const size_t data = after.size() - 1;
      for (unsigned n = 1 + rng() % 3; n > 0; --n) {
        const size_t at = rng() % data;
        const auto was = after[at];
        after[at] = static_cast<uint8_t>(rng());
        after.back() = static_cast<uint8_t>(after.back() + after[at] - was);
      }
      const ByteChange change = test::forKind(
          kind, [&]<GroupKind K>() { return byteChangeOf<K>(before.data(), after.data()); });
      uint64_t differing = 0;
      for (size_t at = 0; at < data; ++at) differing |= uint64_t{before[at] != after[at]} << at;
      EXPECT_EQ(change.bytes, differing);
      EXPECT_EQ(change.any(), before != after);
      StationData a, b;
      decodeGroup(kind, before, a);
      decodeGroup(kind, after, b);
      for (size_t r = 0; r < rules.size(); ++r) {
        if (rules[r].value(a.weather) != rules[r].value(b.weather)) {
          EXPECT_NE(change.rules >> r & 1, 0u)
              << "kind " << groupIndex(kind) << ": " << rules[r].path << " is not named";
        }
      }
    }
  }
}

TEST(byteChangeOf, AGroupEqualToTheLastChangesNothing) {
  std::mt19937 rng(22);
  for (GroupKind kind : kGroupKinds) {
    const std::vector<uint8_t> group = randomGroup(kind, rng);
    const std::vector<uint8_t> same = group;
    const ByteChange change = test::forKind(
        kind, [&]<GroupKind K>() { return byteChangeOf<K>(group.data(), same.data()); });
    EXPECT_FALSE(change.any());
    EXPECT_EQ(change.rules, RuleSet{0});
  }
}

}  // namespace
}  // namespace tavik
