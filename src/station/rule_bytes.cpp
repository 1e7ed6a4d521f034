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

// The rules fed by the bytes that a change mask marks (bit k: data byte k
// differs), read four bytes at a time: entry [i][m] holds the rules of the
// bytes 4i + j for the bits j of m. A fixed number of lookups, no branch on
// the data, whatever bytes changed.
constexpr size_t kMaskNibbles = (kMaxBody + 3) / 4;
using NibbleRules = std::array<std::array<RuleSet, 16>, kMaskNibbles>;

NibbleRules byNibble(const ByteRules& fed) {
  NibbleRules table{};
  for (size_t i = 0; i < kMaskNibbles; ++i) {
    for (unsigned m = 0; m < 16; ++m) {
      for (size_t j = 0; j < 4; ++j) {
        if ((m >> j & 1) != 0 && 4 * i + j < kMaxBody) table[i][m] |= fed[4 * i + j];
      }
    }
  }
  return table;
}

std::array<NibbleRules, 5> learnAllRules() {
  std::array<NibbleRules, 5> all{};
  for (GroupKind k : kGroupKinds)
    all[static_cast<size_t>(groupIndex(k))] = byNibble(learnByteRules(k));
  return all;
}

// Learned at the first use, not at start: programs that never decode a
// group do not pay for it.
const NibbleRules& nibbleRules(GroupKind kind) {
  static const std::array<NibbleRules, 5> kAll = learnAllRules();
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

// Compares eight bytes at a time into a mask of the changed bytes, then looks
// up the rules they feed. Five words cover the longest group; every kind has
// at least eight data bytes, and a word that would run past them is the last
// eight instead, so shorter groups compare some bytes twice. A fixed number
// of steps, no branch on the kind or the data.
ByteChange byteChange(GroupKind kind, std::span<const uint8_t> before,
                      std::span<const uint8_t> after) {
  const size_t n = std::min({before.size(), after.size(), kMaxBody}) - 1;
  if (n < 8) return {true, ~RuleSet{0}};
  constexpr size_t kWords = (kMaxBody - 1 + 7) / 8;
  uint64_t changedBytes = 0;  // bit k: data byte k differs
  for (size_t w = 0; w < kWords; ++w) {
    const size_t at = std::min(8 * w, n - 8);
    changedBytes |= uint64_t{nonZeroBytes(word(before.data() + at) ^ word(after.data() + at))}
                    << at;
  }
  const NibbleRules& table = nibbleRules(kind);
  RuleSet rules = 0;
  for (size_t i = 0; i < kMaskNibbles; ++i) rules |= table[i][changedBytes >> (4 * i) & 15];
  return {changedBytes != 0, rules};
}

}  // namespace tavik
