// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace tavik {

// Colours as the settings file stores them: 0x00BBGGRR by their red, green and
// blue bytes, or 0x80000000 + n for the desktop's colour number n (15 the
// face of a button, 8 the text of a window, ...), taken from the palette.
QColor colourFromValue(int32_t value, const QPalette& palette);
// A display group's font colour: the stored default 8, which a group has
// until the user chooses a colour, is the palette's text colour, so that the
// groups read well with light and dark desktop themes alike.
QColor groupFontColour(int32_t value, const QPalette& palette);
int32_t valueFromColour(const QColor& colour);

}  // namespace tavik
