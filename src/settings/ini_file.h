// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_file.h"

namespace tavik {

// An integer setting as the settings file spells it: a text longer than two
// characters that begins with "0x" or "0X" is hexadecimal; otherwise a
// decimal number with an optional sign, where a leading "$" (after the sign)
// also marks hexadecimal. Hexadecimal numbers up to FFFFFFFF wrap into the
// signed 32-bit range, so colours such as 0x8000000F read back negative.
// Blanks around the number are ignored; anything else, or a number outside
// the 32-bit range, gives the fallback.
int32_t parseIniInteger(std::string_view text, int32_t fallback);

// A settings file in the private-profile form: "[section]" lines, each
// followed by "key=value" lines. The document keeps every line of the file
// in memory, so that lines it does not understand (comments, unknown keys,
// blank lines) are written back as they were.
//
// Section and key names are found without regard to letter case (also for
// the Windows-1252 letters such as "ä"/"Ä"); blanks around names and values
// are not part of them. The first section and the first key of a name count.
// Writing replaces an existing key's line in place, adds a new key after the
// last line of its section and a new section at the end of the file.
// Files are Windows-1252 with CR LF (reading, a line ends at CR LF, LF or a
// lone CR); the document holds UTF-8. A file that is valid UTF-8 with
// characters beyond ASCII, or that starts with a UTF-8 byte order mark, was
// written by an editor in UTF-8: it is read as UTF-8 and saved as UTF-8 again,
// with its byte order mark when it had one.
class IniFile {
 public:
  enum class Encoding { Cp1252, Utf8, Utf8WithBom };

  // Reads the file; a file that does not exist gives an empty document.
  // False, with the system's error text, when it exists but cannot be read.
  bool load(const std::filesystem::path& path, std::string* error = nullptr);

  // Writes the whole document, replacing the file (a symbolic link at the
  // path included, which is not followed) through a temporary file beside it, so a failed save (a
  // full disk) leaves the old file whole; only when the folder takes no new file is the file
  // rewritten in place. A file the user may not write is not replaced. Synced also flushes the new
  // file and its folder to the disk. False, with the system's error text, on failure.
  bool save(const std::filesystem::path& path, std::string* error = nullptr,
            FileReplacement::Durability durability = FileReplacement::Durability::Plain) const;

  // Removes the temporary file an interrupted save of `path` left behind.
  static void removeLeftovers(const std::filesystem::path& path);

  Encoding encoding() const { return encoding_; }

  // The value of a key, or nothing when the section or the key is missing.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // Whether the section exists and holds at least one key.
  bool hasKeys(std::string_view section) const;

  std::string readString(std::string_view section, std::string_view key,
                         const std::string& fallback) const;
  int32_t readInteger(std::string_view section, std::string_view key, int32_t fallback) const;
  // A flag is an integer; any value other than 0 means set.
  bool readFlag(std::string_view section, std::string_view key, bool fallback) const;

  // A value cannot hold a line break: CR and LF are written as blanks.
  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInteger(std::string_view section, std::string_view key, int32_t value);
  void writeFlag(std::string_view section, std::string_view key, bool value);
  // Gives the key `from` of the section the name `to` in its place; where
  // `to` stands already, the line of `from` is dropped.
  void renameKey(std::string_view section, std::string_view from, std::string_view to);

 private:
  size_t findSection(std::string_view section) const;
  size_t sectionEnd(size_t header) const;
  size_t findKey(size_t header, std::string_view key) const;

  std::vector<std::string> lines_;
  Encoding encoding_ = Encoding::Cp1252;
};

}  // namespace tavik
