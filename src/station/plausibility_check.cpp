// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/plausibility_check.h"

#include <algorithm>

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
  std::array<const FieldRule*, 8> rules{};
  size_t count = 0;
};

const LimitedRules& limitedRules(GroupKind kind) {
  static const std::array<LimitedRules, 5> kLimited = [] {
    std::array<LimitedRules, 5> all{};
    for (GroupKind k : kGroupKinds) {
      LimitedRules& limited = all[static_cast<size_t>(groupIndex(k))];
      for (const FieldRule& rule : fieldRules(k)) {
        if (rule.risePerMinute != kAnyChange || rule.fallPerMinute != kAnyChange)
          limited.rules.at(limited.count++) = &rule;
      }
    }
    return all;
  }();
  return kLimited[static_cast<size_t>(groupIndex(kind))];
}

// The fields of `values` (the limited fields of a candidate) that left the
// limits since `reference`, `seconds` earlier.
std::vector<const char*> brokenLimits(const LimitedRules& limited,
                                      const std::array<int32_t, 8>& reference,
                                      const std::array<int32_t, 8>& values, int64_t seconds) {
  const int64_t minutes = std::clamp(seconds / 60, kMinMinutes, kMaxMinutes);
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

void PlausibilityCheck::judgeRepeat(GroupKind kind, const LocalDateTime& now) {
  const auto index = static_cast<size_t>(groupIndex(kind));
  accepted_[index].at = secondsAt(now);
  candidate_[index].at.reset();
}

}  // namespace tavik
