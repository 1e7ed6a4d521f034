// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/product_writers.h"

#include <utility>

#include "web/web_place.h"
#include "products/aprs_file.h"
#include "products/weather_log.h"
#include "web/web_product.h"

namespace tavik {

ProductWriters::ProductWriters(const ProductContext& context, std::function<bool()> fresh,
                               std::ostream& log)
    : context_(context),
      fresh_(std::move(fresh)),
      web_(std::make_unique<WebProduct>()),
      archive_(context_, log) {}

ProductWriters::~ProductWriters() = default;

bool ProductWriters::recordUsable() const { return gate().open(); }

bool ProductWriters::mayWrite() const { return gate().open(GateMode::Usable, commandRunning_); }

ProductGate ProductWriters::gate() const { return ProductGate::of(context_.state, fresh_()); }

void ProductWriters::writeProfileReport(int n) {
  if (mayWrite()) reports_.writeProfileReport(n, context_);
}

void ProductWriters::writeWeatherLog() {
  if (!mayWrite()) return;
  tavik::writeWeatherLog(context_);
}

void ProductWriters::writeAprsFile() {
  if (mayWrite()) tavik::writeAprsFile(context_);
}

bool ProductWriters::writeAprsFileForDialog() {
  if (!recordUsable()) return false;
  tavik::writeAprsFile(context_);
  return true;
}

void ProductWriters::asynopMinuteTick(bool withReportLine) {
  asynop_.asynopMinuteTick(context_, withReportLine && recordUsable());
}

void ProductWriters::archiveMinuteTick(bool usable) {
  archive_.minuteTick(usable && recordUsable());
}

void ProductWriters::command(const std::function<void()>& writes) {
  const std::string why = gate().whyShut();
  commandRunning_ = true;
  writes();
  commandRunning_ = false;
  if (why.empty()) return;
  context_.notifier.notify(why + " Geschrieben wurde, was bisher vorliegt.", "JETZT",
                           MessageButtons::Ok);
}

// The page is written while stale too (it says so with its banner), but never
// before every group kind has arrived, unless a command asks for it.
void ProductWriters::writeWebPage(const WebStatus& status) {
  if (gate().open(GateMode::Complete, commandRunning_)) {
    web_->write(context_, status, webPlaceOf(context_.settings, context_.clock.now()));
  }
}

TodayExtremes ProductWriters::todayExtremes(const LocalDateTime& now) const {
  return web_->todayExtremes(context_, now);
}

void ProductWriters::asynopNewFile() { asynop_.asynopNewFile(context_); }

void ProductWriters::asynopAppendLine() { asynop_.asynopAppendLine(context_); }

void ProductWriters::asynopEndFile() { asynop_.asynopEndFile(context_); }

const std::string& ProductWriters::asynopStatus() const { return asynop_.statusText(); }

std::string ProductWriters::readReportPath() const {
  return reports_.lastReadFilePath(context_.settings);
}

}  // namespace tavik
