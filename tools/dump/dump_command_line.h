// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace tavik {

struct DumpCommandLine {
  bool json = false;
  size_t chunk = 1024;
  std::string file;  // "-" is standard input
  std::string port;  // a serial device instead of a file
  bool help = false;
  bool version = false;
};

extern const char* const kDumpUsage;

// Reads the options (--opt=value or --opt value) and the file. Throws
// UsageError.
DumpCommandLine parseDumpCommandLine(int argc, char** argv);

}  // namespace tavik
