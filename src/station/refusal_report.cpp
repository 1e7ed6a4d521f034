// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/refusal_report.h"

#include <cstdio>

namespace tavik {
namespace {

constexpr int64_t kQuietSeconds = 60;

std::string fieldList(const PlausibilityCheck::Judgement& judgement) {
  std::string text;
  for (const char* field : judgement.refusedFields) {
    if (!text.empty()) text += ", ";
    text += field;
  }
  return text;
}

}  // namespace

void RefusalReport::refused(GroupKind kind, const PlausibilityCheck::Judgement& judgement) {
  ++unreported_;
  const int64_t now = secondsOnClock(clock_.now());
  if (lastReport_ && now - *lastReport_ < kQuietSeconds && now >= *lastReport_) return;
  char name[3];
  std::snprintf(name, sizeof name, "%02X", static_cast<unsigned>(kind));
  log_ << "Unmögliche Werte verworfen: Datengruppe " << name << " (" << fieldList(judgement) << ")";
  if (unreported_ > 1) log_ << ", " << unreported_ << " Datengruppen seit der letzten Meldung";
  log_ << '\n';
  log_.flush();
  lastReport_ = now;
  unreported_ = 0;
}

}  // namespace tavik
