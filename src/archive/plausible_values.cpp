// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/plausible_values.h"

#include <array>
#include <cstring>
#include <optional>

#include "station/plausibility_rules.h"

namespace tavik {

namespace {

struct RangedField {
  std::optional<int32_t> ArchiveRow::*member;
  GroupKind kind;
  const char* path;
};

constexpr std::array<RangedField, 17> kRanged = {{
    {&ArchiveRow::tempOut, GroupKind::G9F, "TempOut.Current"},
    {&ArchiveRow::tempIn, GroupKind::G9F, "TempIn.Current"},
    {&ArchiveRow::humOut, GroupKind::G8F, "HumOut.Current"},
    {&ArchiveRow::humIn, GroupKind::G8F, "HumIn.Current"},
    {&ArchiveRow::dewOut, GroupKind::GAF, "DewOut.Current"},
    {&ArchiveRow::dewIn, GroupKind::GAF, "DewIn.Current"},
    {&ArchiveRow::baroLocal, GroupKind::GAF, "Baro.Local"},
    {&ArchiveRow::baroSea, GroupKind::GAF, "Baro.SeaLevel"},
    {&ArchiveRow::windSpeed, GroupKind::GCF, "Wind.Speed"},
    {&ArchiveRow::windAvg, GroupKind::GCF, "Wind.AvgSpeed"},
    {&ArchiveRow::windDir, GroupKind::GCF, "Wind.Dir"},
    {&ArchiveRow::windAvgDir, GroupKind::GCF, "Wind.AvgDir"},
    {&ArchiveRow::gust, GroupKind::GCF, "Wind.Speed"},
    {&ArchiveRow::gustDir, GroupKind::GCF, "Wind.Dir"},
    {&ArchiveRow::rainRate, GroupKind::GBF, "Rain.Rate"},
    {&ArchiveRow::rainTotal, GroupKind::GBF, "Rain.Total"},
    {&ArchiveRow::chill, GroupKind::GCF, "Chill.Current"},
}};

const FieldRule* ruleOf(GroupKind kind, const char* path) {
  for (const FieldRule& rule : fieldRules(kind))
    if (std::strcmp(rule.path, path) == 0) return &rule;
  return nullptr;
}

bool isCode(int32_t v, std::initializer_list<int32_t> codes) {
  for (int32_t c : codes)
    if (v == c) return true;
  return false;
}

}  // namespace

int dropImplausible(ArchiveRow& row) {
  static const std::array<const FieldRule*, kRanged.size()> rules = [] {
    std::array<const FieldRule*, kRanged.size()> found{};
    for (size_t i = 0; i < kRanged.size(); ++i) found[i] = ruleOf(kRanged[i].kind, kRanged[i].path);
    return found;
  }();
  int dropped = 0;
  for (size_t i = 0; i < kRanged.size(); ++i) {
    std::optional<int32_t>& v = row.*kRanged[i].member;
    const FieldRule* rule = rules[i];
    if (v && rule && (*v < rule->min || *v > rule->max)) {
      v.reset();
      ++dropped;
    }
  }
  if (row.trend && !isCode(*row.trend, {1, 2, 4})) {
    row.trend.reset();
    ++dropped;
  }
  if (row.forecast && !isCode(*row.forecast, {1, 2, 4, 8})) {
    row.forecast.reset();
    ++dropped;
  }
  return dropped;
}

}  // namespace tavik
