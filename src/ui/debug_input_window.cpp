// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/debug_input_window.h"

#include <QLabel>
#include <QLocale>
#include <QShowEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include "station/serial_port.h"
#include "ui/hex_pane_widget.h"
#include "ui/terminal_pane_widget.h"

namespace tavik {

namespace {
constexpr int kMinimumHeight = 80;

QString byteCountText(qulonglong total) {
  return QLocale(QLocale::German).toString(total) + QStringLiteral(" Bytes empfangen");
}
}  // namespace

TDebugComInput::TDebugComInput(SerialPort& port, QWidget* parent)
    : ToolWindow(Placement::Free, parent),
      ComTerminal1(new TerminalPane),
      HexView(new HexPane),
      ByteCount(new QLabel(byteCountText(0))) {
  setObjectName("DebugComInput");
  setWindowTitle("Comport Input");
  ComTerminal1->setObjectName("ComTerminal1");
  ComTerminal1->setPort(&port);
  HexView->setObjectName("HexView");
  HexView->setPort(&port);
  ByteCount->setObjectName("ByteCount");
  connect(HexView, &HexPane::received, this,
          [this](qulonglong total) { ByteCount->setText(byteCountText(total)); });
  auto* views = new QSplitter(Qt::Vertical);
  views->setObjectName("InputSplitter");
  views->addWidget(ComTerminal1);
  views->addWidget(HexView);
  views->setChildrenCollapsible(false);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 2);
  column->setSpacing(2);
  column->addWidget(views, 1);
  column->addWidget(ByteCount);
  resize(620, 420);
}

void TDebugComInput::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  if (const SerialPort* port = ComTerminal1->port()) {
    setWindowTitle("Comport Input: " + QString::fromStdString(port->portName()));
  }
  setMinimumSize(widthForTitle(windowTitle()), kMinimumHeight);
}

}  // namespace tavik
