// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/plausibility_check.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "station/plausibility_rules.h"

namespace tavik {
namespace {

constexpr int64_t kMinMinutes = 1;
constexpr int64_t kMaxMinutes = 10;

// The change limits of a rule per minute, kAnyChange as a bound that no
// difference of two 32-bit values reaches even in one minute (and that ten
// minutes cannot overflow): the check then needs no case for it.
struct Limits {
  int64_t risePerMinute = 0;
  int64_t fallPerMinute = 0;
  uint8_t slot = 0;  // of the rule's value in a Reference, when it has a limit
};
constexpr int64_t kUnbounded = int64_t{1} << 40;
constexpr size_t kMaxLimited = std::tuple_size_v<PlausibilityCheck::Values>;

int64_t perMinute(int32_t limit) { return limit == kAnyChange ? kUnbounded : limit; }

// Whether a value may move from `from` to `to` in `minutes`; a fall to
// resetAtMost or below is a counter reset. Both limits are never negative,
// so a rise passes the fall limit and a fall the rise limit. Written without
// branches: the fast path asks it for whatever field changed, and a
// mispredicted branch costs more than the few operations it saves.
bool withinLimits(const FieldRule& rule, const Limits& limits, int32_t from, int32_t to,
                  int64_t minutes) {
  const int64_t change = int64_t{to} - from;
  const bool reset = (change < 0) & (to <= rule.resetAtMost);
  return reset |
         ((change <= limits.risePerMinute * minutes) & (-change <= limits.fallPerMinute * minutes));
}

// The rules of a kind with their limits, found once: most fields have only a
// range, and a group is compared field by field only where a limit binds.
struct KindRules {
  std::span<const FieldRule> all;     // every rule of the kind
  std::array<Limits, 64> limitsOf{};  // for each rule of `all`
  // The rules with a limit, in order: their values fill a Reference.
  std::array<uint8_t, kMaxLimited> limited{};
  size_t count = 0;
  uint64_t allRules = 0;      // bit r: the kind has an r-th rule
  uint64_t limitedRules = 0;  // bit r: the r-th rule has a limit
  // The rules of fields of 8, 16 and 32 bits.
  std::array<uint64_t, 3> ofWidth{};
};

std::array<KindRules, 5> findKindRules() {
  std::array<KindRules, 5> all{};
  for (GroupKind k : kGroupKinds) {
    KindRules& kr = all[static_cast<size_t>(groupIndex(k))];
    const std::span<const FieldRule> rules = fieldRules(k);
    kr.all = rules;
    kr.allRules = rules.size() >= 64 ? ~uint64_t{0} : (uint64_t{1} << rules.size()) - 1;
    for (size_t r = 0; r < rules.size(); ++r) {
      const uint32_t mask = rules[r].mask;
      kr.ofWidth[mask == 0xFF ? 0 : mask == 0xFFFF ? 1 : 2] |= uint64_t{1} << r;
      Limits& limits = kr.limitsOf.at(r);
      limits = {perMinute(rules[r].risePerMinute), perMinute(rules[r].fallPerMinute)};
      if (rules[r].risePerMinute == kAnyChange && rules[r].fallPerMinute == kAnyChange) continue;
      limits.slot = static_cast<uint8_t>(kr.count);
      kr.limitedRules |= uint64_t{1} << r;
      kr.limited.at(kr.count++) = static_cast<uint8_t>(r);
    }
  }
  return all;
}

// Found before main() from the constant rule tables, so that asking for them
// costs no guard.
const std::array<KindRules, 5> kKindRules = findKindRules();

const KindRules& kindRules(GroupKind kind) {
  return kKindRules[static_cast<size_t>(groupIndex(kind))];
}

// The minutes the limits are scaled by, for groups `seconds` apart.
int64_t minutesBetween(int64_t seconds) {
  return std::clamp(seconds / 60, kMinMinutes, kMaxMinutes);
}

// The fields of `values` (the limited fields of a candidate) that left the
// limits since `reference`, `seconds` earlier.

std::vector<const char*> brokenLimits(const KindRules& kr,
                                      const PlausibilityCheck::Values& reference,
                                      const PlausibilityCheck::Values& values, int64_t seconds) {
  const int64_t minutes = minutesBetween(seconds);
  std::vector<const char*> broken;
  for (size_t i = 0; i < kr.count; ++i) {
    const size_t r = kr.limited[i];
    if (!withinLimits(kr.all[r], kr.limitsOf[r], reference[i], values[i], minutes))
      broken.push_back(kr.all[r].path);
  }
  return broken;
}

std::vector<const char*> outOfRange(GroupKind kind, const WeatherRecord& candidate) {
  std::vector<const char*> out;
  for (const FieldRule& rule : fieldRules(kind)) {
    const int32_t v = rule.value(candidate);
    if (v < rule.min || v > rule.max) out.push_back(rule.path);
  }
  return out;
}

}  // namespace

int64_t secondsOnClock(const LocalDateTime& t) {
  return (daysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 3600 + t.minute * 60 + t.second;
}

int64_t PlausibilityCheck::secondsAt(const LocalDateTime& now) {
  if (!(now == lastNow_)) {
    lastNow_ = now;
    lastSeconds_ = secondsOnClock(now);
  }
  return lastSeconds_;
}

PlausibilityCheck::Judgement PlausibilityCheck::judge(GroupKind kind,
                                                      const WeatherRecord& candidate,
                                                      const LocalDateTime& now) {
  const int index = groupIndex(kind);
  const int64_t at = secondsAt(now);
  Judgement j;
  j.refusedFields = outOfRange(kind, candidate);
  if (!j.refusedFields.empty()) {
    j.verdict = Verdict::Refused;
    ++refusals_[index];
    return j;
  }
  const KindRules& kr = kindRules(kind);
  Values values{};
  for (size_t i = 0; i < kr.count; ++i) values[i] = kr.all[kr.limited[i]].value(candidate);
  Reference& accepted = accepted_[index];
  Reference& waiting = candidate_[index];
  if (accepted.at) {
    j.refusedFields = brokenLimits(kr, accepted.values, values, at - *accepted.at);
  }
  const bool agreesWithLast = accepted.at && j.refusedFields.empty();
  const bool confirms = !agreesWithLast && waiting.at &&
                        brokenLimits(kr, waiting.values, values, at - *waiting.at).empty();
  if (agreesWithLast || confirms) {
    accepted = {values, at};
    waiting.at.reset();
    j.refusedFields.clear();
    return j;
  }
  waiting = {values, at};
  if (!accepted.at) {
    j.verdict = Verdict::Held;
    return j;
  }
  j.verdict = Verdict::Refused;
  ++refusals_[index];
  return j;
}

// One pass over the changed rules, without a branch on their values: the
// range of each, and the limit of those that have one, gathered into one
// flag. The new values are written into the reference at once; the rare
// group that fails puts the old ones back. Every value is read and written
// as wide as it is stored: a wider read across neighbouring values written
// moments ago (a field by the decoder, a reference value by the last group
// of the kind) would wait until all of those stores are done.
template <GroupKind K>
bool PlausibilityCheck::acceptChanged(const WeatherRecord& candidate, uint64_t changed,
                                      int64_t at) {
  constexpr auto index = static_cast<size_t>(groupIndex(K));
  Reference& accepted = accepted_[index];
  if (!accepted.at || candidate_[index].at) return false;
  const KindRules& kr = kindRules(K);
  if ((changed & ~kr.allRules) != 0) return false;
  const int64_t minutes = minutesBetween(at - *accepted.at);
  // The fields without a limit need only their range; those with one are
  // compared with the reference, which takes their new values at once (each
  // has a place of its own) and gets the old ones back when a field fails.
  Values was{};
  const auto failing = [&]<typename T, bool kLimited>(uint64_t rules) {
    bool fails = false;
    for (uint64_t left = rules; left != 0; left &= left - 1) {
      const auto r = static_cast<size_t>(std::countr_zero(left));
      const FieldRule& rule = kr.all[r];
      T field;
      std::memcpy(&field, reinterpret_cast<const unsigned char*>(&candidate) + rule.offset,
                  sizeof field);
      const auto v = static_cast<int32_t>(field);
      bool holds = (v >= rule.min) & (v <= rule.max);
      if constexpr (kLimited) {
        const Limits& limits = kr.limitsOf[r];
        const int32_t from = accepted.values[limits.slot];
        holds &= withinLimits(rule, limits, from, v, minutes);
        was[limits.slot] = from;
        accepted.values[limits.slot] = v;
      }
      fails |= !holds;
    }
    return fails;
  };
  const uint64_t free = changed & ~kr.limitedRules;
  const uint64_t limited = changed & kr.limitedRules;
  const bool fails = failing.template operator()<uint8_t, false>(free & kr.ofWidth[0]) |
                     failing.template operator()<uint16_t, false>(free & kr.ofWidth[1]) |
                     failing.template operator()<int32_t, false>(free & kr.ofWidth[2]) |
                     failing.template operator()<uint8_t, true>(limited & kr.ofWidth[0]) |
                     failing.template operator()<uint16_t, true>(limited & kr.ofWidth[1]) |
                     failing.template operator()<int32_t, true>(limited & kr.ofWidth[2]);
  if (fails) {
    for (uint64_t left = limited; left != 0; left &= left - 1) {
      const uint8_t slot = kr.limitsOf[static_cast<size_t>(std::countr_zero(left))].slot;
      accepted.values[slot] = was[slot];
    }
    return false;
  }
  accepted.at = at;
  return true;
}
template bool PlausibilityCheck::acceptChanged<GroupKind::G8F>(const WeatherRecord&, uint64_t,
                                                               int64_t);
template bool PlausibilityCheck::acceptChanged<GroupKind::G9F>(const WeatherRecord&, uint64_t,
                                                               int64_t);
template bool PlausibilityCheck::acceptChanged<GroupKind::GAF>(const WeatherRecord&, uint64_t,
                                                               int64_t);
template bool PlausibilityCheck::acceptChanged<GroupKind::GBF>(const WeatherRecord&, uint64_t,
                                                               int64_t);
template bool PlausibilityCheck::acceptChanged<GroupKind::GCF>(const WeatherRecord&, uint64_t,
                                                               int64_t);

}  // namespace tavik
