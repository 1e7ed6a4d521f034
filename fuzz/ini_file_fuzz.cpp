// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a settings file read by the ini layer, and as an
// integer setting. Every key the file names can be read; a document with new
// keys written into it and saved reads back the same, new keys and old.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "settings/ini_file.h"

namespace {

using namespace tavik;

// The names used to probe the document: a fixed section and key, and the
// ones spelt by the file's first two lines (trimmed by the document itself).
struct Probe {
  std::string section;
  std::string key;
};

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

void checkInteger(std::string_view text) {
  const int32_t a = parseIniInteger(text, 0);
  const int32_t b = parseIniInteger(text, 1);
  if (a != b) return;  // not a number
  fuzz::check(parseIniInteger(std::to_string(a), 7) == a, "an integer reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::asText(data, size);
  checkInteger(bytes);

  const std::filesystem::path path = fuzz::scratchFolder() / "fuzz.ini";
  fuzz::writeBytes(path, bytes);
  IniFile ini;
  fuzz::check(ini.load(path), "a readable file loads");

  const auto f = fuzz::fields(data, size, 3);
  const Probe probes[] = {{"Alles", "Comport"}, {std::string(f[0]), std::string(f[1])}};
  std::optional<std::string> before[2];
  for (size_t i = 0; i < 2; ++i) {
    const Probe& p = probes[i];
    before[i] = ini.value(p.section, p.key);
    if (before[i]) checkInteger(*before[i]);
    (void)ini.readFlag(p.section, p.key, true);
    (void)ini.hasKeys(p.section);
  }

  // New keys in an existing and in a new section.
  ini.writeInteger("Alles", "FuzzNumber", -2147483647 - 1);
  ini.writeString("FuzzSection", "FuzzText", "a=b [c]");
  fuzz::check(ini.readInteger("Alles", "FuzzNumber", 0) == -2147483647 - 1, "written integer");
  fuzz::check(ini.value("FuzzSection", "FuzzText") == "a=b [c]", "written text");

  const std::filesystem::path copy = fuzz::scratchFolder() / "fuzz-saved.ini";
  fuzz::check(ini.save(copy), "the document saves");
  IniFile again;
  fuzz::check(again.load(copy), "the saved file loads");
  fuzz::check(again.readInteger("Alles", "FuzzNumber", 0) == -2147483647 - 1, "saved integer");
  fuzz::check(again.value("FuzzSection", "FuzzText") == "a=b [c]", "saved text");
  for (size_t i = 0; i < 2; ++i) {
    const Probe& p = probes[i];
    if (sameName(p.key, "FuzzNumber") || sameName(p.key, "FuzzText")) continue;
    fuzz::check(again.value(p.section, p.key) == before[i], "old keys keep their values");
  }
  return 0;
}
