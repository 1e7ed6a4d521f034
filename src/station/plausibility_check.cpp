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
  return change >= 0 ? change <= allowance(rule.risePerMinute, minutes)
                     : -change <= allowance(rule.fallPerMinute, minutes);
}

// The fields of `candidate` that left the limits since `reference`, `seconds`
// earlier.
std::vector<const char*> brokenLimits(GroupKind kind, const WeatherRecord& reference,
                                      const WeatherRecord& candidate, int64_t seconds) {
  const int64_t minutes = std::clamp(seconds / 60, kMinMinutes, kMaxMinutes);
  std::vector<const char*> broken;
  for (const FieldRule& rule : fieldRules(kind)) {
    if (!withinLimits(rule, rule.value(reference), rule.value(candidate), minutes))
      broken.push_back(rule.path);
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

PlausibilityCheck::Judgement PlausibilityCheck::judge(GroupKind kind,
                                                      const WeatherRecord& candidate,
                                                      const LocalDateTime& now) {
  const int index = groupIndex(kind);
  const int64_t at = secondsOnClock(now);
  Judgement j;
  j.refusedFields = outOfRange(kind, candidate);
  if (!j.refusedFields.empty()) {
    j.verdict = Verdict::Refused;
    ++refusals_[index];
    return j;
  }
  Reference& accepted = accepted_[index];
  Reference& waiting = candidate_[index];
  if (accepted.at) {
    j.refusedFields = brokenLimits(kind, accepted.record, candidate, at - *accepted.at);
  }
  const bool agreesWithLast = accepted.at && j.refusedFields.empty();
  const bool confirms = !agreesWithLast && waiting.at &&
                        brokenLimits(kind, waiting.record, candidate, at - *waiting.at).empty();
  if (agreesWithLast || confirms) {
    accepted = {candidate, at};
    waiting.at.reset();
    j.refusedFields.clear();
    return j;
  }
  waiting = {candidate, at};
  if (!accepted.at) {
    j.verdict = Verdict::Held;
    return j;
  }
  j.verdict = Verdict::Refused;
  ++refusals_[index];
  return j;
}

}  // namespace tavik
