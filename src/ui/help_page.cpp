// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

#include <filesystem>

namespace tavik {

bool openWithDesktop(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

std::string helpPagePath(const std::string& programDir) {
  const std::filesystem::path folder(programDir);
  const std::filesystem::path portable = folder / "readme.htm";
  const std::filesystem::path installed =
      (folder / "../share/doc/tavik/readme.htm").lexically_normal();
  std::error_code ec;
  const bool useInstalled =
      !std::filesystem::exists(portable, ec) && std::filesystem::exists(installed, ec);
  return (useInstalled ? installed : portable).string();
}

std::string defaultHelpPagePath() {
  return helpPagePath(QCoreApplication::applicationDirPath().toStdString());
}

std::string openHelpPage(const std::string& path, const PageOpener& open) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    return "Die Hilfeseite " + path + " ist nicht vorhanden.";
  }
  if (!open(path)) {
    return "Die Hilfeseite " + path +
           " kann nicht angezeigt werden: Es ist kein Programm zum Anzeigen von Webseiten "
           "eingerichtet (xdg-open).";
  }
  return {};
}

void openHelpPageOrSayWhy(const std::string& path, Notifier& notifier, const PageOpener& open) {
  const std::string why = openHelpPage(path, open);
  if (!why.empty()) notifier.notify(why, "ReadMe", MessageButtons::Ok);
}

}  // namespace tavik
