// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/debug_input_window.h"

#include <QResizeEvent>
#include <QShowEvent>

#include "station/serial_port.h"
#include "ui/terminal_pane_widget.h"

namespace tavik {

namespace {
constexpr int kMinimumHeight = 80;
}  // namespace

TDebugComInput::TDebugComInput(SerialPort& port, QWidget* parent)
    : ToolWindow(Placement::Free, parent), ComTerminal1(new TerminalPane(this)) {
  setObjectName("DebugComInput");
  setWindowTitle("Comport Input");
  ComTerminal1->setObjectName("ComTerminal1");
  ComTerminal1->setPort(&port);
  resize(520, 320);
}

void TDebugComInput::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  if (const SerialPort* port = ComTerminal1->port()) {
    setWindowTitle("Comport Input: " + QString::fromStdString(port->portName()));
  }
  setMinimumSize(widthForTitle(windowTitle()), kMinimumHeight);
}

void TDebugComInput::resizeEvent(QResizeEvent* event) {
  ToolWindow::resizeEvent(event);
  ComTerminal1->setGeometry(rect());
}

}  // namespace tavik
