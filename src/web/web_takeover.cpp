// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_takeover.h"

#include <cstdint>

#include "common/number_text.h"
#include "settings/takeover.h"

namespace tavik {
namespace {

// From the shore of the Dead Sea to above any station on a mountain.
constexpr int kLowestMetres = -500;
constexpr int kHighestMetres = 9000;

}  // namespace

bool takeOverWeb(const WebFields& fields, Settings& settings, Notifier& notifier) {
  if (fields.folder.find_first_not_of(' ') == std::string::npos) {
    notifier.notify("Bitte einen Zielordner für die Webseite wählen.", "Webseite",
                    MessageButtons::Ok);
    return false;
  }
  settings.WebOrdner = fields.folder;
  const std::optional<uint16_t> minutes = intervalMinutesField(fields.interval, notifier);
  if (!minutes) return false;
  settings.WebIntervall = *minutes;
  settings.WebTitel =
      fields.title.find_first_not_of(' ') == std::string::npos ? "Wetterstation" : fields.title;
  if (fields.height.find_first_not_of(' ') == std::string::npos) {
    settings.Hoehe.clear();
    return true;
  }
  const std::optional<int> metres = parseIntegerText(fields.height);
  if (!metres) {
    notifier.notify(notAnIntegerMessage(fields.height), kFieldMessageCaption, MessageButtons::Ok);
    return false;
  }
  if (*metres < kLowestMetres || *metres > kHighestMetres) {
    notifier.notify("'" + fields.height + "' liegt nicht zwischen " +
                        std::to_string(kLowestMetres) + " und " + std::to_string(kHighestMetres) +
                        " Metern",
                    kFieldMessageCaption, MessageButtons::Ok);
    return false;
  }
  settings.Hoehe = std::to_string(*metres);
  return true;
}

}  // namespace tavik
