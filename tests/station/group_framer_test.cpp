// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/group_framer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "group_builder.h"
#include "station/group_stream.h"

namespace tavik {
namespace {

using Bytes = std::vector<uint8_t>;
using test::groupBody;
using test::groupOnLine;

Bytes join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

struct Seen {
  GroupKind kind;
  bool ok;
  uint64_t offset;
  Bytes body;
  friend bool operator==(const Seen&, const Seen&) = default;
};

class Framer : public ::testing::Test {
 protected:
  void SetUp() override {
    framer.setHandler([this](const GroupFramer::Candidate& c) {
      seen.push_back({c.kind, c.checksumOk, c.offset, Bytes(c.body.begin(), c.body.end())});
    });
  }
  void feed(const Bytes& b) { framer.feed(b); }

  GroupFramer framer;
  std::vector<Seen> seen;
};

TEST_F(Framer, DropsLeadingBytesAndDeliversTheGroupWithoutItsGroupByte) {
  feed(join({{0x00}, groupOnLine(GroupKind::G8F, {{1, 0x42}})}));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], (Seen{GroupKind::G8F, true, 1, groupBody(GroupKind::G8F, {{1, 0x42}})}));
  EXPECT_EQ(framer.pendingBytes(), 0u);
}

TEST_F(Framer, GroupSplitOverChunksIsDeliveredOnceWhenComplete) {
  const Bytes group = groupOnLine(GroupKind::G8F);
  feed(Bytes(group.begin(), group.begin() + 10));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(framer.pendingBytes(), 10u);
  feed(Bytes(group.begin() + 10, group.end()));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].body.size(), 34u);
  EXPECT_EQ(framer.pendingBytes(), 0u);
}

TEST_F(Framer, GroupsOfOneChunkComeInStreamOrder) {
  const Bytes nine = groupOnLine(GroupKind::G9F);
  feed(join({groupOnLine(GroupKind::GCF), groupOnLine(GroupKind::GBF), groupOnLine(GroupKind::GAF),
             Bytes(nine.begin(), nine.begin() + 20)}));
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].kind, GroupKind::GCF);
  EXPECT_EQ(seen[1].kind, GroupKind::GBF);
  EXPECT_EQ(seen[1].offset, 27u);
  EXPECT_EQ(seen[2].kind, GroupKind::GAF);
  EXPECT_EQ(framer.pendingBytes(), 20u);  // the 0x9F group waits for the rest
  feed(Bytes(nine.begin() + 20, nine.end()));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[3], (Seen{GroupKind::G9F, true, 27 + 14 + 31, groupBody(GroupKind::G9F)}));
}

TEST_F(Framer, AGoodGroupClaimsStartBytesInsideIt) {
  // Start-byte values as data and as checksum: none of them starts a group.
  const Bytes eight = groupOnLine(GroupKind::G8F, {{5, 0xCF}, {20, 0xAF}, {32, 0xBF}});
  Bytes bf = groupOnLine(GroupKind::GBF, {{1, 0x10}});
  ASSERT_EQ(bf.back(), 0xCF);  // 0xBF + 0x10
  feed(join({eight, bf, groupOnLine(GroupKind::G9F)}));
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_TRUE(seen[0].ok && seen[1].ok && seen[2].ok);
  EXPECT_EQ(seen[1].offset, 35u);
  EXPECT_EQ(seen[2].offset, 49u);
}

TEST_F(Framer, AWrongCandidateDoesNotCostTheGroupThatStartsInsideIt) {
  // Noise 0xAF 0x01 opens a 31-byte candidate over the 0xBF group behind it;
  // its checksum fails and framing goes on at the 0xBF byte.
  const Bytes rain = groupOnLine(GroupKind::GBF, {{3, 0x34}});
  feed(join({{0xAF, 0x01}, rain, groupOnLine(GroupKind::GCF)}));
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].kind, GroupKind::GAF);
  EXPECT_FALSE(seen[0].ok);
  EXPECT_EQ(seen[1], (Seen{GroupKind::GBF, true, 2, groupBody(GroupKind::GBF, {{3, 0x34}})}));
  EXPECT_EQ(seen[2].kind, GroupKind::GCF);
  EXPECT_TRUE(seen[2].ok);
}

TEST_F(Framer, AChanceMatchInsideADamagedGroupGivesWayToTheNextGroup) {
  // A 0x8F group with a damaged checksum holds 0xBF at byte 25; the 14-byte
  // candidate there runs four bytes into the next group, whose byte 3 makes
  // the candidate's checksum right by chance.
  Bytes damaged = groupOnLine(GroupKind::G8F, {{25, 0xBF}, {27, 0x11}});
  damaged.back() ^= 0x01;
  uint8_t sum = 0;
  for (size_t i = 25; i < damaged.size(); ++i) sum = static_cast<uint8_t>(sum + damaged[i]);
  sum = static_cast<uint8_t>(sum + 0xCF);  // bytes 0..2 of the wind group: 0xCF 0 0
  const Bytes wind = groupOnLine(GroupKind::GCF, {{3, sum}});
  Bytes candidate(damaged.begin() + 25, damaged.end());
  candidate.insert(candidate.end(), wind.begin(), wind.begin() + 4);
  ASSERT_EQ(groupChecksum(std::span(candidate).first(13)), candidate.back());

  for (size_t chunk : {size_t{1}, size_t{7}, size_t{100}}) {
    seen.clear();
    GroupFramer f;
    f.setHandler([this](const GroupFramer::Candidate& c) {
      seen.push_back({c.kind, c.checksumOk, c.offset, Bytes(c.body.begin(), c.body.end())});
    });
    const Bytes all = join({damaged, wind});
    for (size_t at = 0; at < all.size(); at += chunk)
      f.feed(std::span(all).subspan(at, std::min(chunk, all.size() - at)));
    ASSERT_EQ(seen.size(), 2u) << "chunks of " << chunk;
    EXPECT_EQ(seen[0].kind, GroupKind::G8F);
    EXPECT_FALSE(seen[0].ok);
    EXPECT_EQ(seen[1], (Seen{GroupKind::GCF, true, 35, groupBody(GroupKind::GCF, {{3, sum}})}));
  }
}

TEST_F(Framer, AChanceMatchStandsWhenNoGroupFollowsTheDamagedOne) {
  Bytes damaged = groupOnLine(GroupKind::G8F, {{25, 0xBF}});
  damaged.back() ^= 0x01;
  Bytes tail(4, 0);
  uint8_t sum = 0;
  for (size_t i = 25; i < damaged.size(); ++i) sum = static_cast<uint8_t>(sum + damaged[i]);
  tail[3] = sum;  // no group byte where the damaged group ends
  feed(join({damaged, tail}));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_FALSE(seen[0].ok);
  EXPECT_EQ(seen[1].kind, GroupKind::GBF);
  EXPECT_TRUE(seen[1].ok);
  EXPECT_EQ(seen[1].offset, 25u);
}

TEST_F(Framer, BytesFedByTheHandlerAreFramedAfterIt) {
  const Bytes wind = groupOnLine(GroupKind::GCF);
  bool fedMore = false;
  framer.setHandler([&](const GroupFramer::Candidate& c) {
    seen.push_back({c.kind, c.checksumOk, c.offset, Bytes(c.body.begin(), c.body.end())});
    if (!fedMore) {
      fedMore = true;
      framer.feed(wind);
      EXPECT_EQ(seen.size(), 1u);  // not yet
    }
  });
  feed(groupOnLine(GroupKind::GBF));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1], (Seen{GroupKind::GCF, true, 14, groupBody(GroupKind::GCF)}));
}

TEST_F(Framer, NoiseIsJudgedAndNeverPilesUp) {
  std::mt19937 rng(11);
  Bytes noise(300'000);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(rng());
  for (size_t at = 0; at < noise.size();) {
    const size_t n = std::min(noise.size() - at, size_t{1} + rng() % 600);
    feed(Bytes(noise.begin() + static_cast<std::ptrdiff_t>(at),
               noise.begin() + static_cast<std::ptrdiff_t>(at + n)));
    at += n;
    // A candidate waiting, and one that it may give way to.
    ASSERT_LT(framer.pendingBytes(), 2u * 35u);
  }
  size_t good = 0;
  for (const Seen& s : seen) good += s.ok;
  EXPECT_GT(seen.size(), 4000u);  // about 5 start bytes in 256
  EXPECT_GT(good, 0u);            // about one in 256 candidates passes by chance
  EXPECT_LT(good, seen.size() / 64);
}

TEST(GroupStream, AnyChunkingDeliversEveryGroupOnceWithItsVerdict) {
  // Data bytes of any value, start-byte values included: a good group claims
  // them, so however the stream is cut, every group comes out once, good.
  std::mt19937 rng(7);
  Bytes stream;
  std::vector<GroupKind> expected;
  for (int i = 0; i < 2000; ++i) {
    const GroupKind kind = kGroupKinds[rng() % 5];
    expected.push_back(kind);
    Bytes g(groupLength(kind));
    g[0] = static_cast<uint8_t>(kind);
    for (size_t j = 1; j + 1 < g.size(); ++j) g[j] = static_cast<uint8_t>(rng());
    g.back() = groupChecksum(std::span(g).first(g.size() - 1));
    stream.insert(stream.end(), g.begin(), g.end());
  }
  for (size_t maxChunk : {size_t{1}, size_t{7}, size_t{256}, stream.size()}) {
    StationData data;
    GroupStream gs(data);
    std::vector<GroupKind> delivered;
    int wrong = 0;
    gs.setGroupHandler([&](GroupKind k, bool ok) {
      delivered.push_back(k);
      wrong += !ok;
    });
    for (size_t at = 0; at < stream.size();) {
      const size_t n = std::min(stream.size() - at, 1 + rng() % maxChunk);
      gs.feed(std::span(stream).subspan(at, n));
      at += n;
    }
    EXPECT_EQ(delivered, expected) << "chunks up to " << maxChunk;
    EXPECT_EQ(wrong, 0) << "chunks up to " << maxChunk;
  }
}

TEST(GroupStream, DecodesEveryGroupIntoTheRecord) {
  StationData data;
  GroupStream stream(data);
  std::vector<std::pair<GroupKind, bool>> seen;
  stream.setGroupHandler([&](GroupKind k, bool ok) { seen.emplace_back(k, ok); });
  Bytes bad = groupOnLine(GroupKind::GAF);
  bad.back() ^= 0x01;
  // Each kind's first group waits for the next one, which enters the record.
  const Bytes rain = groupOnLine(GroupKind::GBF, {{3, 0x34}, {4, 0x12}});
  const Bytes clock = groupOnLine(GroupKind::G8F, {{4, 0x14}, {5, 0x06}});
  stream.feed(join({rain, rain, bad, clock, clock}));
  EXPECT_EQ(seen, (std::vector<std::pair<GroupKind, bool>>{{GroupKind::GBF, true},
                                                           {GroupKind::GBF, true},
                                                           {GroupKind::GAF, false},
                                                           {GroupKind::G8F, true},
                                                           {GroupKind::G8F, true}}));
  EXPECT_EQ(data.weather.Rain.Yesterday, 1234);
  EXPECT_EQ(data.verdicts.text(GroupKind::GAF), "False!");
  EXPECT_TRUE(data.state.seenBF && data.state.seen8F);
  EXPECT_FALSE(data.state.seenAF);
}

}  // namespace
}  // namespace tavik
