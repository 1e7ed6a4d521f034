// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/product_writers.h"

#include <utility>

#include "products/aprs_file.h"
#include "products/weather_log.h"
#include "web/web_place.h"
#include "web/web_product.h"

namespace tavik {

namespace {

// The context with the failures going to `notifier`.
ProductContext reportingTo(const ProductContext& c, Notifier& notifier) {
  return ProductContext{c.weather, c.state,    c.settings, c.profiles,
                        c.clock,   c.regional, notifier,   c.productDir};
}

constexpr const char* kAsynopProduct = "ASYNOP-Datei";

}  // namespace

ProductWriters::ProductWriters(const ProductContext& context, std::function<bool()> fresh,
                               std::ostream& log)
    : notices_(context.notifier, log),
      context_(reportingTo(context, notices_)),
      fresh_(std::move(fresh)),
      web_(std::make_unique<WebProduct>()),
      archive_(context_, log) {}

ProductWriters::~ProductWriters() = default;

bool ProductWriters::recordUsable() const { return gate().open(); }

bool ProductWriters::mayWrite() const { return gate().open(GateMode::Usable, commandRunning_); }

ProductGate ProductWriters::gate() const { return ProductGate::of(context_.state, fresh_()); }

void ProductWriters::attempt(const std::string& product, const std::function<bool()>& write) {
  notices_.run(product, commandRunning_, write);
}

void ProductWriters::writeProfileReport(int n) {
  if (!mayWrite() || n < 1 || n > kMaxProfiles) return;
  attempt(n == 1 ? "Read-Datei" : "Datei für Profil " + context_.profiles[n].name, [&] {
    reports_.writeProfileReport(n, context_);
    return true;
  });
}

void ProductWriters::writeWeatherLog() {
  if (!mayWrite()) return;
  attempt("Wetterlog", [&] {
    tavik::writeWeatherLog(context_);
    return true;
  });
}

void ProductWriters::writeAprsFile() {
  if (!mayWrite()) return;
  attempt("APRS-Datei", [&] {
    tavik::writeAprsFile(context_);
    return true;
  });
}

bool ProductWriters::writeAprsFileForDialog() {
  if (!recordUsable()) return false;
  notices_.run("APRS-Datei", true, [&] {
    tavik::writeAprsFile(context_);
    return true;
  });
  return true;
}

void ProductWriters::asynopMinuteTick(bool withReportLine) {
  attempt(kAsynopProduct,
          [&] { return asynop_.asynopMinuteTick(context_, withReportLine && recordUsable()); });
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
  if (!gate().open(GateMode::Complete, commandRunning_)) return;
  attempt("Webseite", [&] {
    web_->write(context_, status, webPlaceOf(context_.settings, context_.clock.now()));
    return true;
  });
}

TodayExtremes ProductWriters::todayExtremes(const LocalDateTime& now) const {
  return web_->todayExtremes(context_, now);
}

// The three ASYNOP commands are the user's: each failure is told.
void ProductWriters::asynopNewFile() {
  notices_.run(kAsynopProduct, true, [&] {
    asynop_.asynopNewFile(context_);
    return true;
  });
}

void ProductWriters::asynopAppendLine() {
  notices_.run(kAsynopProduct, true, [&] {
    asynop_.asynopAppendLine(context_);
    return true;
  });
}

void ProductWriters::asynopEndFile() {
  notices_.run(kAsynopProduct, true, [&] {
    asynop_.asynopEndFile(context_);
    return true;
  });
}

const std::string& ProductWriters::asynopStatus() const { return asynop_.statusText(); }

std::string ProductWriters::readReportPath() const {
  return reports_.lastReadFilePath(context_.settings);
}

}  // namespace tavik
