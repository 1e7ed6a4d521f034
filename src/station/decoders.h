// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "station/weather_record.h"

namespace tavik {

// The five kinds of data group, named by the byte that starts them on the line.
enum class GroupKind : uint8_t { G8F = 0x8F, G9F = 0x9F, GAF = 0xAF, GBF = 0xBF, GCF = 0xCF };

constexpr std::array<GroupKind, 5> kGroupKinds = {GroupKind::G8F, GroupKind::G9F, GroupKind::GAF,
                                                  GroupKind::GBF, GroupKind::GCF};

// Position of a kind in kGroupKinds (0..4); also its row in the checksum view
// minus one. The group bytes are 0x8F apart by 0x10.
constexpr int groupIndex(GroupKind kind) { return (static_cast<int>(kind) >> 4) - 8; }

// Length of a group on the line, group byte and checksum byte included.
constexpr int groupLength(GroupKind kind) {
  constexpr std::array<int, 5> kLengths = {35, 34, 31, 14, 27};
  return kLengths[static_cast<size_t>(groupIndex(kind))];
}

// A group's checksum: the low 8 bits of the sum of every byte before the
// checksum byte, group byte included.
uint8_t groupChecksum(std::span<const uint8_t> bytesBeforeChecksum);

// The checksum view: the verdict of the last group of each kind. A cell is ""
// before the first group of its kind, "OK!" after a good checksum, and "False"
// (0x8F) or "False!" (the other kinds) after a wrong one.
struct ChecksumVerdicts {
  std::array<std::string, 5> cells;
  // Groups with a right checksum that the plausibility check kept out of the
  // record, per kind in the order of kGroupKinds. The decoders leave it alone.
  std::array<uint32_t, 5> refused{};

  const std::string& text(GroupKind kind) const;
  // Column 0 of rows 1..5 of the view.
  static const std::array<std::string, 5>& rowNames();
};

// Everything the decoders write: the record, the derived state (seen flags,
// gustMaxMinute) and the checksum verdicts.
struct StationData {
  WeatherRecord weather;
  StationState state;
  ChecksumVerdicts verdicts;
};

// Each decoder takes the bytes of one group after its group byte (length - 1
// bytes, checksum last), records the verdict and, when the checksum is right,
// overwrites the group's fields and sets its seen flag. A span of any other
// length is treated as a group with a wrong checksum. Returns whether the
// group was accepted.
bool DecodeGroup8F(std::span<const uint8_t> group, StationData& d);
bool DecodeGroup9F(std::span<const uint8_t> group, StationData& d);
bool DecodeGroupAF(std::span<const uint8_t> group, StationData& d);
bool DecodeGroupBF(std::span<const uint8_t> group, StationData& d);
bool DecodeGroupCF(std::span<const uint8_t> group, StationData& d);
bool decodeGroup(GroupKind kind, std::span<const uint8_t> group, StationData& d);

// Decodes a group of `kind` whose length and checksum are known to be right
// (the framer has checked them) as decodeGroup() would, without summing it
// again; the kind is known when compiling, so nothing jumps on it.
template <GroupKind K>
void decodeGoodGroupOf(std::span<const uint8_t> group, StationData& d);

// Decodes a group of kind K (length and checksum right) into `d`, where the
// group of K last decoded differs from it only in the data bytes marked in
// `changedBytes` (bit k: the k-th byte after the group byte), as
// decodeGoodGroupOf() would; fields that only unchanged bytes feed may be
// left as they are.
template <GroupKind K>
void decodeChangedGroup(std::span<const uint8_t> group, uint64_t changedBytes, StationData& d);

// What decoding a group again changes in `d` when its bytes are those of the
// group of kind K last decoded into `d`: the verdict, the seen flag and (0xCF)
// the gust maximum of the minute. The fields would be written with the values
// they hold, so they are left alone.
template <GroupKind K>
void redecodeSameGroup(StationData& d);

// Copies the fields of the record that a group of `kind` writes from `from`
// to `to`, and nothing else: what moves a decoded group between two records
// without copying the whole record.
void copyGroupFields(GroupKind kind, const WeatherRecord& from, WeatherRecord& to);

}  // namespace tavik
