// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "core/product_actions.h"
#include "products/asynop.h"
#include "products/product_context.h"
#include "products/profile_report.h"

namespace tavik {

class WebProduct;

// The product operations of the timers and the menu, over the real writers.
// Every writer reports its own failures through the context's notifier.
class ProductWriters final : public ProductActions {
 public:
  explicit ProductWriters(const ProductContext& context);
  ~ProductWriters() override;

  void writeProfileReport(int n) override;
  void writeWeatherLog() override;
  void writeAprsFile() override;
  void asynopMinuteTick(bool withReportLine) override;
  void writeWebPage(const WebStatus& status) override;

  // The three commands of the menu "JETZT ASYNOP erstellen!".
  void asynopNewFile();
  void asynopAppendLine();
  void asynopEndFile();
  // What status panel 0 shows about the ASYNOP report; empty until the
  // report first says something.
  const std::string& asynopStatus() const;

  // What the writers read; the product dialogs show it too.
  const ProductContext& context() const { return context_; }

  // The Read report written last in this run; empty before the first one.
  std::string readReportPath() const;

 private:
  ProductContext context_;
  ProfileReports reports_;
  Asynop asynop_;
  std::unique_ptr<WebProduct> web_;
};

}  // namespace tavik
