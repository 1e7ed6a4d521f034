// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/plausibility_check.h"

#include <algorithm>
#include <bit>

#include "station/plausibility_rules.h"

namespace tavik {
namespace {

constexpr int64_t kMinMinutes = 1;
constexpr int64_t kMaxMinutes = 10;

// How far a value may move in `minutes` at `perMinute`; kAnyChange stays
// unbounded.
int64_t allowance(int32_t perMinute, int64_t minutes) {
  return perMinute == kAnyChange ? INT64_MAX : int64_t{perMinute} * minutes;
}

bool withinLimits(const FieldRule& rule, int32_t from, int32_t to, int64_t minutes) {
  const int64_t change = int64_t{to} - from;
  if (change < 0 && to <= rule.resetAtMost) return true;
  return change >= 0 ? change <= allowance(rule.risePerMinute, minutes)
                     : -change <= allowance(rule.fallPerMinute, minutes);
}

// The rules of a kind that limit a change, found once: most fields have only
// a range, and a group is compared field by field only where a limit binds.
struct LimitedRules {
  std::span<const FieldRule> all;  // every rule of the kind
  std::array<const FieldRule*, 8> rules{};
  size_t count = 0;
  // For each rule of the kind, its place among `rules`, or -1 without a limit.
  std::array<int8_t, 64> slotOfRule{};
  uint64_t ruleSet = 0;   // bit r: the kind's r-th rule has a limit
  uint64_t allRules = 0;  // bit r: the kind has an r-th rule
};

std::array<LimitedRules, 5> findLimitedRules() {
  std::array<LimitedRules, 5> all{};
  for (GroupKind k : kGroupKinds) {
    LimitedRules& limited = all[static_cast<size_t>(groupIndex(k))];
    limited.slotOfRule.fill(-1);
    const std::span<const FieldRule> rules = fieldRules(k);
    limited.all = rules;
    limited.allRules = rules.size() >= 64 ? ~uint64_t{0} : (uint64_t{1} << rules.size()) - 1;
    for (size_t r = 0; r < rules.size(); ++r) {
      if (rules[r].risePerMinute == kAnyChange && rules[r].fallPerMinute == kAnyChange) continue;
      limited.slotOfRule.at(r) = static_cast<int8_t>(limited.count);
      limited.ruleSet |= uint64_t{1} << r;
      limited.rules.at(limited.count++) = &rules[r];
    }
  }
  return all;
}

const LimitedRules& limitedRules(GroupKind kind) {
  static const std::array<LimitedRules, 5> kLimited = findLimitedRules();
  return kLimited[static_cast<size_t>(groupIndex(kind))];
}

// The minutes the limits are scaled by, for groups `seconds` apart.
int64_t minutesBetween(int64_t seconds) {
  return std::clamp(seconds / 60, kMinMinutes, kMaxMinutes);
}

// The fields of `values` (the limited fields of a candidate) that left the
// limits since `reference`, `seconds` earlier.

std::vector<const char*> brokenLimits(const LimitedRules& limited,
                                      const std::array<int32_t, 8>& reference,
                                      const std::array<int32_t, 8>& values, int64_t seconds) {
  const int64_t minutes = minutesBetween(seconds);
  std::vector<const char*> broken;
  for (size_t i = 0; i < limited.count; ++i) {
    if (!withinLimits(*limited.rules[i], reference[i], values[i], minutes))
      broken.push_back(limited.rules[i]->path);
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
  const LimitedRules& limited = limitedRules(kind);
  std::array<int32_t, 8> values{};
  for (size_t i = 0; i < limited.count; ++i) values[i] = limited.rules[i]->value(candidate);
  Reference& accepted = accepted_[index];
  Reference& waiting = candidate_[index];
  if (accepted.at) {
    j.refusedFields = brokenLimits(limited, accepted.values, values, at - *accepted.at);
  }
  const bool agreesWithLast = accepted.at && j.refusedFields.empty();
  const bool confirms = !agreesWithLast && waiting.at &&
                        brokenLimits(limited, waiting.values, values, at - *waiting.at).empty();
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

void PlausibilityCheck::judgeRepeat(GroupKind kind, int64_t at) {
  const auto index = static_cast<size_t>(groupIndex(kind));
  accepted_[index].at = at;
  candidate_[index].at.reset();
}

// One pass over the changed rules: the range of each, and the limit of those
// that have one; the reference takes the new values only once all passed.
bool PlausibilityCheck::acceptChanged(GroupKind kind, const WeatherRecord& candidate,
                                      uint64_t changed, int64_t at) {
  const auto index = static_cast<size_t>(groupIndex(kind));
  Reference& accepted = accepted_[index];
  if (!accepted.at || candidate_[index].at) return false;
  const LimitedRules& limited = limitedRules(kind);
  if ((changed & ~limited.allRules) != 0) return false;
  const FieldRule* rules = limited.all.data();
  const int64_t minutes = minutesBetween(at - *accepted.at);
  for (uint64_t left = changed; left != 0; left &= left - 1) {
    const auto r = static_cast<size_t>(std::countr_zero(left));
    const FieldRule& rule = rules[r];
    const int32_t v = rule.value(candidate);
    if (v < rule.min || v > rule.max) return false;
    const int slot = limited.slotOfRule[r];
    if (slot >= 0 && !withinLimits(rule, accepted.values[static_cast<size_t>(slot)], v, minutes))
      return false;
  }
  for (uint64_t left = changed & limited.ruleSet; left != 0; left &= left - 1) {
    const auto r = static_cast<size_t>(std::countr_zero(left));
    accepted.values[static_cast<size_t>(limited.slotOfRule[r])] = rules[r].value(candidate);
  }
  accepted.at = at;
  return true;
}

}  // namespace tavik
