// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives a modal dialog from a test without blocking: the button is clicked
// from the dialog's own event loop once exec() runs.

#include <QAbstractButton>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

namespace tavik::testing {

// Runs `whileOpen` as soon as the dialog's modal loop runs (the dialog is
// then shown); it is expected to close the dialog.
inline void whenOpen(QDialog& dialog, std::function<void()> whileOpen) {
  QTimer::singleShot(0, &dialog, std::move(whileOpen));
}

// Clicks the named button of the dialog once it is open.
inline void clickWhenOpen(QDialog& dialog, const char* buttonName) {
  whenOpen(dialog, [&dialog, buttonName] {
    QTest::mouseClick(dialog.findChild<QAbstractButton*>(buttonName), Qt::LeftButton);
  });
}

}  // namespace tavik::testing
