// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screenshots.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <utility>

namespace tavik {
namespace {

// How often a window just shown is looked at, how many looks in a row it
// must stay the same before it counts as settled, and the longest wait.
constexpr int kPollMs = 100;
constexpr int kSettledLooks = 3;
constexpr int kLongestWaitMs = 10000;

// Whether the window is shown on the screen as a user would see it: mapped
// and exposed, and under X11 framed by the window manager (its frame
// extents known), larger than a speck.
bool looksFramed(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  if (!window.isVisible() || !handle || !handle->isExposed()) return false;
  if (window.width() < 8 || window.height() < 8) return false;
  return QGuiApplication::platformName() != "xcb" || window.frameGeometry() != window.geometry();
}

// Runs `then` once the window is framed and its place and size have stayed
// the same for a few looks (the window manager may move it once more after
// framing it); after the longest wait it runs anyway and says so.
void whenSettled(QWidget* window, std::function<void()> then) {
  auto* poll = new QTimer(window);
  poll->setInterval(kPollMs);
  auto state = std::make_shared<std::pair<QRect, int>>(QRect(), 0);
  auto waited = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, window, [window, poll, state, waited, then] {
    *waited += kPollMs;
    const QRect now = window->frameGeometry();
    if (looksFramed(*window) && now == state->first) {
      ++state->second;
    } else {
      state->second = 0;
    }
    state->first = now;
    const bool timedOut = *waited >= kLongestWaitMs;
    if (state->second < kSettledLooks && !timedOut) return;
    if (timedOut) {
      std::cerr << "Tavik: " << window->objectName().toStdString()
                << " was not framed in time; its picture may lack the frame" << std::endl;
    }
    poll->stop();
    poll->deleteLater();
    then();
  });
  poll->start();
}

// The window as the screen shows it, with the window manager's frame and
// title; where the platform cannot read the screen (offscreen), the window
// alone.
void save(QWidget& window, const QString& path) {
  QPixmap picture;
  if (QScreen* screen = window.screen(); screen && QGuiApplication::platformName() == "xcb") {
    const QRect frame = window.frameGeometry();
    picture = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  }
  if (picture.isNull()) picture = window.grab();
  if (!picture.save(path, "PNG")) {
    std::cerr << "Tavik: cannot save the screenshot " << path.toStdString() << std::endl;
  }
}

struct Pending {
  QWidget* main = nullptr;
  QDir folder;
  QString mainFile;
  QStringList items;   // menu items still to open
  QList<QSize> sizes;  // main window frame sizes still to take
};

void captureNext(const std::shared_ptr<Pending>& pending);

// The main window at the next frame size, as "main-window-WxH.png".
void captureSize(const std::shared_ptr<Pending>& pending) {
  const QSize frameSize = pending->sizes.takeFirst();
  QWidget* main = pending->main;
  const QSize frameExtra = main->frameGeometry().size() - main->size();
  main->resize(frameSize - frameExtra);
  whenSettled(main, [pending, frameSize] {
    const QString name =
        QStringLiteral("main-window-%1x%2.png").arg(frameSize.width()).arg(frameSize.height());
    save(*pending->main, pending->folder.filePath(name));
    captureNext(pending);
  });
}

// The window the menu item just opened: the modal dialog, or the window that
// became visible.
QWidget* openedWindow(const QWidgetList& visibleBefore, const QWidget* main) {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != main && w->isVisible() && !visibleBefore.contains(w)) return w;
  }
  return nullptr;
}

// Opens the next window or dialog through its menu item, so that it is
// filled as a user sees it, saves it as NAME.png (its object name), closes it
// and goes on; takes the main window's sizes, then closes the main window.
void captureNext(const std::shared_ptr<Pending>& pending) {
  if (pending->items.isEmpty()) {
    if (!pending->sizes.isEmpty()) {
      captureSize(pending);
    } else {
      pending->main->close();
    }
    return;
  }
  const QString name = pending->items.takeFirst().trimmed();
  auto* item = pending->main->findChild<QAction*>(name);
  if (!item || !item->isEnabled()) {
    std::cerr << "Tavik: no menu item named " << name.toStdString() << std::endl;
    captureNext(pending);
    return;
  }
  QWidgetList visible;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) visible << w;
  }
  QTimer::singleShot(0, pending->main, [pending, visible, name] {
    QWidget* window = openedWindow(visible, pending->main);
    if (!window) {
      std::cerr << "Tavik: the menu item " << name.toStdString() << " opened no window"
                << std::endl;
      QTimer::singleShot(0, pending->main, [pending] { captureNext(pending); });
      return;
    }
    whenSettled(window, [pending, window] {
      save(*window, pending->folder.filePath(window->objectName() + QStringLiteral(".png")));
      if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isModal()) {
        dialog->reject();
      } else {
        window->hide();
      }
      QTimer::singleShot(0, pending->main, [pending] { captureNext(pending); });
    });
  });
  // A modal dialog runs its own loop in here; the timer above closes it.
  item->trigger();
}

}  // namespace

void scheduleScreenshots(QWidget& mainWindow, const std::string& path, int seconds,
                         const std::string& items, const std::string& sizes) {
  auto pending = std::make_shared<Pending>();
  pending->main = &mainWindow;
  pending->mainFile = QString::fromStdString(path);
  pending->folder = QFileInfo(pending->mainFile).absoluteDir();
  pending->items = QString::fromStdString(items).split(QLatin1Char(','), Qt::SkipEmptyParts);
  for (const QString& size :
       QString::fromStdString(sizes).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QStringList wh = size.split(QLatin1Char('x'));
    if (wh.size() == 2) pending->sizes << QSize(wh[0].toInt(), wh[1].toInt());
  }
  QTimer::singleShot(std::max(0, seconds) * 1000, &mainWindow, [pending] {
    whenSettled(pending->main, [pending] {
      save(*pending->main, pending->mainFile);
      captureNext(pending);
    });
  });
}

}  // namespace tavik
