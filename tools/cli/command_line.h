#pragma once

#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavik {

// A command line a tool cannot run with; the tool prints the text and ends
// with exit status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The whole of `text` read as a number for `option`, or a UsageError.
template <class T>
T ParseNumber(std::string_view option, std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end)
    throw UsageError(std::string(option) + ": not a number: '" + std::string(text) + "'");
  return value;
}

// The value after an option that needs one, or a UsageError.
inline std::string_view OptionValue(int argc, char** argv, int& i) {
  if (i + 1 >= argc) throw UsageError(std::string(argv[i]) + " needs a value");
  return argv[++i];
}

}  // namespace tavik
