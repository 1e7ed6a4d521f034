// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/hex_dump.h"

#include <cstdio>

namespace tavik {

std::string hexDumpLine(uint64_t offset, std::span<const uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char start[20];
  std::snprintf(start, sizeof start, "%08llX", static_cast<unsigned long long>(offset));
  std::string line = std::string(start) + " ";
  std::string text = "|";
  for (size_t i = 0; i < HexDump::kBytesPerLine; ++i) {
    line += i == 8 ? "  " : " ";
    if (i < bytes.size()) {
      line += kDigits[bytes[i] >> 4];
      line += kDigits[bytes[i] & 0x0F];
      text += bytes[i] >= 0x20 && bytes[i] < 0x7F ? static_cast<char>(bytes[i]) : '.';
    } else {
      line += "  ";
      text += ' ';
    }
  }
  return line + "  " + text + "|";
}

std::vector<std::string> HexDump::add(std::span<const uint8_t> bytes) {
  std::vector<std::string> lines;
  for (const uint8_t b : bytes) {
    pending_.push_back(b);
    if (pending_.size() == kBytesPerLine) {
      lines.push_back(hexDumpLine(lineStart_, pending_));
      lineStart_ += kBytesPerLine;
      pending_.clear();
    }
  }
  return lines;
}

std::string HexDump::partialLine() const {
  return pending_.empty() ? std::string() : hexDumpLine(lineStart_, pending_);
}

}  // namespace tavik
