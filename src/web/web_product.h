// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>

#include "products/current_json.h"
#include "products/product_context.h"
#include "web/noaa_report.h"
#include "web/web_page.h"
#include "web/web_status.h"

namespace tavik {

class ArchiveHistory;

// The product "Webseite": index.html, current.json and the climate reports
// in WebOrdner, from the station archive (ArchivDatei): its rows, hourly
// aggregates and daily summaries, read by time through its index for each
// page, so that a long archive costs neither time nor memory.
// `place` gives the station's position, height and sun times, which the
// page and the reports show.
class WebProduct {
 public:
  WebProduct();
  ~WebProduct();
  WebProduct(const WebProduct&) = delete;
  WebProduct& operator=(const WebProduct&) = delete;

  // Writes every file whole; a failure is reported through the context's
  // notifier and the next call tries again.
  void write(const ProductContext& ctx, const WebStatus& status, const WebPlace& place = {});
  // Today's extremes from the archive's summary of today; none while the
  // archive holds no row of today. Read at most once a minute.
  TodayExtremes todayExtremes(const ProductContext& ctx, const LocalDateTime& now);

  // The days of daily summaries that the climate reports besides the last
  // two months and the current year read per page (two years' worth, the
  // report that passes it included): an archive of many years gets its
  // reports over the next pages instead of all at once.
  static constexpr int kReportDaysPerPage = 730;

 private:
  // The archive of the settings, opened again when the path changes; null
  // while there is none (a failure to open an existing one goes to `error`).
  const ArchiveHistory* archive(const ProductContext& ctx, std::string& error);
  // Writes the climate reports that may have changed; returns the name of
  // every report written so far, newest first. `error` gets the last failure.
  std::vector<std::string> writeReports(const ProductContext& ctx, const ArchiveHistory& archive,
                                        const NoaaStation& station, std::string& error);
  // The highs and lows of today, yesterday, the last 7 days, the month, the
  // year and all time, from the daily summaries.
  WebPageData pageData(const ArchiveHistory& archive, const LocalDateTime& now);

  std::string archivePath_;
  std::unique_ptr<ArchiveHistory> archive_;
  std::string openError_;        // told once per path
  std::set<int> writtenMonths_;  // year * 12 + month - 1, since the archive was opened
  std::set<int> writtenYears_;
  std::optional<long long> extremesMinute_;
  TodayExtremes extremes_;
  // All-time extremes of the days before `recordsDay_`, read once a day.
  std::optional<long long> recordsDay_;  // days since 1970-01-01
  SpanExtremes recordsBefore_;
};

// The files of the product.
inline constexpr const char* kWebPageFile = "index.html";
inline constexpr const char* kCurrentJsonFile = "current.json";

}  // namespace tavik
