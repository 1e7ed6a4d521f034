// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/journal_lines.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace tavik {

namespace {

bool startsWithPrefix(std::string_view line) {
  return line.size() >= 3 && line[0] == '<' && line[1] >= '0' && line[1] <= '7' && line[2] == '>';
}

struct LineRule {
  std::string_view start;
  std::string_view contains;  // "" for any
  Priority priority;
};

// First match wins.
constexpr LineRule kLineRules[] = {
    {"Station: Daten wieder da", "", Priority::Notice},
    {"Station: keine Daten", "", Priority::Warning},
    {"Comport: ", " ist jetzt geöffnet", Priority::Notice},
    {"Unmögliche Werte verworfen", "", Priority::Warning},
    {"MQTT: verbunden mit ", "", Priority::Notice},
    {"MQTT: ausgeschaltet", "", Priority::Notice},
    {"MQTT: Verbindung zu ", " wieder hergestellt", Priority::Notice},
    {"MQTT: Verbindung zu ", " verloren", Priority::Warning},
    {"MQTT: keine Verbindung zu ", "", Priority::Warning},
    {"CWOP: Senden fehlgeschlagen: ", "", Priority::Warning},
    {"CWOP: gesendet: ", "", Priority::Notice},
    {"CWOP: wieder gesendet: ", "", Priority::Notice},
    {"CWOP: ausgeschaltet", "", Priority::Notice},
    {"WU: Senden fehlgeschlagen: ", "", Priority::Warning},
    {"WU: gesendet: ", "", Priority::Notice},
    {"WU: wieder gesendet: ", "", Priority::Notice},
    {"WU: ausgeschaltet", "", Priority::Notice},
    {"JETZT: ", "", Priority::Warning},
    {"tavout.ini nicht übernommen: ", "", Priority::Warning},
    {"TAVIK_CLOCK_START=", "", Priority::Warning},
    {"Wieder geschrieben: ", "", Priority::Notice},
    {"Das Archiv wird wieder geschrieben", "", Priority::Notice},
};

}  // namespace

Priority linePriority(std::string_view line) {
  for (const LineRule& rule : kLineRules) {
    if (line.starts_with(rule.start) &&
        (rule.contains.empty() || line.find(rule.contains) != std::string_view::npos))
      return rule.priority;
  }
  return Priority::Failure;
}

std::string messageLine(const std::string& caption, const std::string& text) {
  const std::string line = caption + ": " + text;
  return withPriority(linePriority(line), line);
}

bool journalStreamNames(const char* journalStream, dev_t device, ino_t inode) {
  if (journalStream == nullptr) return false;
  const std::string text = journalStream;
  const size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) return false;
  char* end = nullptr;
  const unsigned long long d = std::strtoull(text.c_str(), &end, 10);
  if (end != text.c_str() + colon) return false;
  const unsigned long long i = std::strtoull(text.c_str() + colon + 1, &end, 10);
  if (*end != '\0') return false;
  return d == static_cast<unsigned long long>(device) &&
         i == static_cast<unsigned long long>(inode);
}

bool standardErrorIsJournal() {
  struct stat st {};
  if (::fstat(STDERR_FILENO, &st) != 0) return false;
  return journalStreamNames(std::getenv("JOURNAL_STREAM"), st.st_dev, st.st_ino);
}

std::string priorityPrefix(Priority priority) {
  return "<" + std::to_string(static_cast<int>(priority)) + ">";
}

std::string withPriority(Priority priority, std::string_view text) {
  std::string out;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    out += priorityPrefix(priority);
    out.append(text.substr(start, end - start)).append("\n");
    start = end + 1;
  }
  return out;
}

JournalLineBuffer::JournalLineBuffer(std::streambuf& target, bool journal, Classifier classify)
    : target_(target), journal_(journal), classify_(std::move(classify)) {}

JournalLineBuffer::~JournalLineBuffer() {
  if (!line_.empty()) {
    line_ += '\n';
    passLine();
  }
  target_.pubsync();
}

int JournalLineBuffer::overflow(int c) {
  if (c == traits_type::eof()) return traits_type::not_eof(c);
  line_ += static_cast<char>(c);
  if (c == '\n') passLine();
  return c;
}

std::streamsize JournalLineBuffer::xsputn(const char* s, std::streamsize n) {
  for (std::streamsize i = 0; i < n; ++i) overflow(static_cast<unsigned char>(s[i]));
  return n;
}

int JournalLineBuffer::sync() { return target_.pubsync(); }

void JournalLineBuffer::passLine() {
  std::string out = line_;
  if (!journal_ && startsWithPrefix(out)) out.erase(0, 3);
  if (journal_ && !startsWithPrefix(out)) out.insert(0, priorityPrefix(classify_(out)));
  target_.sputn(out.data(), static_cast<std::streamsize>(out.size()));
  line_.clear();
}

}  // namespace tavik
