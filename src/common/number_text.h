// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavik {

// Numbers typed into a dialog. Blanks around the number are allowed; anything
// else that is not part of the number makes the text invalid.

// A signed decimal integer in the 32-bit range.
std::optional<int> parseIntegerText(std::string_view text);
// A signed decimal number with the given decimal separator and an optional
// exponent ("13,4", "-74", "1,5E3"); infinite results are refused.
std::optional<double> parseDecimalText(std::string_view text, char decimalSeparator);

// The messages shown when a text is not a number.
std::string notAnIntegerMessage(std::string_view text);
std::string notAFloatMessage(std::string_view text);

}  // namespace tavik
