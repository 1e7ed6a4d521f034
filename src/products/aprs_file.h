// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "products/product_context.h"

namespace tavik {

// The two lines of the APRS weather file: the time stamp ("Dez 08 2026 14:05")
// and the weather fields in US units
// ("180/005g012t046h72b10132r000P004p012m/wolkig"): "r" is the rain of the
// last hour, "P" the rain since local midnight, "p" the rain of the last 24
// hours, in hundredths of an inch (25.4 mm to the inch).
struct AprsFrame {
  std::string timeLine;
  std::string weatherLine;
};

// The frame of the current record, as writeAprsFile would write it now.
AprsFrame aprsFrame(const ProductContext& ctx);

// Whether APRSZeilenende asks for LF line ends ("LF" in any case); any other
// text gives CR LF.
bool aprsLineFeedOnly(const Settings& settings);

// Rewrites the file APRSDatei with the current frame (Windows-1252, lines
// ended as APRSZeilenende says), replacing it whole.
// A file that cannot be created or written is reported as
// "Fehler beim Erstellen der APRS-Datei" with the caption "APRS".
void writeAprsFile(const ProductContext& ctx);

}  // namespace tavik
