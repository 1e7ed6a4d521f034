// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

class QLineEdit;

namespace tavik {

// Key filters of the settings dialogs' text fields. Refused characters are
// swallowed as they are typed or pasted.

// Digits only, and no more than `maxMinutes`; leading zeros are kept ("00").
void acceptMinutesOnly(QLineEdit& field, int32_t maxMinutes);

// Digits and ":" only, for a time of day "hh:nn".
void acceptTimeOfDayOnly(QLineEdit& field);

}  // namespace tavik
