// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ini_file.h"

#include <algorithm>
#include <system_error>

#include "common/text_file.h"

namespace tavik {

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

std::string_view trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A name folded for comparison without regard to case: its Windows-1252
// bytes with every upper-case letter turned into its lower-case form.
std::string folded(std::string_view utf8) {
  std::string bytes = utf8ToCp1252(utf8);
  for (char& c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
      c = static_cast<char>(b + 0x20);
    } else if (b == 0x8A || b == 0x8C || b == 0x8E) {  // Š Œ Ž
      c = static_cast<char>(b + 0x10);
    } else if (b == 0x9F) {  // Ÿ
      c = static_cast<char>(0xFF);
    }
  }
  return bytes;
}

// The name of the section a line opens, or nothing for any other line.
std::optional<std::string_view> sectionOf(std::string_view line) {
  const std::string_view t = trimmed(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const size_t close = t.find(']');
  return trimmed(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

// The key of a "key=value" line, or nothing for any other line.
std::optional<std::string_view> keyOf(std::string_view line) {
  if (sectionOf(line)) return std::nullopt;
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const std::string_view key = trimmed(line.substr(0, eq));
  if (key.empty()) return std::nullopt;
  return key;
}

std::string_view valueOf(std::string_view line) { return trimmed(line.substr(line.find('=') + 1)); }

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

int32_t parseIniInteger(std::string_view text, int32_t fallback) {
  text = trimmed(text);
  bool negative = false;
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
      negative = text[0] == '-';
      text.remove_prefix(1);
    }
    if (!text.empty() && text[0] == '$') {
      base = 16;
      text.remove_prefix(1);
    }
  }
  if (text.empty()) return fallback;
  uint64_t magnitude = 0;
  for (const char c : text) {
    const int digit = digitValue(c);
    if (digit >= static_cast<int>(base)) return fallback;
    magnitude = magnitude * base + static_cast<unsigned>(digit);
    if (magnitude > 0xFFFFFFFFu) return fallback;
  }
  if (base == 16) {
    // Two's complement wrap: 0x8000000F is the system colour 15.
    const uint32_t bits = static_cast<uint32_t>(magnitude);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
  }
  if (magnitude > (negative ? 2147483648u : 2147483647u)) return fallback;
  const int64_t signedValue =
      negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return static_cast<int32_t>(signedValue);
}

bool IniFile::load(const std::filesystem::path& path, std::string* error) {
  lines_.clear();
  encoding_ = Encoding::Cp1252;
  std::string text;
  std::string readError;
  if (!readFileBytes(path, text, &readError)) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return true;
    if (error) *error = readError;
    return false;
  }
  if (text.starts_with(kUtf8Bom)) {
    encoding_ = Encoding::Utf8WithBom;
    text.erase(0, kUtf8Bom.size());
  } else if (isNonAsciiUtf8(text)) {
    encoding_ = Encoding::Utf8;
  } else {
    text = cp1252ToUtf8(text);
  }
  // A line ends at CR LF, at LF or at a lone CR, as editors show it, so no
  // line holds a line break: a value read and written back stays the same.
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    lines_.push_back(text.substr(start, end - start));
    start = end + 1;
    if (start < text.size() && text[end] == '\r' && text[start] == '\n') ++start;
  }
  return true;
}

bool IniFile::save(const std::filesystem::path& path, std::string* error,
                   FileReplacement::Durability durability) const {
  std::string bytes = encoding_ == Encoding::Utf8WithBom ? std::string(kUtf8Bom) : std::string();
  for (const std::string& line : lines_) {
    bytes += encoding_ == Encoding::Cp1252 ? utf8ToCp1252(line) : line;
    bytes += "\r\n";
  }
  FileReplacement file;
  if (file.open(path, durability) && file.writeRaw(bytes) && file.commit()) return true;
  if (error) *error = file.error();
  return false;
}

void IniFile::removeLeftovers(const std::filesystem::path& path) {
  // The temporary file lies beside the path as given; a link there is
  // removed, never followed.
  std::error_code ec;
  const std::filesystem::path temp = FileReplacement::temporaryPath(path);
  const auto status = std::filesystem::symlink_status(temp, ec);
  if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status)) {
    std::filesystem::remove(temp, ec);
  }
}

size_t IniFile::findSection(std::string_view section) const {
  const std::string wanted = folded(section);
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = sectionOf(lines_[i]);
    if (name && folded(*name) == wanted) return i;
  }
  return kNone;
}

size_t IniFile::sectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && !sectionOf(lines_[i])) ++i;
  return i;
}

size_t IniFile::findKey(size_t header, std::string_view key) const {
  const std::string wanted = folded(key);
  const size_t end = sectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    const auto name = keyOf(lines_[i]);
    if (name && folded(*name) == wanted) return i;
  }
  return kNone;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const size_t header = findSection(section);
  if (header == kNone) return std::nullopt;
  const size_t line = findKey(header, key);
  if (line == kNone) return std::nullopt;
  return std::string(valueOf(lines_[line]));
}

bool IniFile::hasKeys(std::string_view section) const {
  const size_t header = findSection(section);
  if (header == kNone) return false;
  const size_t end = sectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    if (keyOf(lines_[i])) return true;
  }
  return false;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                const std::string& fallback) const {
  return value(section, key).value_or(fallback);
}

int32_t IniFile::readInteger(std::string_view section, std::string_view key,
                             int32_t fallback) const {
  const auto text = value(section, key);
  return text ? parseIniInteger(*text, fallback) : fallback;
}

bool IniFile::readFlag(std::string_view section, std::string_view key, bool fallback) const {
  return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::renameKey(std::string_view section, std::string_view from, std::string_view to) {
  const size_t header = findSection(section);
  if (header == kNone) return;
  const size_t line = findKey(header, from);
  if (line == kNone) return;
  if (findKey(header, to) != kNone) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    return;
  }
  lines_[line] = std::string(to) + "=" + std::string(valueOf(lines_[line]));
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  const size_t header = findSection(section);
  if (header == kNone) {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(line));
    return;
  }
  const size_t existing = findKey(header, key);
  if (existing != kNone) {
    lines_[existing] = std::move(line);
    return;
  }
  // After the section's last line that is not blank, so that blank lines
  // before the next section stay where they are.
  size_t insertAt = sectionEnd(header);
  while (insertAt > header + 1 && trimmed(lines_[insertAt - 1]).empty()) --insertAt;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int32_t value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::writeFlag(std::string_view section, std::string_view key, bool value) {
  writeString(section, key, value ? "1" : "0");
}

}  // namespace tavik
