// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/clock.h"
#include "common/regional.h"

namespace tavik {

// The first line of a message that the packet-radio terminal imports: the
// recipient in a 17-character column, "de:" and the sender, the moment of
// writing, and the terminal's fixed length fields.
std::string mailboxHeaderLine(const std::string& recipient, const std::string& sender,
                              const LocalDateTime& now, const RegionalSettings& rs);

}  // namespace tavik
