// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary texts in the four fields of the sun calculator (day, latitude,
// longitude, UTC difference, one per line) through the reading, the
// calculation and the result rows: no crash, no "nan" or "inf" on screen.
#include <cstddef>
#include <cstdint>

#include "astro/sun_times.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavik;
  const auto f = fuzz::fields(data, size, 4);
  const RegionalSettings& rs = RegionalSettings::german();
  const auto inputs = parseSunInputs(f[0], f[1], f[2], f[3], rs);
  fuzz::check(inputs.ok() == inputs.error.empty(), "a value or a message");
  if (!inputs.ok()) return 0;
  const auto times = SunTimesCalc(*inputs.value);
  fuzz::check(times.ok() == times.error.empty(), "times or a message");
  if (!times.ok()) return 0;
  const auto rows = sunResultRows(*times.value, rs);
  fuzz::check(rows.size() == 9, "nine result rows");
  for (const SunResultRow& row : rows) {
    fuzz::check(!fuzz::showsBadNumber(row.value), "no broken number in the results");
  }
  return 0;
}
