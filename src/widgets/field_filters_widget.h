// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

class QLineEdit;

namespace tavik {

// Key filters of the settings dialogs' text fields. Refused characters are
// swallowed as they are typed or pasted.

// Digits only, and no more minutes than a timer period can hold
// (kMaxPeriodMinutes); leading zeros are kept ("00").
void acceptMinutesOnly(QLineEdit& field);

// What a minutes field shows for a timer period: whole minutes, or decimal
// minutes for any other period (a negative period counts as 0).
QString minutesText(int32_t periodMs);

// Digits and ":" only, for a time of day "hh:nn".
void acceptTimeOfDayOnly(QLineEdit& field);

}  // namespace tavik
