// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/notifier.h"
#include "settings/settings.h"

namespace tavik {

// The controls of the dialog "Webseite" as the take-over reads them.
struct WebFields {
  std::string folder;    // "Zielordner für die Webseite"
  std::string interval;  // "Webseite alle ... Minuten erstellen."
  std::string title;     // "Titel der Seite"
  std::string height;    // "Höhe der Station über dem Meer ... m"
};

// What OK takes into the settings, step by step; a field that cannot be taken
// stops there with a message (the steps before it keep their values): the
// folder (not empty), the interval (an integer of 0..65535 minutes), the
// title (any text; an empty one gives "Wetterstation"), the height (empty
// for unknown, or whole metres of -500..9000). True when every step was taken.
bool takeOverWeb(const WebFields& fields, Settings& settings, Notifier& notifier);

}  // namespace tavik
