// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/rule_bytes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "station/plausibility_rules.h"

namespace tavik {
namespace {

constexpr size_t kMaxBody = 34;

// For each data byte of a group, the rules whose fields it feeds.
using ByteRules = std::array<RuleSet, kMaxBody>;

void fillChecksum(GroupKind kind, std::vector<uint8_t>& body) {
  body.back() = static_cast<uint8_t>(static_cast<uint8_t>(kind) +
                                     groupChecksum(std::span(body).first(body.size() - 1)));
}

// Groups to flip bits in: a field can hide a byte's bit behind another
// (a sign over a magnitude of zero), so each bit is tried on several
// backgrounds, plain ones and fixed pseudo-random ones.
std::vector<std::vector<uint8_t>> backgrounds(GroupKind kind) {
  const size_t n = static_cast<size_t>(groupLength(kind) - 1);
  std::vector<std::vector<uint8_t>> all;
  for (uint8_t fill : {0x00, 0xFF, 0x55, 0xAA}) all.emplace_back(n, fill);
  uint32_t state = 0x2545F491u;
  for (int i = 0; i < 12; ++i) {
    std::vector<uint8_t>& body = all.emplace_back(n);
    for (uint8_t& b : body) {
      state = state * 1664525u + 1013904223u;
      b = static_cast<uint8_t>(state >> 24);
    }
  }
  for (std::vector<uint8_t>& body : all) fillChecksum(kind, body);
  return all;
}

// Decodes each background and each of its one-bit changes, and records for
// every changed byte the rules whose values moved.
ByteRules learnByteRules(GroupKind kind) {
  const std::span<const FieldRule> rules = fieldRules(kind);
  if (rules.size() > sizeof(RuleSet) * 8) throw std::length_error("too many rules for a rule set");
  ByteRules fed{};
  StationData base, flipped;
  for (const std::vector<uint8_t>& background : backgrounds(kind)) {
    decodeGroup(kind, background, base);
    for (size_t at = 0; at + 1 < background.size(); ++at) {
      for (int bit = 0; bit < 8; ++bit) {
        std::vector<uint8_t> body = background;
        body[at] ^= static_cast<uint8_t>(1u << bit);
        fillChecksum(kind, body);
        decodeGroup(kind, body, flipped);
        for (size_t r = 0; r < rules.size(); ++r) {
          if (rules[r].value(base.weather) != rules[r].value(flipped.weather))
            fed[at] |= RuleSet{1} << r;
        }
      }
    }
  }
  return fed;
}

// The data bytes of a kind, without the checksum, and the eight-byte words
// they are compared in: every kind has at least eight, and a word that would
// run past them is the last eight instead, so that a short group compares
// some bytes twice.
constexpr size_t dataBytes(GroupKind kind) { return static_cast<size_t>(groupLength(kind) - 2); }
constexpr size_t wordCount(GroupKind kind) { return (dataBytes(kind) + 7) / 8; }
constexpr size_t wordAt(GroupKind kind, size_t w) { return std::min(8 * w, dataBytes(kind) - 8); }
constexpr size_t kMaxWords = (kMaxBody - 1 + 7) / 8;
static_assert(dataBytes(GroupKind::GBF) >= 8, "a kind has fewer data bytes than one word");

// For each set of a word's bytes that changed (bit j: its j-th byte) and each
// word of a kind, the rules those bytes feed: one lookup per word, no branch
// on the data, whatever bytes changed. Ordered by the set first, so that the
// few sets a line sends (none changed, the clock's second) lie together in
// the cache whatever the word.
using WordRules = std::array<std::array<RuleSet, kMaxWords>, 256>;

WordRules byWord(GroupKind kind, const ByteRules& fed) {
  WordRules table{};
  for (unsigned m = 0; m < 256; ++m) {
    for (size_t w = 0; w < wordCount(kind); ++w) {
      for (size_t j = 0; j < 8; ++j) {
        if ((m >> j & 1) != 0) table[m][w] |= fed[wordAt(kind, w) + j];
      }
    }
  }
  return table;
}

// Learned at the first use, not at start: programs that never decode a
// group do not pay for it.
const WordRules& wordRules(GroupKind kind) {
  static const std::array<WordRules, 5> kAll = [] {
    std::array<WordRules, 5> all{};
    for (GroupKind k : kGroupKinds)
      all[static_cast<size_t>(groupIndex(k))] = byWord(k, learnByteRules(k));
    return all;
  }();
  return kAll[static_cast<size_t>(groupIndex(kind))];
}

// One bit per byte of `x` that is not zero, byte k to bit k.
unsigned nonZeroBytes(uint64_t x) {
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
  const uint64_t high = (((x & kLow7) + kLow7) | x) & ~kLow7;  // 0x80 in each byte not zero
  return static_cast<unsigned>(((high >> 7) * 0x0102040810204080u) >> 56);
}

uint64_t word(const uint8_t* bytes) {
  uint64_t w = 0;
  std::memcpy(&w, bytes, sizeof w);
  return w;
}

}  // namespace

// Compares the data bytes eight at a time; the checksum follows from them.
template <GroupKind K>
ByteChange byteChangeOf(const uint8_t* before, const uint8_t* after) {
  const WordRules& table = wordRules(K);
  uint64_t bytes = 0;
  RuleSet rules = 0;
  for (size_t w = 0; w < wordCount(K); ++w) {
    const size_t at = wordAt(K, w);
    const unsigned changed = nonZeroBytes(word(before + at) ^ word(after + at));
    bytes |= uint64_t{changed} << at;
    rules |= table[changed][w];
  }
  return {bytes, rules};
}
template ByteChange byteChangeOf<GroupKind::G8F>(const uint8_t*, const uint8_t*);
template ByteChange byteChangeOf<GroupKind::G9F>(const uint8_t*, const uint8_t*);
template ByteChange byteChangeOf<GroupKind::GAF>(const uint8_t*, const uint8_t*);
template ByteChange byteChangeOf<GroupKind::GBF>(const uint8_t*, const uint8_t*);
template ByteChange byteChangeOf<GroupKind::GCF>(const uint8_t*, const uint8_t*);

}  // namespace tavik
