// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/comma_text.h"

#include <algorithm>

namespace tavik {

namespace {

bool isBlankOrControl(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

bool needsQuotes(const std::string& line) {
  return std::any_of(line.begin(), line.end(), [](char c) {
    return static_cast<unsigned char>(c) <= 32 || c == '"' || c == ',';
  });
}

std::string quoted(const std::string& line) {
  std::string out = "\"";
  for (const char c : line) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

}  // namespace

std::string writeCommaText(const std::vector<std::string>& lines) {
  if (lines.size() == 1 && lines.front().empty()) return "\"\"";
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += ',';
    out += needsQuotes(lines[i]) ? quoted(lines[i]) : lines[i];
  }
  return out;
}

std::vector<std::string> readCommaText(const std::string& text) {
  const size_t end = std::min(text.find('\0'), text.size());
  std::vector<std::string> lines;
  size_t pos = 0;
  const auto skipBlanks = [&] {
    while (pos < end && isBlankOrControl(text[pos])) ++pos;
  };
  skipBlanks();
  while (pos < end) {
    std::string item;
    if (text[pos] == '"') {
      // A quoted item; an unterminated one runs to the end of the text.
      ++pos;
      while (pos < end) {
        if (text[pos] == '"') {
          if (pos + 1 < end && text[pos + 1] == '"') {
            item += '"';
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        item += text[pos++];
      }
    } else {
      const size_t start = pos;
      while (pos<end&& static_cast<unsigned char>(text[pos])> 32 && text[pos] != ',') ++pos;
      item = text.substr(start, pos - start);
    }
    lines.push_back(std::move(item));
    skipBlanks();
    if (pos < end && text[pos] == ',') {
      ++pos;
      if (pos == end) lines.emplace_back();
      skipBlanks();
    }
  }
  return lines;
}

}  // namespace tavik
