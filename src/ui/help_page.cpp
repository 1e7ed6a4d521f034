// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>

#include <filesystem>

namespace tavik {

namespace {

constexpr int kQueryTimeoutMs = 5000;

bool browserSetUp() {
  if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
  if (!QStandardPaths::findExecutable(QStringLiteral("x-www-browser")).isEmpty() ||
      !QStandardPaths::findExecutable(QStringLiteral("www-browser")).isEmpty()) {
    return true;
  }
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return false;
  QProcess query;
  query.start(xdgMime,
              {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
  if (!query.waitForFinished(kQueryTimeoutMs)) {
    query.kill();
    query.waitForFinished();
    return false;
  }
  return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

bool openWithDesktop(const std::string& path) {
  if (!browserSetUp()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

namespace {

QPointer<QTextBrowser>& helpWindow() {
  static QPointer<QTextBrowser> window;
  return window;
}

}  // namespace

QTextBrowser* showHelpWindow(const std::string& path) {
  QPointer<QTextBrowser>& window = helpWindow();
  if (!window) {
    window = new QTextBrowser;
    window->setObjectName("HelpWindow");
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setOpenExternalLinks(true);
    window->resize(760, 600);
  }
  window->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
  window->setWindowTitle(window->documentTitle().isEmpty() ? QStringLiteral("Tavik - Hilfe")
                                                           : window->documentTitle());
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void closeHelpWindow() {
  if (QPointer<QTextBrowser>& window = helpWindow()) window->close();
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
  if (!open(path)) showHelpWindow(path);
  return {};
}

void openHelpPageOrSayWhy(const std::string& path, Notifier& notifier, const PageOpener& open) {
  const std::string why = openHelpPage(path, open);
  if (!why.empty()) notifier.notify(why, "ReadMe", MessageButtons::Ok);
}

}  // namespace tavik
