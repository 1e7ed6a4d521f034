// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavik {

// The value rounded to the nearest integer (ties to the even one), written in
// decimal and left-padded with "0" up to `width` characters; a longer number is
// written whole. A minus sign stays in front of the zeros ("-05").
std::string ZeroPadNumber(int width, double value);

}  // namespace tavik
