// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes through the Windows-1252 conversion at the file boundary:
// every byte comes back from a load and a save exactly, and arbitrary
// (possibly broken) UTF-8 reaches a fixed point after one save.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/text_file.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavik;
  const std::string_view bytes = fuzz::asText(data, size);
  fuzz::check(utf8ToCp1252(cp1252ToUtf8(bytes)) == bytes, "bytes survive load and save");

  const std::string saved = utf8ToCp1252(bytes);
  fuzz::check(saved.size() <= bytes.size(), "a save never grows the text");
  fuzz::check(utf8ToCp1252(cp1252ToUtf8(saved)) == saved, "a saved text saves the same again");
  return 0;
}
