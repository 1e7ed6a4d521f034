// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/mailbox_header.h"

#include "products/column_format.h"

namespace tavik {

std::string mailboxHeaderLine(const std::string& recipient, const std::string& sender,
                              const LocalDateTime& now, const RegionalSettings& rs) {
  return padRight(recipient, 17) + "de:" + sender + " " +
         formatShortDate(now.year, now.month, now.day, rs) + " " +
         formatLongTime(now.hour, now.minute, now.second, rs) + "   10" + "        0 Bytes";
}

}  // namespace tavik
