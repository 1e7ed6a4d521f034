// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/clock.h"
#include "station/decoders.h"
#include "station/weather_record.h"

namespace tavik {

// Seconds of a local wall time counted on one scale, for the differences the
// check and its report take.
int64_t secondsOnClock(const LocalDateTime& t);

// Decides whether a group whose checksum is right can be true before it
// enters the record. A chance candidate on a noisy line has a right checksum
// about once in 256; this check keeps its values out.
// - Every field of the group must lie in its range (plausibility_rules.h);
//   a group with a field outside is refused.
// - The measured values must stay within their change limits from the last
//   accepted group of the kind, scaled by the minutes between the two (at
//   least one, at most ten, so that a long silence does not open the gate).
//   A group that breaks a limit is refused and kept as a candidate: the next
//   group of its kind that agrees with it (within the limits from it) is
//   accepted, so a real jump in the weather is late by one group.
// - The first group of a kind has nothing to be compared with: it is held
//   until the next group of its kind agrees with it. That one is accepted.
// Refusals are counted per kind; held groups are not refusals.
class PlausibilityCheck {
 public:
  enum class Verdict : uint8_t { Accepted, Held, Refused };
  struct Judgement {
    Verdict verdict = Verdict::Accepted;
    std::vector<const char*> refusedFields;  // the fields out of range or beyond a limit
  };

  // Judges the group of `kind` whose fields `candidate` holds (the other
  // kinds' fields are not looked at), received at `now`.
  Judgement judge(GroupKind kind, const WeatherRecord& candidate, const LocalDateTime& now);

  // Judges a group of `kind` whose fields are those of the last group of its
  // kind that was accepted, received `at` (secondsOnClock() of its time),
  // without looking at them: it lies in every range and changed nothing, so
  // it is accepted, becomes the reference at `at` and ends a candidate that
  // was waiting, as judge() would do. Only valid once a group of the kind has
  // been accepted.
  void judgeRepeat(GroupKind kind, int64_t at) {
    const auto index = static_cast<size_t>(groupIndex(kind));
    accepted_[index].at = at;
    candidate_[index].at.reset();
  }

  // Accepts a group of kind K whose fields `candidate` holds and that differs
  // from the last accepted group of its kind only in the fields of the rules
  // in `changed` (bit i: the i-th rule of fieldRules(K)), when each of
  // those lies in its range and within its limits; it becomes the reference
  // `at` (secondsOnClock() of its time). The other fields are in range and
  // unchanged, so judge() would accept it too. Returns false and changes
  // nothing when no group of the kind was accepted yet, a candidate is
  // waiting or one of the rules fails: judge() then decides.
  template <GroupKind K>
  bool acceptChanged(const WeatherRecord& candidate, uint64_t changed, int64_t at);

  // Groups of each kind refused since start, in the order of kGroupKinds.
  const std::array<uint32_t, 5>& refusals() const { return refusals_; }

  // The values under a change limit of a group, in the order of their rules
  // (a kind has at most eight).
  using Values = std::array<int32_t, 8>;

 private:
  // The values under a change limit of the last accepted group of a kind, or
  // of the candidate awaiting confirmation.
  struct Reference {
    Values values{};
    std::optional<int64_t> at;  // seconds on the injected clock; none while empty
  };

  // Seconds of `now`, counted once for the groups that share a time (those
  // of one chunk).
  int64_t secondsAt(const LocalDateTime& now);

  std::array<Reference, 5> accepted_{};
  std::array<Reference, 5> candidate_{};
  std::array<uint32_t, 5> refusals_{};
  LocalDateTime lastNow_{};
  int64_t lastSeconds_ = secondsOnClock(lastNow_);
};

}  // namespace tavik
