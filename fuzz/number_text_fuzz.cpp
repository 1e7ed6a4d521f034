// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary texts typed into a number field. An accepted integer reads back
// from its own decimal text; an accepted decimal number is finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/number_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavik;
  const std::string_view text = fuzz::asText(data, size);
  if (const auto n = parseIntegerText(text)) {
    fuzz::check(parseIntegerText(std::to_string(*n)) == n, "an integer reads back");
  }
  for (const char separator : {',', '.'}) {
    if (const auto x = parseDecimalText(text, separator)) {
      fuzz::check(std::isfinite(*x), "a decimal number is finite");
    }
  }
  fuzz::check(!notAnIntegerMessage(text).empty() && !notAFloatMessage(text).empty(),
              "the messages have text");
  return 0;
}
