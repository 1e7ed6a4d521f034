// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archive_row.h"

#include "archive/archive_fields.h"

namespace tavik {

const ArchiveField& fieldOf(ArchiveQuantity q) {
  static constexpr std::array<size_t, kArchiveQuantityCount> kIndex = {
      0,   // TempOut
      1,   // TempIn
      2,   // HumOut
      3,   // HumIn
      4,   // DewOut
      5,   // DewIn
      6,   // BaroLocal
      7,   // BaroSea
      10,  // WindSpeed
      11,  // WindAvg
      14,  // Gust
      16,  // RainRate
      18,  // Chill
  };
  return kArchiveFields[kIndex[static_cast<size_t>(q)]];
}

std::optional<double> quantityValue(const ArchiveRow& row, ArchiveQuantity q) {
  const ArchiveField& f = fieldOf(q);
  const std::optional<int32_t>& v = row.*f.member;
  if (!v) return std::nullopt;
  return *v * f.scale;
}

}  // namespace tavik
