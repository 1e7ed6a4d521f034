// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <set>
#include <string>

#include "products/product_context.h"
#include "products/web_history.h"
#include "products/web_page.h"
#include "products/web_status.h"

namespace tavik {

// The product "Webseite": index.html, current.json and the climate reports
// in WebOrdner. It reads the Wetterlog tree under LogOrdner once (again when
// LogOrdner changes) and then extends that history by a sample of the record
// at every page and every Wetterlog row. `place` gives the station's
// position, height and sun times, which the page and the reports show.
class WebProduct {
 public:
  // Writes every file whole; a failure is reported through the context's
  // notifier and the next call tries again.
  void write(const ProductContext& ctx, const WebStatus& status, const WebPlace& place = {});
  // Adds the record as it is now to the history, once it holds every group.
  void takeSample(const ProductContext& ctx);
  // Today's extremes from the samples and rows kept so far (none before the
  // history has been read or sampled).
  TodayExtremes todayExtremes(const LocalDateTime& now) const {
    return history_.extremesOf({now.year, now.month, now.day});
  }

 private:
  void loadHistory(const ProductContext& ctx);
  // Writes the climate reports that may have changed; returns every report's
  // name, newest first. `error` gets the last failure.
  std::vector<std::string> writeReports(const ProductContext& ctx,
                                        const std::vector<ClimateDay>& days,
                                        const NoaaStation& station, std::string& error);

  bool loaded_ = false;
  std::string loadedFrom_;
  WebHistory history_;
  std::set<int> writtenMonths_;  // year * 12 + month - 1, since the history was read
  std::set<int> writtenYears_;
};

// The files of the product.
inline constexpr const char* kWebPageFile = "index.html";
inline constexpr const char* kCurrentJsonFile = "current.json";

}  // namespace tavik
