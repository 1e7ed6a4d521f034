#include "ui/product_writers.h"

#include "products/aprs_file.h"
#include "products/profile_report.h"
#include "products/weather_log.h"

namespace tavik {

ProductWriters::ProductWriters(const ProductContext& context) : context_(context) {}

void ProductWriters::writeProfileReport(int n) { tavik::writeProfileReport(n, context_); }

void ProductWriters::writeWeatherLog() { tavik::writeWeatherLog(context_); }

void ProductWriters::writeAprsFile() { tavik::writeAprsFile(context_); }

void ProductWriters::asynopMinuteTick() {}

void ProductWriters::asynopNewFile() {}

void ProductWriters::asynopAppendLine() {}

void ProductWriters::asynopEndFile() {}

std::string ProductWriters::asynopStatus() const { return "ASYNOP:"; }

std::string ProductWriters::readReportPath() const { return lastReadFilePath(context_.settings); }

}  // namespace tavik
