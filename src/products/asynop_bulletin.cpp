// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/asynop_bulletin.h"

#include <algorithm>
#include <cstdlib>

#include "common/zero_pad.h"
#include "products/column_format.h"
#include "products/mailbox_header.h"

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

// The precipitation indicator iR: 4 rate unknown, 1 rain (group 6 follows),
// 3 no rain.
char rainIndicator(const RainBlock& rain) {
  if (rain.RateOutOfRange) return '4';
  return rain.Rate != 0 ? '1' : '3';
}

}  // namespace

LocalDateTime asynopUtc(const LocalDateTime& local, int zeitzone) {
  return addSeconds(local, -static_cast<long long>(zeitzone) * 3600);
}

std::string asynopSubject(const std::string& sender, const LocalDateTime& date,
                          const RegionalSettings& rs) {
  return "ASYNOP " + sender + " " + formatDateTime("dd.mm.yy", date, rs);
}

std::vector<std::string> asynopOpeningLines(const ProductContext& ctx) {
  const Settings& s = ctx.settings;
  const LocalDateTime now = ctx.clock.now();
  const LocalDateTime utc = asynopUtc(now, s.Zeitzone);
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

std::string asynopReportLine(const ProductContext& ctx) {
  const Settings& s = ctx.settings;
  const WeatherRecord& w = ctx.weather;
  const LocalDateTime utc = asynopUtc(ctx.clock.now(), s.Zeitzone);
  const char iR = rainIndicator(w.Rain);

  std::string line = padRight(s.ASYNOPAbsender, 6) + " ";
  line += pad2(utc.day) + pad2(utc.hour) + "1";
  line += " 99" + positionDigits(s.ASYNOPLat, 3) + " " + std::to_string(s.ASYNOPErdquadrant) +
          positionDigits(s.ASYNOPLong, 4) + " ";
  line += std::string(1, iR) + "6///";
  line += " /" + pad2(w.Wind.Dir / 10) + pad2(w.Wind.Speed / 10);
  line += std::string(" 1") + (w.TempOut.Positive ? "0" : "1") +
          ZeroPadNumber(3, std::abs(w.TempOut.Current));
  line += " 29" + ZeroPadNumber(3, w.HumOut.Current);
  line += " 4" + ZeroPadNumber(4, w.Baro.SeaLevel % 10000);
  line += " 5" + std::to_string(w.Baro.Forecast) + "///";
  if (iR == '1') line += " 6" + ZeroPadNumber(3, w.Rain.Rate);
  return line + "=";
}

std::vector<std::string> asynopClosingLines(const ProductContext& ctx) {
  return {"/QAM/", "", ctx.settings.ASYNOPNach};
}

}  // namespace tavik
