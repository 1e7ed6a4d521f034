// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "common/clock.h"
#include "products/asynop_bulletin.h"
#include "products/product_context.h"

namespace tavik {

// The ASYNOP bulletin: built in the work file "asynoptmp.txt" in the program
// folder (which survives restarts), finished at the end of its period, copied
// to ASYNOPDatei and, when ASYNOPArchiv is set, into the archive. The object
// also holds the text of the first status-bar panel.
class Asynop {
 public:
  // Starts a new bulletin in the work file; status "ASYNOP: X".
  void asynopNewFile(const ProductContext& ctx);
  // Appends one report line; one more "X" in the status. Without a work file
  // (the first line on a new station folder) a new bulletin is started first.
  // Its rain group holds the rain since the last synoptic hour's line.
  void asynopAppendLine(const ProductContext& ctx);
  // Appends the bulletin's end; status "ASYNOP: verschickt". A bulletin that
  // could not be started, or has no work file, gets no end but the message.
  void asynopEndFile(const ProductContext& ctx);
  // Run every minute: at 00, 06, 12 and 18 UTC adds a line, starting a
  // bulletin at 00 UTC (every time in the four-a-day mode) and finishing,
  // copying and archiving it at 18 UTC (every time in the four-a-day mode).
  // A bulletin that could not be started or ended is neither copied nor
  // archived.
  // A second tick within the same synoptic hour does nothing. Without
  // `withReportLine` the bulletin is started and finished as usual but gets
  // no line for that hour. True when the tick took the steps of a synoptic
  // hour, false when it had nothing to do.
  bool asynopMinuteTick(const ProductContext& ctx, bool withReportLine = true);

  const std::string& statusText() const { return status_; }

 private:
  void publish(const ProductContext& ctx);
  // asynopNewFile; false (after the message) when the work file was not written.
  bool startBulletin(const ProductContext& ctx);
  // asynopEndFile; false when there was no bulletin to end or its end was
  // not written.
  bool endBulletin(const ProductContext& ctx);

  // The rain total at the last synoptic hour whose line had a fresh record.
  struct RainMark {
    LocalDateTime utcHour;
    int total = 0;
  };
  std::optional<RainAmount> rainSinceMark(const ProductContext& ctx) const;

  std::string status_;
  std::optional<LocalDateTime> lastSynopticHour_;  // UTC
  std::optional<RainMark> rainMark_;
  bool startFailed_ = false;  // the last start of a bulletin was not written
};

// The work file in the product folder.
std::string asynopWorkFile(const std::string& productDir);

}  // namespace tavik
