// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: cutting one input into several texts, and a
// check that stops the run with a readable reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::fuzz {

inline std::string_view asText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input cut at its first count - 1 line feeds into count texts (missing
// ones are empty; the last one keeps any further line feeds).
inline std::vector<std::string_view> fields(const uint8_t* data, size_t size, size_t count) {
  std::string_view rest = asText(data, size);
  std::vector<std::string_view> out;
  while (out.size() + 1 < count) {
    const size_t end = rest.find('\n');
    out.push_back(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  }
  out.push_back(rest);
  return out;
}

// Whether a shown text reports a number that went wrong ("nan", "inf").
inline bool showsBadNumber(std::string_view text) {
  for (size_t i = 0; i + 3 <= text.size(); ++i) {
    const auto lower = [&](size_t k) { return static_cast<char>(text[i + k] | 0x20); };
    if ((lower(0) == 'n' && lower(1) == 'a' && lower(2) == 'n') ||
        (lower(0) == 'i' && lower(1) == 'n' && lower(2) == 'f')) {
      return true;
    }
  }
  return false;
}

// A folder of its own for this run's files, removed when the run ends.
inline const std::filesystem::path& scratchFolder() {
  struct Folder {
    std::filesystem::path path;
    Folder() {
      std::string name = (std::filesystem::temp_directory_path() / "tavik-fuzz-XXXXXX").string();
      if (!mkdtemp(name.data())) std::abort();
      path = name;
    }
    ~Folder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static const Folder folder;
  return folder.path;
}

// Writes the bytes as they are into a file.
inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::abort();
}

inline void check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace tavik::fuzz
