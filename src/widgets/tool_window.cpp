#include "widgets/tool_window.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QShowEvent>

namespace tavik {

ToolWindow::ToolWindow(Placement placement, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      centreOnNextShow_(placement == Placement::CentredOnParentFirstTime) {}

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
