// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <functional>
#include <streambuf>
#include <string>
#include <string_view>

namespace tavik {

// The priorities a line on standard error can carry for the systemd journal,
// numbered as syslog and sd-daemon.h number them.
enum class Priority { Failure = 3, Warning = 4, Notice = 6 };

// Whether JOURNAL_STREAM ("device:inode") names the file standard error is
// connected to, that is whether the journal reads it.
bool journalStreamNames(const char* journalStream, dev_t device, ino_t inode);
bool standardErrorIsJournal();

// "<3>" and so on: the prefix that tells the journal a line's priority.
std::string priorityPrefix(Priority priority);

// Each line of `text` with the prefix in front, every line ended.
std::string withPriority(Priority priority, std::string_view text);

// A stream buffer in front of another one that passes on whole lines. Writers
// may start a line with its priority prefix. For the journal every line
// leaves with a prefix: its own, else the one `classify` gives it; for a
// terminal or a file every line leaves without one. A line still open at
// destruction is ended.
class JournalLineBuffer : public std::streambuf {
 public:
  using Classifier = std::function<Priority(std::string_view line)>;
  JournalLineBuffer(std::streambuf& target, bool journal, Classifier classify);
  ~JournalLineBuffer() override;

 protected:
  int overflow(int c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  void passLine();

  std::streambuf& target_;
  bool journal_;
  Classifier classify_;
  std::string line_;
};

}  // namespace tavik
