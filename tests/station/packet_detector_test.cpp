#include "station/packet_detector.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "group_builder.h"
#include "station/group_stream.h"

namespace tavik {
namespace {

using Bytes = std::vector<uint8_t>;
using test::groupBody;
using test::groupOnLine;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// A detector set up like the one for group 0x8F, recording what it delivers.
class Detector8F : public ::testing::Test {
 protected:
  void SetUp() override {
    det.setSize(35);
    det.setStartString(std::string(1, '\x8F'));
    det.setPacketHandler(
        [this](std::span<const uint8_t> p) { packets.emplace_back(p.begin(), p.end()); });
  }
  void feed(const Bytes& b) { det.receiveChunk(b); }

  PacketDetector det;
  std::vector<Bytes> packets;
};

TEST_F(Detector8F, DropsLeadingJunkAndStripsTheStartByte) {
  const Bytes group = groupOnLine(GroupKind::G8F, {{1, 0x42}});
  feed(join({{0x00, 0x8E}, group}));
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0], groupBody(GroupKind::G8F, {{1, 0x42}}));
  EXPECT_TRUE(det.buffer().empty());
  EXPECT_FALSE(det.inPacket());
}

TEST_F(Detector8F, GroupSplitOverChunksIsDeliveredOnceWhenComplete) {
  const Bytes group = groupOnLine(GroupKind::G8F);
  feed(Bytes(group.begin(), group.begin() + 10));
  EXPECT_TRUE(packets.empty());
  EXPECT_TRUE(det.inPacket());
  EXPECT_EQ(det.buffer().size(), 10u);
  feed(Bytes(group.begin() + 10, group.end()));
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0].size(), 34u);
}

TEST_F(Detector8F, BufferIsEmptiedAtTheLimitAfterFraming) {
  feed(Bytes(1023, 0x55));
  EXPECT_EQ(det.buffer().size(), 1023u);  // below the limit: kept and searched again
  feed(Bytes{0x55});
  EXPECT_TRUE(det.buffer().empty());
  // 1100 bytes in one chunk, but a group at the front: the rest is kept.
  feed(join({groupOnLine(GroupKind::G8F), Bytes(1000, 0x55)}));
  EXPECT_EQ(packets.size(), 1u);
  EXPECT_EQ(det.buffer().size(), 1000u);
  // The junk goes in front of the next start; the 1066 bytes behind that
  // group reach the limit.
  feed(join({Bytes{0x8F}, Bytes(1100, 0x55)}));
  EXPECT_EQ(packets.size(), 2u);
  EXPECT_TRUE(det.buffer().empty());
  EXPECT_FALSE(det.inPacket());
}

TEST_F(Detector8F, NewSettingsEmptyTheBufferSameSettingsDoNot) {
  const Bytes group = groupOnLine(GroupKind::G8F);
  feed(Bytes(group.begin(), group.begin() + 10));
  det.setStartString(std::string(1, '\x8F'));
  det.setSize(35);
  EXPECT_EQ(det.buffer().size(), 10u);
  det.setStartString(std::string(1, '\x9F'));
  EXPECT_TRUE(det.buffer().empty());
  EXPECT_FALSE(det.inPacket());
  feed(Bytes(group.begin() + 10, group.end()));
  EXPECT_TRUE(packets.empty());
}

TEST_F(Detector8F, HandlerThatChangesTheDetectorStopsFramingSafely) {
  det.setPacketHandler([this](std::span<const uint8_t> p) {
    packets.emplace_back(p.begin(), p.end());
    det.setStartString("x");
  });
  const Bytes group = groupOnLine(GroupKind::G8F);
  feed(join({group, group, group}));
  EXPECT_EQ(packets.size(), 1u);
  EXPECT_TRUE(det.buffer().empty());
}

TEST(PacketDetector, TextStartFoldsCaseAndSurvivesASplitStart) {
  PacketDetector det;
  det.setSize(6);
  det.setStartString("ab");
  std::vector<std::string> got;
  det.setPacketHandler([&](std::span<const uint8_t> p) { got.emplace_back(p.begin(), p.end()); });
  det.receiveChunk(bytesOf("xxA"));
  det.receiveChunk(bytesOf("b1234aB"));
  det.receiveChunk(bytesOf("wxyz"));
  EXPECT_EQ(got, (std::vector<std::string>{"1234", "wxyz"}));

  det.setCaseInsensitive(false);
  det.setIncludeStrings(true);
  det.receiveChunk(bytesOf("ABcdefab1234"));
  EXPECT_EQ(got.back(), "ab1234");
}

TEST(PacketDetector, StopStringEndsAPacketWithoutASize) {
  PacketDetector det;
  det.setStartString("<");
  det.setStopString(">");
  std::vector<std::string> got;
  det.setPacketHandler([&](std::span<const uint8_t> p) { got.emplace_back(p.begin(), p.end()); });
  det.receiveChunk(bytesOf("..<ab"));
  det.receiveChunk(bytesOf("c>x<>"));
  EXPECT_EQ(got, (std::vector<std::string>{"abc", ""}));
}

TEST(GroupStream, DecodesKindByKindWithinAChunk) {
  StationData data;
  GroupStream stream(data);
  std::vector<std::pair<GroupKind, bool>> seen;
  stream.setGroupHandler([&](GroupKind k, bool ok) { seen.emplace_back(k, ok); });
  stream.feed(join({groupOnLine(GroupKind::GCF), groupOnLine(GroupKind::G8F)}));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].first, GroupKind::G8F);
  EXPECT_EQ(seen[1].first, GroupKind::GCF);
  EXPECT_TRUE(seen[0].second && seen[1].second);

  seen.clear();
  stream.feed(
      join({groupOnLine(GroupKind::GBF, {{3, 0x34}, {4, 0x12}}), groupOnLine(GroupKind::GAF)}));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].first, GroupKind::GAF);
  EXPECT_EQ(seen[1].first, GroupKind::GBF);
  EXPECT_EQ(data.weather.Rain.Yesterday, 1234);
  EXPECT_TRUE(data.state.seenAF && data.state.seenBF && data.state.seen8F && data.state.seenCF);
}

TEST(GroupStream, AnyChunkingDeliversEveryGroupOfAStream) {
  // Data bytes below 0x80 never look like a group byte, so no group is hidden
  // by a false start and every one must come out, however the stream is cut.
  std::mt19937 rng(7);
  Bytes stream;
  std::array<int, 5> expected{};
  for (int i = 0; i < 200; ++i) {
    const GroupKind kind = kGroupKinds[rng() % 5];
    ++expected[groupIndex(kind)];
    Bytes g(groupLength(kind) - 1);
    for (size_t j = 0; j + 1 < g.size(); ++j) g[j] = rng() % 0x80;
    uint8_t sum = static_cast<uint8_t>(kind);
    for (size_t j = 0; j + 1 < g.size(); ++j) sum = static_cast<uint8_t>(sum + g[j]);
    g.back() = sum & 0x7F;  // a checksum above 0x7F would be a false start
    stream.push_back(static_cast<uint8_t>(kind));
    stream.insert(stream.end(), g.begin(), g.end());
  }
  for (size_t maxChunk : {size_t{1}, size_t{7}, size_t{256}, stream.size()}) {
    StationData data;
    GroupStream gs(data);
    std::array<int, 5> delivered{};
    gs.setGroupHandler([&](GroupKind k, bool) { ++delivered[groupIndex(k)]; });
    for (size_t at = 0; at < stream.size();) {
      const size_t n = std::min(stream.size() - at, 1 + rng() % maxChunk);
      gs.feed(std::span(stream).subspan(at, n));
      at += n;
    }
    EXPECT_EQ(delivered, expected) << "chunks up to " << maxChunk;
  }
}

TEST(GroupStream, LineNoiseNeverOverfillsABuffer) {
  std::mt19937 rng(11);
  StationData data;
  GroupStream gs(data);
  int groups = 0;
  gs.setGroupHandler([&](GroupKind, bool) { ++groups; });
  Bytes noise(300'000);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(rng());
  for (size_t at = 0; at < noise.size();) {
    const size_t n = std::min(noise.size() - at, size_t{1} + rng() % 600);
    gs.feed(std::span(noise).subspan(at, n));
    at += n;
    for (GroupKind k : kGroupKinds) ASSERT_LT(gs.detector(k).buffer().size(), 1024u);
  }
  EXPECT_GT(groups, 0);  // false starts are cut out and judged by their checksum
}

}  // namespace
}  // namespace tavik
