// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tavik {

// The version text shown in the about box and written into the report footer.
inline constexpr std::string_view programVersion = "0.1.9.8b";

}  // namespace tavik
