// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/word_tables.h"

namespace tavik {

const std::array<std::string, 5> TrendTexts{"", "steigend", "gleichbleibend", "", "fallend"};

const std::array<std::string, 9> ForecastTexts{"", "sonnig", "bewölkt", "",          "bedeckt",
                                               "", "",       "",        "regnerisch"};

namespace {

template <size_t N>
const std::string& wordOf(const std::array<std::string, N>& table, uint8_t code) {
  static const std::string none;
  return code < N ? table[code] : none;
}

}  // namespace

const std::string& trendText(uint8_t code) { return wordOf(TrendTexts, code); }
const std::string& forecastText(uint8_t code) { return wordOf(ForecastTexts, code); }

}  // namespace tavik
