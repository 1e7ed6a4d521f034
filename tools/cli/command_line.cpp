// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <cctype>

#include "common/version.h"

namespace tavik {

std::vector<std::string> parseOptions(
    int argc, char** argv, std::span<const option> options,
    const std::function<void(int val, std::string_view value)>& take) {
  // A leading ':' makes getopt_long answer ':' for a missing value, '?' for
  // an unknown option, and print nothing itself.
  std::string shortOptions = ":";
  for (const option& o : options) {
    if (o.name == nullptr || o.flag != nullptr || o.val <= 0 || o.val > 127 || !std::isalpha(o.val))
      continue;
    shortOptions += static_cast<char>(o.val);
    if (o.has_arg == required_argument) shortOptions += ':';
  }
  opterr = 0;
  optind = 0;  // glibc: start afresh, also after an earlier command line
  for (int c; (c = getopt_long(argc, argv, shortOptions.c_str(), options.data(), nullptr)) != -1;) {
    if (c == '?' || c == ':') {
      // A long option is named as written, a short one by its letter.
      const std::string arg = argv[optind - 1];
      const std::string name =
          arg.starts_with("--") ? arg : "-" + std::string(1, static_cast<char>(optopt));
      throw UsageError(c == '?' ? "unbekannte Option: " + name : name + " braucht einen Wert");
    }
    take(c, optarg != nullptr ? optarg : "");
  }
  return std::vector<std::string>(argv + optind, argv + argc);
}

std::string versionText(std::string_view tool) {
  return std::string(tool) + " " + std::string(programVersion) + "\n";
}

}  // namespace tavik
