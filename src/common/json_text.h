// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavik {

// A JSON string literal, quotes included: quote, backslash and control
// characters escaped, other UTF-8 passed through.
std::string jsonString(std::string_view text);

}  // namespace tavik
