// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace tavik {

// The result of a conversion the user started: a value, or the German message
// that tells why there is none (the dialog shows it in a message box).
template <typename T>
struct Outcome {
  std::optional<T> value;
  std::string error;

  static Outcome success(T v) { return Outcome{std::move(v), {}}; }
  static Outcome failure(std::string message) { return Outcome{std::nullopt, std::move(message)}; }
  bool ok() const { return value.has_value(); }
};

}  // namespace tavik
