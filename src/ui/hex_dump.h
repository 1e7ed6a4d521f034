// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tavik {

// Received bytes as the lines of a hex dump, 16 bytes a line:
// "00000010  8F 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  |................|"
// with the count of bytes before the line in hex, the bytes in two groups of
// eight, and the printable ASCII bytes as themselves, the others as dots.
// Every line is equally wide, a short one padded, so columns line up in a
// fixed-pitch font.
std::string hexDumpLine(uint64_t offset, std::span<const uint8_t> bytes);

class HexDump {
 public:
  static constexpr size_t kBytesPerLine = 16;

  // Adds bytes; the lines they complete.
  std::vector<std::string> add(std::span<const uint8_t> bytes);
  // The line still being filled, empty when there is none.
  std::string partialLine() const;
  uint64_t total() const { return lineStart_ + pending_.size(); }

 private:
  uint64_t lineStart_ = 0;  // bytes before the line being filled
  std::vector<uint8_t> pending_;
};

}  // namespace tavik
