// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/text_file.h"
#include "products/product_context.h"

namespace tavik {

// The writer of the Read page and the Import messages, which remembers the
// Read file it wrote last.
class ProfileReports {
 public:
  // Rewrites the report of profile n from the current record. Profile 1 is the
  // Read page, "Wetter.txt" in the WinGTRead folder; every other profile is an
  // Import message, its name + ".txt" in the WinGTImport folder, opened by a
  // message header line. The file is replaced whole: a failure leaves the
  // previous report as it was. Failures are shown through ctx.notifier; a
  // profile name that is no plain file name is treated as a file that cannot
  // be created, so nothing is ever written outside the import folder. Numbers
  // outside 1..100 write nothing.
  void writeProfileReport(int n, const ProductContext& ctx);

  // The name, with its leading "/", of the Read file written last; empty
  // before the first Read report.
  const std::string& lastReadFileName() const { return lastReadName_; }

  // The full path of that file in the WinGTRead folder (what the print command
  // prints); empty before the first Read report.
  std::string lastReadFilePath(const Settings& settings) const;

 private:
  void deletePreviousReadFile(const ProductContext& ctx) const;
  bool openReport(int n, const ProductContext& ctx, FileReplacement& file);

  std::string lastReadName_;
};

}  // namespace tavik
