// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/product_takeover.h"

#include <cstdint>
#include <optional>

#include "common/number_text.h"
#include "products/product_path.h"
#include "settings/takeover.h"

namespace tavik {

namespace {

// The product file's path from the dialog's folder and file name, or nothing
// (after a message under `caption`): an empty folder would put the file at
// the root, and a name with a folder separator or ".." would leave the folder.
std::optional<std::string> productPath(const std::string& folder, const std::string& fileName,
                                       const char* productName, const char* caption,
                                       Notifier& notifier) {
  if (folder.find_first_not_of(' ') == std::string::npos) {
    notifier.notify(std::string("Bitte einen Zielordner für die ") + productName + "-Datei wählen.",
                    caption, MessageButtons::Ok);
    return std::nullopt;
  }
  if (!isPlainFileName(fileName)) {
    notifier.notify("'" + fileName + "' ist kein gültiger Dateiname", caption, MessageButtons::Ok);
    return std::nullopt;
  }
  return joinPath(folder, fileName);
}

std::optional<int> integerField(const std::string& text, Notifier& notifier) {
  const std::optional<int> value = parseIntegerText(text);
  if (!value) notifier.notify(notAnIntegerMessage(text), kFieldMessageCaption, MessageButtons::Ok);
  return value;
}

bool isQuadrantCode(int code) { return code == 1 || code == 3 || code == 5 || code == 7; }

}  // namespace

FolderAndName splitProductPath(std::string_view path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {"", std::string(path)};
  return {std::string(path.substr(0, slash + 1)), std::string(path.substr(slash + 1))};
}

bool takeOverAprs(const AprsFields& fields, Settings& settings, Notifier& notifier) {
  settings.APRSRechnerZeit = fields.timeSource == 1;
  const std::optional<std::string> path =
      productPath(fields.folder, fields.fileName, "APRS", "APRS", notifier);
  if (!path) return false;
  settings.APRSDatei = *path;
  const std::optional<uint16_t> minutes = intervalMinutesField(fields.interval, notifier);
  if (!minutes) return false;
  settings.APRSIntervall = *minutes;
  settings.APRSZeilenende = fields.lineEnd == 1 ? "LF" : "CRLF";
  return true;
}

bool takeOverAsynop(const AsynopFields& fields, Settings& settings, Notifier& notifier) {
  const std::optional<std::string> path =
      productPath(fields.folder, fields.fileName, "ASYNOP", "ASYNOP", notifier);
  if (!path) return false;
  settings.ASYNOPDatei = *path;
  settings.ASYNOPEmpf = fields.recipient;
  settings.ASYNOPAbsender = fields.sender;
  if (fields.interval == 0 || fields.interval == 1) settings.ASYNOPIntervall = fields.interval == 1;
  settings.ASYNOPNach = fields.lineBelow;
  settings.ASYNOPVor = fields.lineAbove;
  settings.ASYNOPArchiv = fields.archive;
  settings.ASYNOPLat = fields.latitude;
  settings.ASYNOPLong = fields.longitude;
  const std::optional<int> quadrant = integerField(fields.quadrant, notifier);
  if (!quadrant) return false;
  // Any other number would make the report's position group meaningless.
  if (!isQuadrantCode(*quadrant)) {
    notifier.notify("'" + fields.quadrant + "' ist kein gültiger Erdquadrant (1, 3, 5 oder 7)",
                    kFieldMessageCaption, MessageButtons::Ok);
    return false;
  }
  settings.ASYNOPErdquadrant = static_cast<uint8_t>(*quadrant);
  settings.ASYNOPWochenordner = fields.weekFolder;
  settings.ASYNOPMonatsordner = fields.monthFolder;
  return true;
}

}  // namespace tavik
