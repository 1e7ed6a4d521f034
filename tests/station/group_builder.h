// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>
#include <random>
#include <utility>
#include <vector>

#include "station/decoders.h"

namespace tavik::test {

// The bytes of one group after its group byte, all data bytes 0 except those
// given as (line byte number, value) pairs, with the checksum filled in.
inline std::vector<uint8_t> groupBody(GroupKind kind,
                                      std::initializer_list<std::pair<int, uint8_t>> bytes = {}) {
  std::vector<uint8_t> body(groupLength(kind) - 1, 0);
  for (const auto& [k, value] : bytes) body[k - 1] = value;
  uint8_t sum = static_cast<uint8_t>(kind);
  for (size_t i = 0; i + 1 < body.size(); ++i) sum = static_cast<uint8_t>(sum + body[i]);
  body.back() = sum;
  return body;
}

// Calls f.template operator()<K>() with K the kind given at run time.
template <typename F>
decltype(auto) forKind(GroupKind kind, F&& f) {
  switch (kind) {
    case GroupKind::G8F:
      return f.template operator()<GroupKind::G8F>();
    case GroupKind::G9F:
      return f.template operator()<GroupKind::G9F>();
    case GroupKind::GAF:
      return f.template operator()<GroupKind::GAF>();
    case GroupKind::GBF:
      return f.template operator()<GroupKind::GBF>();
    case GroupKind::GCF:
      break;
  }
  return f.template operator()<GroupKind::GCF>();
}

// A group of `kind` of random bytes with its checksum right.
inline std::vector<uint8_t> randomGroup(GroupKind kind, std::mt19937& rng) {
  std::vector<uint8_t> body = groupBody(kind);
  uint8_t sum = static_cast<uint8_t>(kind);
  for (size_t i = 0; i + 1 < body.size(); ++i) {
    body[i] = static_cast<uint8_t>(rng());
    sum = static_cast<uint8_t>(sum + body[i]);
  }
  body.back() = sum;
  return body;
}

// The same group as it travels on the line, group byte first.
inline std::vector<uint8_t> groupOnLine(GroupKind kind,
                                        std::initializer_list<std::pair<int, uint8_t>> bytes = {}) {
  std::vector<uint8_t> line{static_cast<uint8_t>(kind)};
  const std::vector<uint8_t> body = groupBody(kind, bytes);
  line.insert(line.end(), body.begin(), body.end());
  return line;
}

// One group of every kind with values a console can send (a clock of
// 12 March 13:21, 1013 hPa, a wind from 132 degrees), each twice: a kind's
// first group waits for a second that agrees before it enters the record.
inline std::vector<uint8_t> consoleGroupsTwice() {
  std::vector<uint8_t> line;
  for (int twice = 0; twice < 2; ++twice) {
    for (const auto& g :
         {groupOnLine(GroupKind::G8F, {{2, 0x21}, {3, 0x13}, {4, 0x12}, {5, 0x03}}),
          groupOnLine(GroupKind::G9F, {{2, 0x21}, {3, 0x43}, {5, 0x12}}),
          groupOnLine(GroupKind::GAF, {{1, 0x13}, {2, 0x10}, {3, 0x32}, {4, 0x01}, {5, 0x01}}),
          groupOnLine(GroupKind::GBF, {{2, 0x21}, {3, 0x43}, {5, 0x12}}),
          groupOnLine(GroupKind::GCF, {{2, 0x21}, {3, 0x13}, {5, 0x12}})})
      line.insert(line.end(), g.begin(), g.end());
  }
  return line;
}

}  // namespace tavik::test
