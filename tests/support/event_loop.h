// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Qt event loop for tests without windows: one QCoreApplication for the
// process, and a loop that runs until a condition holds.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace tavik::test {

// Creates the process's QCoreApplication unless one exists.
inline void ensureCoreApplication() {
  static int argc = 1;
  static char name[] = "tavik_test";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

// Runs the event loop until `done` holds or `ms` have passed; whether it holds.
template <typename Pred>
bool runUntil(Pred done, int ms = 2000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) {
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return done();
}

}  // namespace tavik::test
