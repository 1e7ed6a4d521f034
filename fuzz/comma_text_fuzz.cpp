// Arbitrary comma texts (from the settings file) through the reader; the
// lines read, written again and read back, are the same lines.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "products/comma_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavik;
  const std::vector<std::string> lines = readCommaText(std::string(fuzz::asText(data, size)));
  fuzz::check(readCommaText(writeCommaText(lines)) == lines, "written lines read back the same");
  return 0;
}
