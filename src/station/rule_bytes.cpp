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

const ByteRules& byteRules(GroupKind kind) {
  static const std::array<ByteRules, 5> kAll = [] {
    std::array<ByteRules, 5> all{};
    for (GroupKind k : kGroupKinds) {
      all[static_cast<size_t>(groupIndex(k))] = learnByteRules(k);
    }
    return all;
  }();
  return kAll[static_cast<size_t>(groupIndex(kind))];
}

}  // namespace

// Compares eight bytes at a time (every kind has at least eight data bytes;
// the last word overlaps the one before it): most groups differ from the last
// of their kind in a byte or two, if at all.
ByteChange byteChange(GroupKind kind, std::span<const uint8_t> before,
                      std::span<const uint8_t> after) {
  const ByteRules& fed = byteRules(kind);
  const size_t n = std::min({before.size(), after.size(), kMaxBody}) - 1;
  ByteChange change;
  if (n < 8) {
    change.any = true;
    change.rules = ~RuleSet{0};
    return change;
  }
  const auto compareWord = [&](size_t at) {
    uint64_t a = 0, b = 0;
    std::memcpy(&a, before.data() + at, sizeof a);
    std::memcpy(&b, after.data() + at, sizeof b);
    uint64_t differs = a ^ b;
    if (differs == 0) return;
    change.any = true;
    // One bit per differing byte, byte k to bit k.
    differs |= differs >> 4;
    differs |= differs >> 2;
    differs |= differs >> 1;
    differs &= 0x0101010101010101u;
    for (auto bytes = static_cast<unsigned>((differs * 0x0102040810204080u) >> 56); bytes != 0;
         bytes &= bytes - 1) {
      change.rules |= fed[at + static_cast<size_t>(std::countr_zero(bytes))];
    }
  };
  size_t at = 0;
  for (; at + 8 <= n; at += 8) compareWord(at);
  if (at < n) compareWord(n - 8);
  return change;
}

}  // namespace tavik
