// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <charconv>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavik {

// A command line a program cannot run with; the program prints the text
// (German, like its usage) on standard error and ends with exit status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The whole of `text` read as a number for `option`, or a UsageError.
template <class T>
T parseNumber(std::string_view option, std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end)
    throw UsageError(std::string(option) + ": keine Zahl: '" + std::string(text) + "'");
  return value;
}

// One option of a program's table: its long name ("folder" for --folder), the
// letter of its short form ('f' for -f; 0 for none), whether it takes a value,
// and the number the program tells it by.
struct CommandOption {
  std::string_view name;
  char letter = 0;
  bool takesValue = false;
  int id = 0;
};

// Reads the options of a command line (argv[1] to argv[argc - 1]):
// "--name", "--name value" and "--name=value"; a long name may be shortened
// as long as it names one option alone ("--dur" for --duration); short forms
// may be grouped ("-hV"), and a short form's value may follow it directly
// ("-fDIR") or as the next word. Options may stand anywhere among the other
// words; "--" ends them, and "-" alone is no option. `take` gets each option's
// id and value ("" for one without a value), in the order given. Returns the
// other words in their order. Throws UsageError for an unknown or ambiguous
// option, a missing value and a value given to an option that takes none.
std::vector<std::string> parseOptions(
    int argc, const char* const* argv, std::span<const CommandOption> options,
    const std::function<void(int id, std::string_view value)>& take);

// "<tool> <version>\n", the version of the project the tool was built with.
std::string versionText(std::string_view tool);

}  // namespace tavik
