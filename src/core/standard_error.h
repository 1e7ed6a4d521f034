// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <streambuf>

#include "common/journal_lines.h"

namespace tavik {

// Standard error of both programs for as long as it lives: when the systemd
// journal reads it, every line carries its priority (the writer's own
// prefix, else linePriority()), Qt's messages too; elsewhere the lines go out
// without prefixes. Made first thing in main().
class StandardErrorLines {
 public:
  StandardErrorLines();
  ~StandardErrorLines();
  StandardErrorLines(const StandardErrorLines&) = delete;
  StandardErrorLines& operator=(const StandardErrorLines&) = delete;

 private:
  JournalLineBuffer buffer_;
  std::streambuf* plain_;
};

}  // namespace tavik
