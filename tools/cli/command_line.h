// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <getopt.h>

#include <charconv>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavik {

// A command line a tool cannot run with; the tool prints the text (German,
// like its usage) on standard error and ends with exit status 2.
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

// Reads the options of a command line with getopt_long, so that "--name
// value" and "--name=value" both work; an option whose `val` is a letter also
// has that letter as its short form ("-h"). `options` ends with an all-zero
// entry. `take` gets each option's `val` and its value ("" for a flag), in
// the order given. Returns the arguments that are not options. Throws
// UsageError for an unknown option or a missing value.
std::vector<std::string> parseOptions(
    int argc, char** argv, std::span<const option> options,
    const std::function<void(int val, std::string_view value)>& take);

// "<tool> <version>\n", the version of the project the tool was built with.
std::string versionText(std::string_view tool);

}  // namespace tavik
