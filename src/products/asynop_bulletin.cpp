// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/asynop_bulletin.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "common/zero_pad.h"
#include "products/column_format.h"
#include "products/mailbox_header.h"
#include "products/rain_gauge.h"

namespace tavik {

namespace {

std::string pad2(int value) { return ZeroPadNumber(2, value); }

// A position text as stored, with leading zeros up to the group's digit count
// when it is all digits ("080" is 8.0° and becomes "0080"), so that the
// position groups keep their five characters. Other texts stay as they are.
std::string positionDigits(const std::string& text, size_t digits) {
  const bool allDigits = !text.empty() && std::all_of(text.begin(), text.end(),
                                                      [](char c) { return c >= '0' && c <= '9'; });
  if (!allDigits || text.size() >= digits) return text;
  return std::string(digits - text.size(), '0') + text;
}

// The characteristic of the pressure tendency for the station's trend code:
// 2 rising, 4 steady, 7 falling; 0 when the trend is unknown.
char tendencyCode(uint8_t trend) {
  switch (trend) {
    case 1:
      return '2';
    case 2:
      return '4';
    case 4:
      return '7';
    default:
      return 0;
  }
}

// The digit of the period a rain amount covers, 0 for a period the code does
// not know.
char periodDigit(int hours) {
  switch (hours) {
    case 6:
      return '1';
    case 12:
      return '2';
    case 18:
      return '3';
    case 24:
      return '4';
    case 1:
      return '5';
    case 2:
      return '6';
    case 3:
      return '7';
    case 9:
      return '8';
    case 15:
      return '9';
    default:
      return 0;
  }
}

// The three digits of a rain amount in millimetres: whole millimetres up to
// 988 (a half rounds up, "989" for 989 and more), tenths below 1 mm as
// 991..999, and "990" for a trace too small to show a tenth.
std::string amountDigits(double mm) {
  if (mm >= 989.0) return "989";
  const auto tenths = static_cast<int>(std::floor(mm * 10.0 + 0.5));
  if (tenths < 10) return "99" + std::to_string(tenths);
  return ZeroPadNumber(3, std::floor(mm + 0.5));
}

// Groups "iR6///" and, where rain fell, " 6RRRt" (the second one is the text
// after group 5): iR 1 with an amount, 3 without rain, 4 with no amount known.
std::pair<std::string, std::string> rainGroups(std::optional<RainAmount> rain, bool normalGauge) {
  if (!rain || rain->count < 0 || periodDigit(rain->hours) == 0) return {"46///", ""};
  if (rain->count == 0) return {"36///", ""};
  const double mm = normalGauge ? rain->count : rain->count / kConvertedGaugeFactor;
  return {"16///", " 6" + amountDigits(mm) + periodDigit(rain->hours)};
}

}  // namespace

std::string synopWindGroup(int speedTenths, int dirDegrees) {
  const int ff = (std::max(speedTenths, 0) + 5) / 10;
  if (ff == 0) return "/0000";
  int dd = ((dirDegrees % 360 + 360) % 360 + 5) / 10;
  if (dd == 0 || dd == 36) dd = 36;
  const std::string group = "/" + pad2(dd);
  if (ff < 99) return group + pad2(ff);
  return group + "99 00" + ZeroPadNumber(3, std::min(ff, 999));
}

namespace {

// The wind of the report: the mean of the last ten minutes, or the console's
// average while ten minutes of wind groups are not yet known.
std::string reportWind(const ProductContext& ctx) {
  if (const auto& mean = ctx.state.wind10min) return synopWindGroup(mean->speed, mean->dir);
  return synopWindGroup(ctx.weather.Wind.AvgSpeed, ctx.weather.Wind.AvgDir);
}

}  // namespace

LocalDateTime asynopUtc(const Clock& clock, const LocalDateTime& local, int zeitzone) {
  const long long offsetMinutes = clock.zoneOffsetMinutes(local, zeitzone);
  return addSeconds(local, -offsetMinutes * 60);
}

std::string asynopSubject(const std::string& sender, const LocalDateTime& date,
                          const RegionalSettings& rs) {
  return "ASYNOP " + sender + " " + formatDateTime("dd.mm.yy", date, rs);
}

std::vector<std::string> asynopOpeningLines(const ProductContext& ctx) {
  const Settings& s = ctx.settings;
  const LocalDateTime now = ctx.clock.now();
  const LocalDateTime utc = asynopUtc(ctx.clock, now, s.Zeitzone);
  return {
      mailboxHeaderLine(s.ASYNOPEmpf, s.ASYNOPAbsender, now, ctx.regional),
      asynopSubject(s.ASYNOPAbsender, utc, ctx.regional),
      "",
      s.ASYNOPVor,
      "",
      "ASYNOP " + pad2(utc.year - 2000) + pad2(utc.month) + pad2(utc.day),
      "SXSX",
  };
}

std::string asynopReportLine(const ProductContext& ctx, std::optional<RainAmount> rain) {
  const Settings& s = ctx.settings;
  const WeatherRecord& w = ctx.weather;
  const LocalDateTime utc = asynopUtc(ctx.clock, ctx.clock.now(), s.Zeitzone);
  const auto [indicator, amount] = rainGroups(rain, s.NormalRegen);

  std::string line = padRight(s.ASYNOPAbsender, 6) + " ";
  line += pad2(utc.day) + pad2(utc.hour) + "1";
  line += " 99" + positionDigits(s.ASYNOPLat, 3) + " " + std::to_string(s.ASYNOPErdquadrant) +
          positionDigits(s.ASYNOPLong, 4) + " ";
  line += indicator;
  line += " " + reportWind(ctx);
  line += std::string(" 1") + (w.TempOut.Positive ? "0" : "1") +
          ZeroPadNumber(3, std::abs(w.TempOut.Current));
  line += " 29" + ZeroPadNumber(3, w.HumOut.Current);
  line += " 4" + ZeroPadNumber(4, w.Baro.SeaLevel % 10000);
  if (const char a = tendencyCode(w.Baro.Trend)) line += std::string(" 5") + a + "///";
  return line + amount + "=";
}

std::vector<std::string> asynopClosingLines(const ProductContext& ctx) {
  return {"/QAM/", "", ctx.settings.ASYNOPNach};
}

}  // namespace tavik
