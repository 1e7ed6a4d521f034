// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tavik {

// The program's own artwork, drawn at run time. Each function needs a running
// QGuiApplication.

inline constexpr int kTrendPictureCount = 5;
inline constexpr int kForecastPictureCount = 9;

// Pressure trend, 32 x 24, indexed by the console's trend code: 1 rising,
// 2 steady, 4 falling; 0 and 3 are blank.
QPixmap trendPicture(int code);

// Forecast, 55 x 44, indexed by the console's forecast code: 1 sun, 2 sun
// behind a cloud, 4 overcast, 8 rain; the other codes are blank.
QPixmap forecastPicture(int code);

// The tool-bar button "Aktiv", 16 x 16, normal and under the mouse.
QPixmap activeButtonPicture(bool hover);

// The receive lamp, 14 x 14: dark red, or bright red while bytes arrive.
QPixmap receiveLampPicture(bool lit);

// The application icon (a thermometer in front of a sun), at several sizes.
QIcon applicationIcon();
QPixmap applicationPicture(int size);

}  // namespace tavik
