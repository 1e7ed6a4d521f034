#pragma once

#include <string>

#include "products/product_context.h"

namespace tavik {

// Rewrites the report of profile n from the current record. Profile 1 is the
// Read page, "Wetter.txt" in the WinGTRead folder; every other profile is an
// Import message, its name + ".txt" in the WinGTImport folder, opened by a
// message header line. Failures are shown through ctx.notifier; a profile
// name that is no plain file name is treated as a file that cannot be
// created, so nothing is ever written outside the import folder. Numbers
// outside 1..100 write nothing.
void writeProfileReport(int n, const ProductContext& ctx);

// The name, with its leading "/", of the Read file written last in this run;
// empty before the first Read report.
const std::string& lastReadFileName();

// The full path of that file in the WinGTRead folder (what the print command
// prints); empty before the first Read report.
std::string lastReadFilePath(const Settings& settings);

}  // namespace tavik
