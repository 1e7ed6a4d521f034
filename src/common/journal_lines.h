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

// The priority of a line on standard error by what it says, the same in both
// programs: a failure that stops a product or the port, a warning (no data,
// refused values, a lost or refused connection, a command that wrote an
// incomplete record, a setting left unused), or a notice (news and
// recoveries). A line this does not know is a failure, so that no failure
// passes as news.
Priority linePriority(std::string_view line);

// A message the user is told, "caption: text", as its lines go to standard
// error: each marked with the priority of the whole message.
std::string messageLine(const std::string& caption, const std::string& text);

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
