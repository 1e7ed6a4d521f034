// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "station/decoders.h"

namespace tavik {

// A set of the rules of one kind: bit i stands for the i-th rule of
// fieldRules(kind).
using RuleSet = uint64_t;

// The rules of `kind` whose fields can differ between the decoded groups
// `before` and `after` (bytes after the group byte, both of the kind's length,
// checksum last): those fed by a byte in which the two differ. Which bytes
// feed which rule is learned once from the decoders themselves.
RuleSet rulesFedBy(GroupKind kind, std::span<const uint8_t> before, std::span<const uint8_t> after);

}  // namespace tavik
