// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screenshots.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <iostream>
#include <memory>

namespace tavik {
namespace {

// Time for a window just shown to lay itself out and paint.
constexpr int kSettleMs = 700;

void save(QWidget& window, const QString& path) {
  if (!window.grab().save(path, "PNG")) {
    std::cerr << "Tavik: cannot save the screenshot " << path.toStdString() << std::endl;
  }
}

struct Pending {
  QWidget* main = nullptr;
  QDir folder;
  QStringList names;
};

// Shows the next named window, saves it a moment later, hides it again and
// goes on; closes the main window after the last one.
void captureNext(const std::shared_ptr<Pending>& pending) {
  if (pending->names.isEmpty()) {
    pending->main->close();
    return;
  }
  const QString name = pending->names.takeFirst().trimmed();
  QWidget* window = pending->main->findChild<QWidget*>(name);
  if (!window || !window->isWindow()) {
    std::cerr << "Tavik: no window named " << name.toStdString() << std::endl;
    captureNext(pending);
    return;
  }
  window->show();
  window->raise();
  QTimer::singleShot(kSettleMs, pending->main, [pending, window, name] {
    save(*window, pending->folder.filePath(name + QStringLiteral(".png")));
    window->hide();
    captureNext(pending);
  });
}

}  // namespace

void scheduleScreenshots(QWidget& mainWindow, const std::string& path, int seconds,
                         const std::string& windows) {
  auto pending = std::make_shared<Pending>();
  pending->main = &mainWindow;
  const QString file = QString::fromStdString(path);
  pending->folder = QFileInfo(file).absoluteDir();
  pending->names = QString::fromStdString(windows).split(QLatin1Char(','), Qt::SkipEmptyParts);
  QTimer::singleShot(std::max(0, seconds) * 1000, &mainWindow, [pending, file] {
    save(*pending->main, file);
    captureNext(pending);
  });
}

}  // namespace tavik
