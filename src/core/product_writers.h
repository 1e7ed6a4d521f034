// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include "core/archive_recorder.h"
#include "core/product_actions.h"
#include "core/product_gate.h"
#include "core/product_notices.h"
#include "products/asynop.h"
#include "products/current_json.h"
#include "products/product_context.h"
#include "products/profile_report.h"

namespace tavik {

class WebProduct;

// The product operations of the timers, the dialogs and the menu, over the
// real writers. Every writer reports its own failures through the context's
// notifier: a timed write's failure once until it changes or its product
// succeeds again (the recovery is noted on `log`), a command's every time.
//
// The writers themselves guard what they publish: a timed or dialog write
// happens only while the record is usable, that is once every group kind has
// been decoded since start and while `fresh` says the last good group is
// recent. Only the menu's "JETZT … erstellen!" commands, run through
// command(), write whatever the record holds, and say so when it is not
// usable.
class ProductWriters final : public ProductActions {
 public:
  // The archive reports its failures to `log`, and so do the products their
  // recoveries.
  ProductWriters(const ProductContext& context, std::function<bool()> fresh,
                 std::ostream& log = std::cerr);
  ~ProductWriters() override;

  void writeProfileReport(int n) override;
  void writeWeatherLog() override;
  void writeAprsFile() override;
  // The bulletin's own steps go on; its report line only from a usable record.
  void asynopMinuteTick(bool withReportLine) override;
  void writeWebPage(const WebStatus& status) override;
  void archiveMinuteTick(bool usable) override;
  // The settings were read (at the start, at a reload).
  void archiveSettingsLoaded() { archive_.settingsLoaded(); }
  // Why the archive is not written, for the status bar; empty while it is.
  const std::string& archiveStatus() const { return archive_.status(); }
  // Today's extremes as the web page shows them, for the MQTT state.
  TodayExtremes todayExtremes(const LocalDateTime& now) const;

  // The APRS dialog's write: true when the file was written, false when the
  // record is not usable (nothing is written then).
  bool writeAprsFileForDialog();

  // Runs a "JETZT … erstellen!" command: every write inside it takes the
  // record as it is. When the record is empty or stale, a message says that
  // the files hold what the record holds.
  void command(const std::function<void()>& writes);

  // The three commands of the menu "JETZT ASYNOP erstellen!".
  void asynopNewFile();
  void asynopAppendLine();
  void asynopEndFile();
  // What status panel 0 shows about the ASYNOP report; empty until the
  // report first says something.
  const std::string& asynopStatus() const;

  // What the writers read; the product dialogs show it too.
  const ProductContext& context() const { return context_; }
  // Whether the record may be published by timers and dialogs now.
  bool recordUsable() const;

  // The Read report written last in this run; empty before the first one.
  std::string readReportPath() const;

 private:
  bool mayWrite() const;
  ProductGate gate() const;
  // Runs a write of `product` through the notices; `write` returns whether it
  // had anything to do.
  void attempt(const std::string& product, const std::function<bool()>& write);

  ProductNotices notices_;
  ProductContext context_;
  std::function<bool()> fresh_;
  ProfileReports reports_;
  Asynop asynop_;
  std::unique_ptr<WebProduct> web_;
  ArchiveRecorder archive_;
  bool commandRunning_ = false;
};

}  // namespace tavik
