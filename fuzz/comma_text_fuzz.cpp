// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary comma texts (from the settings file) through the reader: the
// lines read, written again and read back, are the same lines. And the input
// cut at its line feeds, as lines typed into a profile's text box: written
// and read back they are the same lines (a character of code 0 cannot be
// typed and would end the text).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "settings/comma_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavik;
  const std::string_view text = fuzz::asText(data, size);
  const std::vector<std::string> lines = readCommaText(std::string(text));
  fuzz::check(readCommaText(writeCommaText(lines)) == lines, "lines read back the same");

  if (text.find('\0') != std::string_view::npos) return 0;
  std::vector<std::string> typed;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    typed.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  fuzz::check(readCommaText(writeCommaText(typed)) == typed, "typed lines read back the same");
  return 0;
}
