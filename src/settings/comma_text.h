// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tavik {

// The comma text in which a profile stores its lines before and after the
// weather values (VOR and NACH), and in which they reach the settings file.
//
// Writing: lines joined with single commas; a line holding a character of
// code 0..32 (controls and the blank), a double quote or a comma is enclosed
// in double quotes with its inner quotes doubled. A list of exactly one empty
// line is written as two double quotes; no lines give the empty text.
std::string writeCommaText(const std::vector<std::string>& lines);

// Reading: blanks and controls (codes 1..32) around items are skipped; a
// quoted item runs to its closing quote (a doubled quote stands for one);
// any other item runs up to the next code 0..32 or comma, so an unquoted
// text with blanks gives one line per word. A comma at the very end of the
// text adds one more, empty, line. A character of code 0 ends the text.
std::vector<std::string> readCommaText(const std::string& text);

}  // namespace tavik
