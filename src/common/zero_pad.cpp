// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/zero_pad.h"

#include <cstdlib>

#include "common/regional.h"

namespace tavik {

std::string ZeroPadNumber(int width, double value) {
  const long long rounded = roundHalfEven(value);
  std::string digits = std::to_string(std::llabs(rounded));
  const std::string sign = rounded < 0 ? "-" : "";
  const int missing = width - static_cast<int>(sign.size() + digits.size());
  if (missing > 0) digits.insert(0, static_cast<size_t>(missing), '0');
  return sign + digits;
}

}  // namespace tavik
