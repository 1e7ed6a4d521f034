// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "station/decoders.h"

namespace tavik {

// A set of the rules of one kind: bit i stands for the i-th rule of
// fieldRules(kind).
using RuleSet = uint64_t;

// How two groups of one kind differ: in which data bytes (bit k: the k-th
// byte after the group byte), and the rules whose fields can differ (those
// fed by a byte in which the two differ).
struct ByteChange {
  uint64_t bytes = 0;
  RuleSet rules = 0;

  bool any() const { return bytes != 0; }
};

// The change from `before` to `after`, two groups of kind K (the bytes after
// the group byte, checksum last; the checksum byte follows from the others).
// Which bytes feed which rule is learned once from the decoders.
template <GroupKind K>
ByteChange byteChangeOf(const uint8_t* before, const uint8_t* after);

}  // namespace tavik
