// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/tool_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHideEvent>
#include <QShowEvent>

namespace tavik {

ToolWindow::ToolWindow(Placement placement, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      centreOnNextShow_(placement == Placement::CentredOnParentFirstTime) {}

int ToolWindow::widthForTitle(const QString& title) {
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics metrics(font);
  // A window icon and up to three buttons (minimise, maximise, close) about a
  // line high each, as common window managers draw them, with room around.
  return metrics.horizontalAdvance(title) + 4 * (metrics.height() + 10) + 16;
}

void ToolWindow::showEvent(QShowEvent* event) {
  if (centreOnNextShow_ && !event->spontaneous()) {
    centreOnNextShow_ = false;
    if (const QWidget* owner = parentWidget()) {
      QRect frame = frameGeometry();
      frame.moveCenter(owner->frameGeometry().center());
      move(frame.topLeft());
    }
  }
  QWidget::showEvent(event);
}

void ToolWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) emit hidden();
}

void ToolWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit closedByUser();
}

}  // namespace tavik
