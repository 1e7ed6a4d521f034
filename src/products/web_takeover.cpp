// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_takeover.h"

#include <cstdint>
#include <limits>

#include "common/number_text.h"
#include "settings/takeover.h"

namespace tavik {

bool takeOverWeb(const WebFields& fields, Settings& settings, Notifier& notifier) {
  if (fields.folder.find_first_not_of(' ') == std::string::npos) {
    notifier.notify("Bitte einen Zielordner für die Webseite wählen.", "Webseite",
                    MessageButtons::Ok);
    return false;
  }
  settings.WebOrdner = fields.folder;
  const std::optional<int> minutes = parseIntegerText(fields.interval);
  if (!minutes) {
    notifier.notify(notAnIntegerMessage(fields.interval), kFieldMessageCaption, MessageButtons::Ok);
    return false;
  }
  constexpr int kMax = std::numeric_limits<uint16_t>::max();
  if (*minutes < 0 || *minutes > kMax) {
    notifier.notify(
        "'" + fields.interval + "' liegt nicht zwischen 0 und " + std::to_string(kMax) + " Minuten",
        kFieldMessageCaption, MessageButtons::Ok);
    return false;
  }
  settings.WebIntervall = *minutes;
  settings.WebTitel =
      fields.title.find_first_not_of(' ') == std::string::npos ? "Wetterstation" : fields.title;
  return true;
}

}  // namespace tavik
