// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profiles.h"

#include <algorithm>
#include <cstdint>

#include "common/text_file.h"

namespace tavik {

namespace {

// Control characters in Windows-1252: the C0 range, DEL, and the five bytes
// that stand for the C1 controls U+0081, U+008D, U+008F, U+0090, U+009D.
bool isControlByte(uint8_t b) {
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

}  // namespace

bool isPlainProfileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.front() == ' ' || name.back() == ' ') return false;
  const std::string bytes = utf8ToCp1252(name);
  if (cp1252ToUtf8(bytes) != name) return false;  // not storable in the settings file
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    return c == ']' || c == '/' || c == '\\' || isControlByte(static_cast<uint8_t>(c));
  });
}

bool addProfile(ProfileTable& table, const std::string& name) {
  if (table.maxprofil >= kMaxProfiles) return false;
  ++table.maxprofil;
  table[table.maxprofil] = ProfileEntry{};
  table[table.maxprofil].name = name;
  table.refusedName(table.maxprofil).clear();
  return true;
}

bool deleteProfile(ProfileTable& table, int n) {
  if (n < 1 || n > table.maxprofil) return false;
  const auto first = table.slots.begin() + (n - 1);
  const auto end = table.slots.begin() + table.maxprofil;
  std::move(first + 1, end, first);
  const auto names = table.refusedNames.begin();
  std::move(names + n, names + table.maxprofil, names + (n - 1));
  table[table.maxprofil] = ProfileEntry{};
  table.refusedName(table.maxprofil).clear();
  --table.maxprofil;
  return true;
}

void clearUnusedSlots(ProfileTable& table) {
  if (table.maxprofil > kMaxProfiles) table.maxprofil = kMaxProfiles;
  std::fill(table.slots.begin() + table.maxprofil, table.slots.end(), ProfileEntry{});
  std::fill(table.refusedNames.begin() + table.maxprofil, table.refusedNames.end(), std::string());
}

}  // namespace tavik
