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
};

extern const char* const kDumpUsage;

// Throws UsageError.
DumpCommandLine ParseDumpCommandLine(int argc, char** argv);

}  // namespace tavik
