// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/thermometer_scale.h"

#include <algorithm>

#include "common/regional.h"

namespace tavik {

const char* thermometerCaption(ThermometerSource source) {
  switch (source) {
    case ThermometerSource::TempIn:
      return "Innentemperatur";
    case ThermometerSource::TempOut:
      return "Aussentemperatur";
    case ThermometerSource::DewIn:
      return "Innentaupunkt";
    case ThermometerSource::DewOut:
      return "Aussentaupunkt";
    case ThermometerSource::Chill:
      return "Windchill";
  }
  return "";
}

double thermometerValue(const WeatherRecord& record, ThermometerSource source) {
  switch (source) {
    case ThermometerSource::TempIn:
      return record.TempIn.Current / 10.0;
    case ThermometerSource::TempOut:
      return record.TempOut.Current / 10.0;
    case ThermometerSource::DewIn:
      return record.DewIn.Current;
    case ThermometerSource::DewOut:
      return record.DewOut.Current;
    case ThermometerSource::Chill:
      return record.Chill.Current;
  }
  return 0.0;
}

bool thermometerValueKnown(const StationState& state, ThermometerSource source) {
  switch (source) {
    case ThermometerSource::TempIn:
    case ThermometerSource::TempOut:
      return state.seen9F;
    case ThermometerSource::DewIn:
    case ThermometerSource::DewOut:
      return state.seenAF;
    case ThermometerSource::Chill:
      return state.seenCF;
  }
  return false;
}

double scalePixelsPerDegree(int scaleHeight) { return scaleHeight * 77.0 / 7200.0; }

MercuryBar mercuryBar(int scaleHeight, int titleHeight, double degrees) {
  const double a = scalePixelsPerDegree(scaleHeight);
  const long long base = roundHalfEven(scaleHeight * kScaleBottomFraction);
  const long long height =
      std::clamp(roundHalfEven(a * (degrees - kScaleBottomDegrees)), 0LL, base);
  return {
      static_cast<int>(roundHalfEven(scaleHeight * kScaleBottomFraction - height + titleHeight)),
      static_cast<int>(height)};
}

BarColumn mercuryBarColumn(int clientWidth) {
  return {static_cast<int>(roundHalfEven(clientWidth * 21.0 / 46.0)),
          static_cast<int>(roundHalfEven(clientWidth * 19.0 / 230.0))};
}

int thermometerWidthOnResize(int clientHeight, int titleHeight) {
  return static_cast<int>(roundHalfEven((clientHeight - titleHeight) / 2.4));
}

}  // namespace tavik
