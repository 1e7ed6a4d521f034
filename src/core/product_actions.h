// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/web_status.h"

namespace tavik {

// The product operations the clockwork's timers and the menu commands start.
// ProductWriters (core/product_writers.h) implements them for both programs;
// each writer reports its own file errors, every call returns and the caller
// goes on.
class ProductActions {
 public:
  virtual ~ProductActions() = default;
  // Rewrites the report of profile n (1..100); profile 1 is the Read report.
  virtual void writeProfileReport(int n) = 0;
  virtual void writeWeatherLog() = 0;
  virtual void writeAprsFile() = 0;
  // The ASYNOP report's driver, called once a minute while active. Without
  // `withReportLine` (the record is stale) the bulletin's own steps go on but
  // no report line is added.
  virtual void asynopMinuteTick(bool withReportLine) = 0;
  // The web page, current.json and the climate reports.
  virtual void writeWebPage(const WebStatus& status) = 0;
  // The station archive's minute, called once a minute while active; a row
  // is written when its interval is up and `usable`.
  virtual void archiveMinuteTick(bool usable) { (void)usable; }
};

}  // namespace tavik
