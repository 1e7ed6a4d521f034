// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/product_writers.h"

#include "products/aprs_file.h"
#include "products/weather_log.h"
#include "products/web_product.h"

namespace tavik {

ProductWriters::ProductWriters(const ProductContext& context)
    : context_(context), web_(std::make_unique<WebProduct>()) {}

ProductWriters::~ProductWriters() = default;

void ProductWriters::writeProfileReport(int n) { reports_.writeProfileReport(n, context_); }

void ProductWriters::writeWeatherLog() {
  tavik::writeWeatherLog(context_);
  web_->takeSample(context_);
}

void ProductWriters::writeAprsFile() { tavik::writeAprsFile(context_); }

void ProductWriters::asynopMinuteTick(bool withReportLine) {
  asynop_.asynopMinuteTick(context_, withReportLine);
}

void ProductWriters::writeWebPage(const WebStatus& status) { web_->write(context_, status); }

void ProductWriters::asynopNewFile() { asynop_.asynopNewFile(context_); }

void ProductWriters::asynopAppendLine() { asynop_.asynopAppendLine(context_); }

void ProductWriters::asynopEndFile() { asynop_.asynopEndFile(context_); }

const std::string& ProductWriters::asynopStatus() const { return asynop_.statusText(); }

std::string ProductWriters::readReportPath() const {
  return reports_.lastReadFilePath(context_.settings);
}

}  // namespace tavik
